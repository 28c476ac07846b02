package com.quivrell.sample;

import java.io.File;
import java.io.IOException;
import java.io.InputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collections;
import java.util.List;
import java.util.Objects;
import java.util.Properties;
import java.util.stream.Stream;

/**
 * Tests of the install wizard: its path and argument rules as tables, and whole runs of install.jar on
 * this JVM in scratch package folders, with a scratch Wine prefix whose drive Z: is the root.
 * Usage: InstallTest INSTALL_JAR. Exits 1 when a check fails; each failure says what it expected and got.
 */
public final class InstallTest {
    private static int failures;
    private static Path scratch, prefix, jvmHome;
    private static File installJar;
    private static int count;

    private static void check(String what, Object expected, Object got) {
        if (!Objects.equals(expected, got)) {
            failures++;
            System.out.println("FAILED " + what + "\n  expected: " + expected + "\n  got:      " + got);
        }
    }

    public static void main(String[] args) throws Exception {
        String[][] hostPaths = { // path, os.name, WINEPREFIX, expected
            {"Z:\\tmp\\a b\\c", "Linux", "/p", "/p/dosdevices/z:/tmp/a b/c"},
            {"c:/Program Files/Java", "Linux", "/p", "/p/dosdevices/c:/Program Files/Java"},
            {"D:\\", "Linux", "/p", "/p/dosdevices/d:/"}, {"C:\\x", "Linux", null, "/home/u/.wine/dosdevices/c:/x"},
            {"C:\\x", "Windows 10", "/p", "C:\\x"}, {"C:x", "Linux", "/p", "C:x"}, {"1:\\x", "Linux", "/p", "1:\\x"},
        };
        for (String[] c : hostPaths)
            check("hostPath(" + c[0] + ") on " + c[1] + " with WINEPREFIX=" + c[2], c[3],
                    Install.hostPath(c[0], c[1], c[2], "/home/u"));
        Object[][] switches = { // words, target, ignored
            {new String[] {"-q", "C:\\t"}, "C:\\t", Collections.emptyList()},
            {new String[] {"-s", "C:\\Program", "Files\\x"}, "C:\\Program Files\\x", Collections.emptyList()},
            {new String[] {"-x", "", "-q", "t", "-y"}, "t -y", Arrays.asList("-x")},
            {new String[] {"-q", " "}, null, Collections.emptyList()}, {new String[] {"-Q", "t"}, null, Arrays.asList("-Q", "t")},
        };
        for (Object[] c : switches) {
            String[] words = (String[]) c[0];
            check("target of " + Arrays.toString(words), c[1], Install.targetArgument(words));
            check("ignored of " + Arrays.toString(words), c[2], Install.ignoredArguments(words));
        }
        String[][] windowsPaths = { // folder, os.name, WINEPREFIX, expected
            {"/p/dosdevices/c:/Program Files/App", "Linux", "/p", "C:\\Program Files\\App"},
            {"/home/u/.wine/dosdevices/d:/x", "Linux", null, "D:\\x"},
        };
        for (String[] c : windowsPaths)
            check("windowsPath(" + c[0] + ")", c[3], Install.windowsPath(new File(c[0]), c[1], c[2], "/home/u"));

        installJar = new File(args[0]).getAbsoluteFile();
        scratch = Files.createTempDirectory("installtest");
        try {
            prefix = scratch.resolve("prefix");
            Files.createDirectories(prefix.resolve("dosdevices"));
            Files.createSymbolicLink(prefix.resolve("dosdevices/z:"), new File("/").toPath());
            jvmHome = Files.createDirectories(scratch.resolve("jvm home"));
            runs();
        } finally {
            try (Stream<Path> paths = Files.walk(scratch)) {
                paths.sorted(Collections.reverseOrder()).forEach(p -> p.toFile().delete());
            }
        }
        System.out.println(failures == 0 ? "all checks passed" : failures + " checks failed");
        System.exit(failures == 0 ? 0 : 1);
    }

