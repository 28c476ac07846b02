package com.quivrell.sample;

import java.io.File;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStreamWriter;
import java.io.PrintStream;
import java.io.Writer;
import java.nio.charset.Charset;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Properties;
import java.util.stream.Stream;

/**
 * The sample package's install wizard. It asks nothing: it installs the sample application into the
 * folder named after -q or -s, or else into "Quivrell Sample" in the folder the package was started
 * from, and records the JVM the start-up program chose for it.
 *
 * It runs in the package folder, where the start-up program left native.properties (the JVM it chose)
 * and startdir.txt (the folder the package was started from), and where it waits for our marker.
 */
public final class Install {
    static final String MARKER = "__qivwizard.sem";
    static final String APP_FOLDER = "Quivrell Sample";
    static final String[] PAYLOAD = {"README.txt", "run.bat", "hello.jar"};

    /** A failure with the sentence that tells the user what went wrong. */
    static final class Failure extends Exception {
        private static final long serialVersionUID = 1L;

        Failure(String reason) {
            super(reason);
        }
    }

    private final File here;
    private final PrintStream out;

    Install(File here, PrintStream out) {
        this.here = here;
        this.out = out;
    }

    public static void main(String[] args) {
        File here = new File("").getAbsoluteFile();
        // The start-up program takes this file as the sign that the wizard came up: nothing before it.
        try {
            new FileOutputStream(new File(here, MARKER)).close();
        } catch (IOException e) {
            System.err.println("cannot create " + MARKER + " in " + here + ": " + e.getMessage());
            System.exit(1);
        }
        Install wizard = new Install(here, System.out);
        try {
            wizard.run(args);
        } catch (Failure e) {
            wizard.fail(e.getMessage());
            System.exit(1);
        } catch (RuntimeException e) {
            wizard.fail("unexpected error: " + e);
            System.exit(1);
        }
        System.exit(0);
    }

    void run(String[] args) throws Failure {
        Properties chosen = nativeProperties();
        String jvmHome = chosen.getProperty("nativeJvmHomeDir", "").trim();
        File target = target(args);
        if (jvmHome.isEmpty()) {
            // Without a record, the JVM that runs the wizard is the one the start-up program chose.
            jvmHome = System.getProperty("java.home");
            log("JVM home: " + jvmHome + " (the wizard's own; native.properties names none)");
        } else {
            log("JVM home: " + jvmHome);
            if (!new File(hostPath(jvmHome)).isDirectory()) {
                throw new Failure("the JVM home " + jvmHome + " does not exist");
            }
        }
        for (String key : new String[] {"nativeJvmInstalled", "nativeJvmInstalledInTemp", "configureWinRegistry"}) {
            log(key + ": " + chosen.getProperty(key, "(not recorded)"));
        }
        log("installing the Quivrell sample application into " + target);
        createFolder(target);
        for (String name : PAYLOAD) {
            copyPayload(name, new File(target, name));
            log("installed " + name);
        }
        if ("true".equalsIgnoreCase(chosen.getProperty("nativeJvmInstalledInTemp", "").trim())) {
            jvmHome = keepTemporaryJvm(chosen, jvmHome, new File(target, "jre"));
        }
        writeJvmRecord(new File(target, "jvm.properties"), jvmHome);
        log("installed jvm.properties");
        log("installation complete");
    }

    /**
     * A JVM that the start-up program put into the package folder goes away with it: it is copied
     * beside the application (the wizard runs on it, so it cannot be moved), and native.properties says
     * where it now lies and which temporary folder the start-up program's cleanup is to remove.
     * Returns the JVM's new home, as the Windows side names it.
     */
    String keepTemporaryJvm(Properties chosen, String temporaryHome, File finalHome) throws Failure {
        copyTree(new File(hostPath(temporaryHome)), finalHome);
        String newHome = windowsPath(finalHome);
        log("copied the temporary JVM " + temporaryHome + " to " + newHome);
        chosen.setProperty("nativeJvmHomeDir", newHome);
        chosen.setProperty("nativeTempJvmDir", temporaryHome);
        File record = new File(here, "native.properties");
        try (FileOutputStream out = new FileOutputStream(record)) {
            chosen.store(out, "The JVM of the Quivrell sample application, moved by its installer");
        } catch (IOException e) {
            throw new Failure("cannot write " + record + ": " + e);
        }
        log("native.properties names the JVM's new home and its temporary folder");
        return newHome;
    }

