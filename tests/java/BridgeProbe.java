import java.io.File;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.util.ArrayList;
import java.util.List;

/**
 * Started through the Java bridge by bridge_test.sh: records in probe.txt, in its current folder,
 * what java received. "exit N" ends with code N; "sleep" waits to be killed.
 */
public class BridgeProbe {
    public static void main(String[] args) throws Exception {
        List<String> lines = new ArrayList<>();
        lines.add("cwd=" + new File("").getAbsolutePath());
        lines.add("CLASSPATH=" + System.getenv("CLASSPATH"));
        lines.add("java.class.path=" + System.getProperty("java.class.path"));
        lines.add("probe.path=" + System.getProperty("probe.path"));
        for (String arg : args) {
            lines.add("arg=" + arg);
        }
        lines.add("pid=" + ProcessHandle.current().pid());
        lines.add("parent=" + ProcessHandle.current().parent().map(ProcessHandle::pid).orElse(-1L));
        // Whole or not at all: the test reads it while this process sleeps.
        Path partial = Paths.get("probe.tmp");
        Files.write(partial, lines);
        Files.move(partial, Paths.get("probe.txt"), StandardCopyOption.ATOMIC_MOVE);
        if (args.length == 2 && args[0].equals("exit")) {
            System.exit(Integer.parseInt(args[1]));
        }
        if (args.length == 1 && args[0].equals("sleep")) {
            Thread.sleep(120_000);
        }
    }
}