    /** Whole runs of the wizard as the start-up program starts it. */
    private static void runs() throws Exception {
        // The start folder as a Windows editor may leave startdir.txt: a byte order mark, blanks, CRLF, a second line.
        Path pkg = newPackage();
        Path start = Files.createDirectories(scratch.resolve("start dir"));
        write(pkg.resolve("startdir.txt"), "\uFEFF  " + windows(start) + "  \r\nsecond line\r\n");
        check("exit code, start folder from startdir.txt", 0, wizard(pkg));
        checkInstalled(pkg, start.resolve(Install.APP_FOLDER), throughPrefix(start.resolve(Install.APP_FOLDER)));

        // Without a start folder the application goes beside the package.
        pkg = newPackage();
        check("exit code, no startdir.txt", 0, wizard(pkg));
        checkInstalled(pkg, pkg.getParent().resolve(Install.APP_FOLDER), pkg.getParent().resolve(Install.APP_FOLDER).toString());

        // Unquoted by its caller, a target with a blank arrives as two words; the start folder is left alone.
        pkg = newPackage();
        write(pkg.resolve("startdir.txt"), windows(scratch.resolve("not here")) + "\r\n");
        Path target = scratch.resolve("my target");
        check("exit code, -q target", 0, wizard(pkg, "-q", windows(target).split(" ")[0], windows(target).split(" ")[1]));
        checkInstalled(pkg, target, throughPrefix(target));
        check("start folder left alone when a target is given", false, Files.exists(scratch.resolve("not here")));

        pkg = newPackage();
        write(pkg.resolve("native.properties"), "nativeJvmHomeDir=C:/no such jvm\n");
        check("exit code, JVM home gone", 1, wizard(pkg, "-s", scratch.resolve("never").toString()));
        check("marker created before the failure, nothing installed", "true false",
                Files.exists(pkg.resolve(Install.MARKER)) + " " + Files.exists(scratch.resolve("never")));
        check("reason in wizard.log", "installation failed: the JVM home C:/no such jvm does not exist",
                lastLine(pkg.resolve("wizard.log")));

        // A JVM installed into the package folder moves beside the application; the cleanup removes the original.
        pkg = newPackage();
        Path temporary = Files.createDirectories(pkg.resolve("jre/bin"));
        write(temporary.resolve("javaw.exe"), "launcher");
        write(pkg.resolve("native.properties"), "nativeJvmHomeDir=" + windows(pkg.resolve("jre")).replace('\\', '/')
                + "\nnativeJvmInstalled=true\nnativeJvmInstalledInTemp=true\nconfigureWinRegistry=true\n");
        target = scratch.resolve("with its jvm");
        check("exit code, temporary JVM", 0, wizard(pkg, "-q", target.toString()));
        check("the JVM beside the application", Arrays.asList("launcher"), linesOf(target.resolve("jre/bin/javaw.exe")));
        check("the temporary JVM left for the cleanup", true, Files.exists(temporary.resolve("javaw.exe")));
        Properties record = new Properties();
        try (InputStream in = Files.newInputStream(pkg.resolve("native.properties"))) {
            record.load(in);
        }
        check("new home in native.properties", windows(target.resolve("jre")), record.getProperty("nativeJvmHomeDir"));
        check("temporary folder in native.properties", windows(pkg.resolve("jre")).replace('\\', '/'),
                record.getProperty("nativeTempJvmDir"));
    }

    /** loggedTarget: the target as the wizard reached it, through the prefix when it was a Windows path. */
    private static void checkInstalled(Path pkg, Path target, String loggedTarget) throws IOException {
        check("marker in " + pkg, true, Files.exists(pkg.resolve(Install.MARKER)));
        for (String name : Install.PAYLOAD)
            check(name + " installed in " + target, true, target.resolve(name).toFile().length() > 0);
        check("jvm.properties in " + target, Arrays.asList(
                "# The Java runtime the Quivrell sample application runs on, as its installer found it.",
                "jvmHomeDir=" + windows(jvmHome).replace('\\', '/')), linesOf(target.resolve("jvm.properties")));
        check("wizard.log names the target", true, linesOf(pkg.resolve("wizard.log"))
                .contains("installing the Quivrell sample application into " + loggedTarget));
        check("wizard.log ends", "installation complete", lastLine(pkg.resolve("wizard.log")));
    }

    private static Path newPackage() throws IOException {
        Path pkg = Files.createDirectories(scratch.resolve("run " + ++count + "/package"));
        write(pkg.resolve("native.properties"), "nativeJvmHomeDir=" + windows(jvmHome).replace('\\', '/')
                + "\nnativeJvmInstalled=false\nconfigureWinRegistry=true\n");
        return pkg;
    }

    private static int wizard(Path pkg, String... words) throws Exception {
        List<String> command = new ArrayList<>(Arrays.asList(new File(System.getProperty("java.home"), "bin/java").toString(),
                "-cp", installJar.toString(), "com.quivrell.sample.Install"));
        command.addAll(Arrays.asList(words));
        ProcessBuilder builder = new ProcessBuilder(command).directory(pkg.toFile())
                .redirectErrorStream(true).redirectOutput(pkg.resolve("wizard.out").toFile());
        builder.environment().put("WINEPREFIX", prefix.toString());
        return builder.start().waitFor();
    }

    private static String throughPrefix(Path unix) {
        return prefix.resolve("dosdevices/z:") + unix.toString();
    }

    private static String windows(Path unix) {
        return "Z:" + unix.toString().replace('/', '\\');
    }

    private static void write(Path file, String text) throws IOException {
        Files.write(file, text.getBytes(StandardCharsets.UTF_8));
    }

    /** The lines of file; none when it is missing, which the check that reads them then reports. */
    private static List<String> linesOf(Path file) throws IOException {
        return Files.exists(file) ? Files.readAllLines(file) : Collections.<String>emptyList();
    }

    private static String lastLine(Path file) throws IOException {
        List<String> lines = linesOf(file);
        return lines.isEmpty() ? "" : lines.get(lines.size() - 1);
    }
}