    private static void copyTree(File from, File to) throws Failure {
        Path source = from.toPath();
        try (Stream<Path> paths = Files.walk(source)) {
            for (Path path : (Iterable<Path>) paths::iterator) {
                Path copy = to.toPath().resolve(source.relativize(path).toString());
                if (Files.isDirectory(path)) {
                    Files.createDirectories(copy);
                } else {
                    Files.copy(path, copy, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.COPY_ATTRIBUTES);
                }
            }
        } catch (IOException e) {
            throw new Failure("cannot copy the JVM " + from + " to " + to + ": " + e);
        }
    }

    /**
     * The Windows side's name of a folder this JVM reached: the folder itself on Windows; on the Unix
     * side of Wine, a path through the prefix's dosdevices links back to its drive, anything else on Z:.
     */
    static String windowsPath(File folder, String osName, String winePrefix, String userHome) {
        String path = folder.getAbsolutePath();
        if (osName.startsWith("Windows")) {
            return path;
        }
        String prefix = winePrefix == null || winePrefix.isEmpty() ? userHome + "/.wine" : winePrefix;
        String devices = prefix + "/dosdevices/";
        if (path.startsWith(devices) && path.length() >= devices.length() + 2 && path.charAt(devices.length() + 1) == ':') {
            String drive = path.substring(devices.length(), devices.length() + 2).toUpperCase();
            return drive + path.substring(devices.length() + 2).replace('/', '\\');
        }
        return "Z:" + path.replace('/', '\\');
    }

    static String windowsPath(File folder) {
        return windowsPath(folder, System.getProperty("os.name"), System.getenv("WINEPREFIX"),
                System.getProperty("user.home"));
    }

    /** The folder to install into: the text after -q or -s, else APP_FOLDER in the start folder. */
    File target(String[] args) throws Failure {
        String given = targetArgument(args);
        for (String ignored : ignoredArguments(args)) {
            log("ignored argument: " + ignored);
        }
        if (given != null) {
            return new File(hostPath(given)).getAbsoluteFile();
        }
        return new File(hostPath(startFolder()), APP_FOLDER);
    }

    /**
     * The words after the first -q or -s, joined with blanks: the start-up program does not quote a
     * target without quotes in it, so a target with blanks arrives in pieces. Null without a target.
     */
    static String targetArgument(String[] args) {
        for (int i = 0; i < args.length; i++) {
            if (isTargetSwitch(args[i]) && i + 1 < args.length) {
                String joined = String.join(" ", Arrays.asList(args).subList(i + 1, args.length));
                return joined.trim().isEmpty() ? null : joined;
            }
        }
        return null;
    }

    /** The words before the target switch: none of them means anything to this wizard. */
    static List<String> ignoredArguments(String[] args) {
        List<String> ignored = new ArrayList<>();
        for (String arg : args) {
            if (isTargetSwitch(arg)) {
                break;
            }
            if (!arg.isEmpty()) {
                ignored.add(arg);
            }
        }
        return ignored;
    }

    private static boolean isTargetSwitch(String arg) {
        return arg.equals("-q") || arg.equals("-s");
    }

    /** The first line of startdir.txt, or the parent of the package folder when it names none. */
    String startFolder() throws Failure {
        File record = new File(here, "startdir.txt");
        String first = "";
        try {
            List<String> lines = Files.readAllLines(record.toPath(), Charset.defaultCharset());
            if (!lines.isEmpty()) {
                first = withoutByteOrderMark(lines.get(0)).trim();
            }
        } catch (NoSuchFileException e) {
            // No record: the package was started from the folder above its own.
        } catch (IOException e) {
            throw new Failure("cannot read " + record + ": " + e);
        }
        if (!first.isEmpty()) {
            return first;
        }
        String parent = here.getParent();
        if (parent == null) {
            throw new Failure("no start folder: startdir.txt names none and " + here + " has no parent");
        }
        return parent;
    }

