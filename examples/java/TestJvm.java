import java.io.File;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.Writer;

/**
 * The package's JVM test: started on a candidate JVM, it leaves that JVM's version in
 * FOLDER/jvmGood.txt for the start-up program to judge.
 */
public class TestJvm {
    public static void main(String[] args) throws IOException {
        // A folder with blanks arrives in pieces when the caller did not quote it.
        StringBuilder folder = new StringBuilder();
        for (String piece : args) {
            if (folder.length() > 0) {
                folder.append(' ');
            }
            folder.append(piece);
        }
        if (folder.length() == 0) {
            System.err.println("usage: java -cp FOLDER_OF_THIS_CLASS TestJvm RESULT_FOLDER");
            System.exit(2);
        }
        try (Writer out = new OutputStreamWriter(
                new FileOutputStream(new File(folder.toString(), "jvmGood.txt")), "ISO-8859-1")) {
            out.write("java.version=" + System.getProperty("java.version") + "\n");
        }
    }
}
