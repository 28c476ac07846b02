import java.nio.file.Files;
import java.nio.file.Paths;

/**
 * Started through the Java bridge by bridge_test.sh: prints what java received and exits with the number of
 * its arguments. "sleep" leaves its process id in java.pid, in its current folder, and waits to be killed.
 */
public class BridgeProbe {
    public static void main(String[] args) throws Exception {
        System.out.println("CLASSPATH=" + System.getenv("CLASSPATH"));
        System.out.println("java.class.path=" + System.getProperty("java.class.path"));
        System.out.println("probe.path=" + System.getProperty("probe.path"));
        for (String arg : args) {
            System.out.println("arg=" + arg);
        }
        if (args.length == 1 && args[0].equals("sleep")) {
            Files.write(Paths.get("java.pid"), Long.toString(ProcessHandle.current().pid()).getBytes());
            Thread.sleep(120_000);
        }
        System.exit(args.length);
    }
}