    private static String withoutByteOrderMark(String line) {
        return line.startsWith("\uFEFF") ? line.substring(1) : line;
    }

    /**
     * The path under which this JVM finds a file that the Windows side calls PATH. The start-up program
     * writes Windows paths; when the wizard runs on the Unix side of Wine, "X:\rest" is reached through
     * the prefix's dosdevices links. Other paths, and every path on Windows, stay as they are.
     */
    static String hostPath(String path, String osName, String winePrefix, String userHome) {
        boolean drivePath = path.length() >= 3 && Character.isLetter(path.charAt(0)) && path.charAt(1) == ':'
                && (path.charAt(2) == '\\' || path.charAt(2) == '/');
        if (!drivePath || osName.startsWith("Windows")) {
            return path;
        }
        String prefix = winePrefix == null || winePrefix.isEmpty() ? userHome + "/.wine" : winePrefix;
        return prefix + "/dosdevices/" + Character.toLowerCase(path.charAt(0)) + ":/"
                + path.substring(3).replace('\\', '/');
    }

    static String hostPath(String path) {
        return hostPath(path, System.getProperty("os.name"), System.getenv("WINEPREFIX"),
                System.getProperty("user.home"));
    }

    /** native.properties as the start-up program left it; empty when it left none. */
    private Properties nativeProperties() throws Failure {
        Properties chosen = new Properties();
        File record = new File(here, "native.properties");
        if (!record.exists()) {
            log("no native.properties in " + here);
            return chosen;
        }
        try (InputStream in = new FileInputStream(record)) {
            chosen.load(in);
        } catch (IOException e) {
            throw new Failure("cannot read " + record + ": " + e);
        }
        return chosen;
    }

    private static void createFolder(File target) throws Failure {
        try {
            Files.createDirectories(target.toPath());
        } catch (IOException e) {
            throw new Failure("cannot create the folder " + target + ": " + e);
        }
    }

    private static void copyPayload(String name, File destination) throws Failure {
        try (InputStream in = Install.class.getResourceAsStream("payload/" + name)) {
            if (in == null) {
                throw new Failure("the wizard's archive lacks payload/" + name);
            }
            Files.copy(in, destination.toPath(), StandardCopyOption.REPLACE_EXISTING);
        } catch (IOException e) {
            throw new Failure("cannot install " + destination + ": " + e);
        }
    }

    /**
     * The application reads this with java.util.Properties and run.bat with cmd: forward slashes are
     * read alike by both, where a backslash would be an escape to the one.
     */
    private static void writeJvmRecord(File record, String jvmHome) throws Failure {
        String text = "# The Java runtime the Quivrell sample application runs on, as its installer found it."
                + System.lineSeparator() + "jvmHomeDir=" + jvmHome.replace('\\', '/') + System.lineSeparator();
        try (Writer w = new OutputStreamWriter(new FileOutputStream(record), Charset.defaultCharset())) {
            w.write(text);
        } catch (IOException e) {
            throw new Failure("cannot write " + record + ": " + e);
        }
    }

    /** One line to wizard.log in the package folder and to standard output. */
    void log(String line) throws Failure {
        out.println(line);
        try {
            appendToLog(line);
        } catch (IOException e) {
            throw new Failure("cannot write " + new File(here, "wizard.log") + ": " + e);
        }
    }

    /** The reason to the user's console and, where it can still be written, to wizard.log. */
    void fail(String reason) {
        String line = "installation failed: " + reason;
        System.err.println(line);
        try {
            appendToLog(line);
        } catch (IOException e) {
            System.err.println("cannot write wizard.log either: " + e);
        }
    }

    private void appendToLog(String line) throws IOException {
        File logFile = new File(here, "wizard.log");
        try (Writer w = new OutputStreamWriter(new FileOutputStream(logFile, true), Charset.defaultCharset())) {
            w.write(line + System.lineSeparator());
        }
    }
}
