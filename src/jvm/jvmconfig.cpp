// The configuration of a JVM that lies in its folder: its launcher found, its registry entries, and
// its launchers copied into the Windows directory when it is the machine's current runtime.
#include "jvm/installjvm.h"

#include "jvm/installrules.h"
#include "jvm/javasoft.h"
#include "jvm/versionrules.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/handles.h"
#include "support/registry.h"
#include "support/textbuf.h"

#include <string>


bool InstallJvm::configureJvm(const char* jvmVersion, const char* jvmName, char* jvmCommandName, const char* dir,
                              const char* home, bool configureRegistry)
{
    showStatus(1);
    traceMessage(traceLog, "about to configure jvm", jvmVersion);
    if (!homeDirectory[0]) copyText(homeDirectory, sizeof homeDirectory, home);

    // The given launcher, or for a name of the 1.1 family, the later family's default launcher.
    const std::string given = jvmCommandName;
    const std::string fallback = pathExists("jinstall.sem") ? "javaw.exe" : "java.exe";
    const bool replaceable = startsWith(jvmCommandName, "jre");
    std::string launcher;
    for (const char* folder : {"\\", "\\bin\\"}) {
        if (pathExists((std::string(dir) + folder + given).c_str())) {
            launcher = given;
            break;
        }
        if (replaceable && pathExists((std::string(dir) + folder + fallback).c_str())) {
            launcher = fallback;
            break;
        }
    }
    if (launcher.empty()) {
        logAndTraceMessage(errorsLog, traceLog, "Unable to find JVM executable");
        logAndTraceMessage(errorsLog, traceLog, "Unable to configure JVM in", dir);
        traceMessage(traceLog, "configureJvm ok", false);
        return false;
    }
    if (configureRegistry) configureWinJvm(jvmVersion, jvmName, launcher.c_str(), dir);
    copyText(jvmCommandName, launcherNameSize, launcher.c_str());
    traceMessage(traceLog, "configureJvm ok", true);
    return true;
}

bool InstallJvm::configureWinJvm(const char* jvmVersion, const char* jvmName, const char* launcher, const char* dir)
{
    if (!configureWinReg())
        traceMessage(traceLog, "Windows registry unchanged");
    else if (!_configureWinJvm(jvmVersion, jvmName, launcher, dir))
        traceMessage(traceLog, "Warning: Windows registry *not* configured properly");
    else
        traceMessage(traceLog, "Windows registry configured");
    return true;
}

bool InstallJvm::_configureWinJvm(const char* jvmVersion, const char* jvmName, const char* launcher, const char* dir)
{
    char family[versionPartSize], micro[versionPartSize];
    parseVersion(jvmVersion, family, sizeof family, micro, sizeof micro);
    std::string home = registryJvmHome(dir);
    std::string lowerLauncher = launcher;
    lowerAscii(lowerLauncher.data());
    if (equalsNoCase(jvmName, "JDK")) {
        bool registered = addJvmToRegistry(developmentKitKey, family, micro, home.c_str(), launcher);
        // A development kit without a runtime launcher is registered as that alone.
        if (lowerLauncher.find("jre") == std::string::npos && lowerLauncher.find("java") == std::string::npos)
            return registered;
    }
    return configureJre(family, micro, home.c_str(), launcher);
}

bool InstallJvm::configureJre(const char* family, const char* micro, const char* home, const char* launcher)
{
    if (!addJvmToRegistry(runtimeKey, family, micro, home, launcher)) return false;
    copyJreFilesToHome(family, home, launcher);
    if (startsWith(family, "1.1")) return true;
    return configureJava2(family, micro, home, launcher);
}

bool InstallJvm::copyJreFilesToHome(const char* family, const char* home, const char* launcher)
{
    UniqueHkey key = openRegKey(HKEY_LOCAL_MACHINE, runtimeKey, KEY_READ);
    if (!key) return true;
    char current[valueSize];
    readRegText(key.get(), "CurrentVersion", current, sizeof current);
    // Only the machine's current runtime puts its launchers into the Windows directory.
    if (std::string(current) != family) return true;

    std::string partner = launcherPartner(family, launcher);
    std::string bin = std::string(home) + "\\bin\\";
    copyJvmFile((bin + launcher).c_str(), (std::string(homeDirectory) + "\\" + launcher).c_str());
    copyJvmFile((bin + partner).c_str(), (std::string(homeDirectory) + "\\" + partner).c_str());
    copyJvmFile((bin + "msvcrt.dll").c_str(), (std::string(homeDirectory) + "\\system\\msvcrt.dll").c_str());
    return true;
}

bool InstallJvm::copyJvmFile(const char* from, const char* to)
{
    if (!pathExists(from)) {
        traceMessage(traceLog, "unable to copy file from", from);
        traceMessage(traceLog, "                      to", to);
        return false;
    }
    if (pathExists(to)) return true; // never over a file that is there
    return copyFile(from, to);
}
