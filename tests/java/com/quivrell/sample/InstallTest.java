package com.quivrell.sample;

import java.io.File;
import java.io.IOException;
import java.io.StringReader;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.Collections;
import java.util.List;
import java.util.Objects;
import java.util.Properties;
import java.util.stream.Stream;

/**
 * Tests of the install wizard: its path and argument rules as tables, and runs of install.jar on this JVM
 * in a scratch package folder, with a scratch Wine prefix whose drive Z: is the root.
 * Usage: InstallTest INSTALL_JAR. Exits 1 when a check fails; each failure says what it expected and got.
 */
public final class InstallTest {
    private static int failures;
    private static Path scratch, prefix;
    private static String installJar;

    private static void check(String what, Object expected, Object got) {
        if (!Objects.equals(expected, got)) {
            failures++;
            System.out.println("FAILED " + what + "\n  expected: " + expected + "\n  got:      " + got);
        }
    }

    public static void main(String[] args) throws Exception {
        String[][] conversions = { // the way (to the host or to Windows), path, os.name, WINEPREFIX, expected
            {"host", "C:\\x", "Linux", null, "/home/u/.wine/dosdevices/c:/x"}, {"host", "C:x", "Linux", "/p", "C:x"},
            {"host", "C:\\x", "Windows 10", "/p", "C:\\x"}, {"host", "1:\\x", "Linux", "/p", "1:\\x"},
            {"windows", "/home/u/.wine/dosdevices/d:/x", "Linux", null, "D:\\x"},
            {"windows", "/elsewhere/x", "Linux", "/p", "Z:\\elsewhere\\x"},
        };
        for (String[] c : conversions)
            check(c[0] + "Path(" + c[1] + ") on " + c[2] + " with WINEPREFIX=" + c[3], c[4], c[0].equals("host")
                    ? Install.hostPath(c[1], c[2], c[3], "/home/u")
                    : Install.windowsPath(new File(c[1]), c[2], c[3], "/home/u"));
        Object[][] switches = { // words, target, ignored
            {new String[] {"-s", "C:\\Program", "Files\\x"}, "C:\\Program Files\\x", Collections.emptyList()},
            {new String[] {"-x", "", "-q", "t", "-y"}, "t -y", Arrays.asList("-x")},
            {new String[] {"-q", " "}, null, Collections.emptyList()},
            {new String[] {"-Q", "t"}, null, Arrays.asList("-Q", "t")},
        };
        for (Object[] c : switches) {
            String[] words = (String[]) c[0];
            check("target of " + Arrays.toString(words), c[1], Install.targetArgument(words));
            check("ignored of " + Arrays.toString(words), c[2], Install.ignoredArguments(words));
        }

        installJar = new File(args[0]).getAbsolutePath();
        scratch = Files.createTempDirectory("installtest");
        try {
            prefix = Files.createDirectories(scratch.resolve("prefix/dosdevices")).getParent();
            Files.createSymbolicLink(prefix.resolve("dosdevices/z:"), new File("/").toPath());
            runs();
        } finally {
            try (Stream<Path> paths = Files.walk(scratch)) {
                paths.sorted(Collections.reverseOrder()).forEach(p -> p.toFile().delete());
            }
        }
        System.out.println(failures == 0 ? "all checks passed" : failures + " checks failed");
        System.exit(failures == 0 ? 0 : 1);
    }

    /** The roads the whole-program run with the real wizard does not take, one after another in one package. */
    private static void runs() throws Exception {
        // A JVM installed into the package folder is copied beside the application, which goes into the start folder
        // as a Windows editor may have left it in startdir.txt: a byte order mark, blanks, CRLF, a second line.
        Path pkg = Files.createDirectories(scratch.resolve("run/package")), temporary = pkg.resolve("jre");
        Path app = Files.createDirectories(scratch.resolve("start dir")).resolve(Install.APP_FOLDER);
        Files.createDirectories(temporary.resolve("bin"));
        Files.writeString(temporary.resolve("bin/javaw.exe"), "launcher");
        Files.writeString(pkg.resolve("native.properties"),
                "nativeJvmHomeDir=Z:" + temporary + "\nnativeJvmInstalledInTemp=true");
        Files.writeString(pkg.resolve("startdir.txt"), "\uFEFF  " + windows(app.getParent()) + "  \r\nsecond line\r\n");
        check("exit code, start folder and temporary JVM", 0, wizard(pkg));
        check("the JVM beside the application", "launcher", lastLine(app.resolve("jre/bin/javaw.exe")));
        check("the temporary JVM left for the cleanup", true, Files.exists(temporary.resolve("bin/javaw.exe")));
        check("jvm.properties names the new home", "jvmHomeDir=Z:" + app.resolve("jre"),
                lastLine(app.resolve("jvm.properties")));
        Properties record = new Properties();
        record.load(new StringReader(Files.readString(pkg.resolve("native.properties"))));
        check("new home and temporary folder in native.properties", windows(app.resolve("jre")) + " Z:" + temporary,
                record.getProperty("nativeJvmHomeDir") + " " + record.getProperty("nativeTempJvmDir"));

        // Without a start folder the application goes beside the package.
        Files.delete(pkg.resolve("startdir.txt"));
        check("exit code, no startdir.txt", 0, wizard(pkg));
        check("beside the package", true, Files.exists(pkg.resolve("../" + Install.APP_FOLDER + "/README.txt")));

        // A refusal: the JVM home is gone. The marker comes first: the start-up program hears of it from the wizard.
        Files.delete(pkg.resolve(Install.MARKER));
        Files.writeString(pkg.resolve("native.properties"), "nativeJvmHomeDir=C:/no such jvm\n");
        check("exit code, JVM home gone", 1, wizard(pkg, "-s", scratch.resolve("never").toString()));
        check("marker created before the failure, nothing installed", "true false",
                Files.exists(pkg.resolve(Install.MARKER)) + " " + Files.exists(scratch.resolve("never")));
        check("reason in wizard.log", "installation failed: the JVM home C:/no such jvm does not exist",
                lastLine(pkg.resolve("wizard.log")));
    }

    /** The wizard's exit code, run in PKG as the start-up program runs it; its output goes to ours. */
    private static int wizard(Path pkg, String... words) throws Exception {
        ProcessBuilder builder = new ProcessBuilder(new File(System.getProperty("java.home"), "bin/java").toString(),
                "-cp", installJar, Install.class.getName()).directory(pkg.toFile()).inheritIO();
        builder.command().addAll(Arrays.asList(words));
        builder.environment().put("WINEPREFIX", prefix.toString());
        return builder.start().waitFor();
    }

    private static String windows(Path unix) {
        return "Z:" + unix.toString().replace('/', '\\');
    }

    /** "" when FILE is missing, which the check that reads it then reports. */
    private static String lastLine(Path file) throws IOException {
        List<String> lines = Files.exists(file) ? Files.readAllLines(file) : Collections.<String>emptyList();
        return lines.isEmpty() ? "" : lines.get(lines.size() - 1);
    }
}
