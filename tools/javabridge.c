/*
 * javabridge: lets Debian's OpenJDK serve as a Windows JVM under Wine.
 *
 * Built with winegcc, this is a Linux shared object that Wine runs as a Windows program. Copied into
 * a JVM home as bin\java.exe and bin\javaw.exe, it is started the way Windows programs start a JVM
 * and can be waited for, which a plain Linux java cannot (Wine does not wait for ELF programs). It
 * runs the real Linux java with the Windows arguments made readable for it, in the Windows current
 * folder, and returns java's exit code.
 *
 * QIV_REAL_JAVA names the Linux java to run (default /usr/bin/java).
 */
#define _GNU_SOURCE /* pipe2 */
#include <windows.h>

#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

/* Exported by Wine's kernel32, declared by no header a winelib program sees. */
char *CDECL wine_get_unix_file_name(const WCHAR *dos);

static void *xmalloc(size_t size)
{
    void *p = malloc(size);
    if (!p) {
        fputs("javabridge: out of memory\n", stderr);
        exit(127);
    }
    return p;
}

static char *xstrdup(const char *s)
{
    size_t n = strlen(s) + 1;
    return memcpy(xmalloc(n), s, n);
}

/* "C:\..." or "C:/...": the only form that names the same file from any current folder. */
static int is_windows_absolute(const char *s)
{
    return isalpha((unsigned char)s[0]) && s[1] == ':' && (s[2] == '\\' || s[2] == '/');
}

/* Wine's own mapping, so drive letters and dosdevices links resolve exactly as the caller sees them. */
static char *unix_path_of_wide(const WCHAR *dos)
{
    char *wine = wine_get_unix_file_name(dos);
    char *result;
    if (!wine)
        return NULL;
    result = xstrdup(wine);
    HeapFree(GetProcessHeap(), 0, wine);
    return result;
}

/* A Windows absolute path as a Unix path; the text unchanged when Wine cannot map it, so that java
   reports the name the caller gave. */
static char *translate_path(const char *dos)
{
    int n = MultiByteToWideChar(CP_ACP, 0, dos, -1, NULL, 0);
    WCHAR *wide;
    char *unix_path = NULL;
    if (n > 0) {
        wide = xmalloc(n * sizeof(WCHAR));
        MultiByteToWideChar(CP_ACP, 0, dos, -1, wide, n);
        unix_path = unix_path_of_wide(wide);
        free(wide);
    }
    return unix_path ? unix_path : xstrdup(dos);
}

/* One class path entry: absolute ones through Wine, relative ones only need Unix separators. */
static char *translate_class_path_entry(const char *entry)
{
    char *result, *p;
    if (is_windows_absolute(entry))
        return translate_path(entry);
    result = xstrdup(entry);
    for (p = result; *p; p++)
        if (*p == '\\')
            *p = '/';
    return result;
}

/* "a;C:\b" -> "a:/unix/of/b". Empty entries stay empty, as java gives them a meaning. */
static char *translate_class_path(const char *windows_cp)
{
    char *work = xstrdup(windows_cp);
    char *result = xstrdup("");
    char *entry = work;
    for (;;) {
        char *end = strchr(entry, ';');
        char *piece, *joined;
        if (end)
            *end = '\0';
        piece = translate_class_path_entry(entry);
        joined = xmalloc(strlen(result) + strlen(piece) + 2);
        sprintf(joined, "%s%s%s", result, entry == work ? "" : ":", piece);
        free(result);
        free(piece);
        result = joined;
        if (!end)
            break;
        entry = end + 1;
    }
    free(work);
    return result;
}

static int is_class_path_option(const char *arg)
{
    return strcmp(arg, "-cp") == 0 || strcmp(arg, "-classpath") == 0 || strcmp(arg, "--class-path") == 0;
}

static char *with_prefix(const char *prefix, size_t prefix_len, char *value)
{
    char *result = xmalloc(prefix_len + strlen(value) + 1);
    memcpy(result, prefix, prefix_len);
    strcpy(result + prefix_len, value);
    free(value);
    return result;
}

/* A value that is a path list or a single Windows path, as java on Linux must read it. */
static char *translate_value(const char *value)
{
    if (strchr(value, ';'))
        return translate_class_path(value);
    if (is_windows_absolute(value))
        return translate_path(value);
    return xstrdup(value);
}

