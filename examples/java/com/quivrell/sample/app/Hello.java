package com.quivrell.sample.app;

import java.io.File;
import java.io.FileInputStream;
import java.io.IOException;
import java.io.InputStreamReader;
import java.io.Reader;
import java.net.URISyntaxException;
import java.util.Properties;

/** The sample application: it greets and says which JVM the installer chose for it. */
public final class Hello {
    public static void main(String[] args) throws IOException, URISyntaxException {
        File jar = new File(Hello.class.getProtectionDomain().getCodeSource().getLocation().toURI());
        File record = new File(jar.getParentFile(), "jvm.properties");
        Properties jvm = new Properties();
        // Written in the platform's encoding, like every text file of the package.
        try (Reader in = new InputStreamReader(new FileInputStream(record))) {
            jvm.load(in);
        }
        System.out.println("Hello from the Quivrell sample application.");
        System.out.println("Installed for the JVM in " + jvm.getProperty("jvmHomeDir", "(none recorded)")
                + "; running on Java " + System.getProperty("java.version") + ".");
    }
}