static char *translate_argument(const char *arg, int is_class_path_value)
{
    const char *eq;
    if (is_class_path_value)
        return translate_class_path(arg);
    /* A property's value is translated on its own; the "-Dname=" in front would hide its path. */
    if (strncmp(arg, "-D", 2) == 0 && (eq = strchr(arg, '=')) != NULL)
        return with_prefix(arg, eq + 1 - arg, translate_value(eq + 1));
    if (strncmp(arg, "--class-path=", 13) == 0)
        return with_prefix(arg, 13, translate_class_path(arg + 13));
    return translate_value(arg);
}

/* java's argument vector: the real java in place of our own name, then the translated arguments. */
static char **java_arguments(const char *java, int argc, char **argv)
{
    char **args = xmalloc((argc + 1) * sizeof(char *));
    int i;
    args[0] = xstrdup(java);
    for (i = 1; i < argc; i++)
        args[i] = translate_argument(argv[i], is_class_path_option(argv[i - 1]));
    args[argc] = NULL;
    return args;
}

/* The Unix environment still holds what the caller removed with _putenv, CLASSPATH above all: the
   class path must be the one the Windows side sees. */
static char **java_environment(void)
{
    char windows_cp[32768];
    DWORD len = GetEnvironmentVariableA("CLASSPATH", windows_cp, sizeof(windows_cp));
    size_t count = 0, n = 0;
    char **env;
    while (environ[count])
        count++;
    env = xmalloc((count + 2) * sizeof(char *));
    for (count = 0; environ[count]; count++)
        if (strncmp(environ[count], "CLASSPATH=", 10) != 0)
            env[n++] = environ[count];
    if (len > 0 && len < sizeof(windows_cp))
        env[n++] = with_prefix("CLASSPATH=", 10, translate_class_path(windows_cp));
    env[n] = NULL;
    return env;
}

/* Wine keeps the Windows current folder to itself; the Unix one need not match it. */
static char *java_working_folder(void)
{
    WCHAR dir[MAX_PATH + 1];
    DWORD len = GetCurrentDirectoryW(MAX_PATH + 1, dir);
    if (len == 0 || len > MAX_PATH)
        return NULL;
    return unix_path_of_wide(dir);
}

/* In the forked child: only async-signal-safe calls from here on. An exec failure is reported to
   the parent through report_fd, which the exec closes on success. */
static void exec_java(const char *java, char **args, char **env, const char *dir, pid_t bridge, int report_fd)
{
    sigset_t none;
    int sig, err;
    /* No JVM may outlive the bridge: whoever kills the bridge means to stop java too. */
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != bridge)
        _exit(127);
    /* Wine ignores SIGPIPE and blocks signals for itself; java expects the defaults. */
    for (sig = 1; sig < NSIG; sig++)
        signal(sig, SIG_DFL);
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, NULL);
    if (chdir(dir) == 0)
        execve(java, args, env);
    err = errno;
    if (write(report_fd, &err, sizeof(err)) < 0) {
        /* Nothing left to tell it with. */
    }
    _exit(127);
}

static int wait_for(pid_t child)
{
    int status;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return 127;
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

/* Runs java and returns its exit code, or -1 with errno set when it could not be started. */
static int run_java(const char *java, char **args, char **env, const char *dir)
{
    int report[2], exec_errno, n, code;
    pid_t bridge = getpid(), child;
    if (pipe2(report, O_CLOEXEC) < 0)
        return -1;
    child = fork();
    if (child == 0)
        exec_java(java, args, env, dir, bridge, report[1]);
    close(report[1]);
    if (child < 0) {
        close(report[0]);
        return -1;
    }
    do
        n = read(report[0], &exec_errno, sizeof(exec_errno));
    while (n < 0 && errno == EINTR);
    close(report[0]);
    code = wait_for(child);
    if (n == sizeof(exec_errno)) {
        errno = exec_errno;
        return -1;
    }
    return code;
}

int main(int argc, char **argv)
{
    const char *java = getenv("QIV_REAL_JAVA");
    char *dir;
    int code;
    if (!java || !*java)
        java = "/usr/bin/java";
    dir = java_working_folder();
    if (!dir) {
        fputs("javabridge: the current folder has no Unix path\n", stderr);
        return 127;
    }
    code = run_java(java, java_arguments(java, argc, argv), java_environment(), dir);
    if (code < 0) {
        fprintf(stderr, "javabridge: cannot start %s in %s: %s\n", java, dir, strerror(errno));
        return 127;
    }
    return code;
}
