// The registry entries of a newly installed JVM, in the layout the search reads back. Nothing that is
// there is ever overwritten, and nothing is deleted.
#include "jvm/installjvm.h"

#include "control/registryswitch.h"
#include "jvm/installrules.h"
#include "jvm/versionrules.h"
#include "support/fsys.h"
#include "support/handles.h"
#include "support/registry.h"
#include "support/textbuf.h"

#include <string>

namespace {
const char* const traceLog = "jinstall.log";
const char* const runtimeKey = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
} // namespace

bool InstallJvm::configureWinReg()
{
    if (isVistaOrWindows7()) {
        traceMessage(traceLog, "not configuring vista/7 registry");
        return false;
    }
    return configureRegistrySwitch(*this);
}

bool InstallJvm::addJvmToRegistry(const char* key, const char* valueName, const char* version, const char* micro,
                                  const char* home, const char* launcher)
{
    addJvmTopLevelKey(key, version);
    std::string versionKey = std::string(key) + "\\" + version;
    if (versionKey.size() >= 5000) {
        traceMessage(traceLog, "unable to add registry key", versionKey.c_str());
        traceMessage(traceLog, "unable to addJvmToRegistry");
        return false;
    }

    UniqueHkey existing = openRegKey(HKEY_LOCAL_MACHINE, versionKey.c_str(), KEY_QUERY_VALUE);
    if (!existing) existing = openRegKey(HKEY_LOCAL_MACHINE, versionKey.c_str(), KEY_QUERY_VALUE);
    if (existing) {
        char microVersion[5000];
        // A version key that knows its micro version belongs to a JVM that is registered already.
        if (readRegText(existing.get(), "MicroVersion", microVersion, sizeof microVersion)) return true;
        HKEY writable = nullptr;
        if (addToRegistry(HKEY_LOCAL_MACHINE, versionKey.c_str(), &writable)) {
            UniqueHkey owned(writable);
            addJvmSubentries(owned.get(), valueName, version, micro, home, launcher);
        }
        return true;
    }

    HKEY created = nullptr;
    if (!addToRegistry(HKEY_LOCAL_MACHINE, versionKey.c_str(), &created) &&
        !addToRegistry(HKEY_LOCAL_MACHINE, versionKey.c_str(), &created)) {
        traceMessage(traceLog, "unable to add registry key", versionKey.c_str());
        traceMessage(traceLog, "unable to addJvmToRegistry");
        return false;
    }
    UniqueHkey owned(created);
    addJvmSubentries(owned.get(), valueName, version, micro, home, launcher);
    return true;
}

void InstallJvm::addJvmTopLevelKey(const char* key, const char* version)
{
    HKEY opened = nullptr;
    if (!addToRegistry(HKEY_LOCAL_MACHINE, key, &opened)) return;
    UniqueHkey owned(opened);
    char family[100], micro[100];
    parseVersion(version, family, sizeof family, micro, sizeof micro);
    char current[5000];
    // Only a machine without a current runtime gets one.
    if (!readRegText(owned.get(), "CurrentVersion", current, sizeof current))
        addValueToRegistry(owned.get(), "CurrentVersion", family);
}

void InstallJvm::addJvmSubentries(HKEY versionKey, const char* valueName, const char* version, const char* micro,
                                  const char* home, const char* launcher)
{
    addValueToRegistry(versionKey, valueName, home);
    addValueToRegistry(versionKey, "MicroVersion", micro);
    if (!startsWith(launcher, "java") || !isJava2Version(version)) return;
    for (const std::string& library : runtimeLibraryCandidates(home)) {
        if (library.size() <= installPathLimit && pathExists(library.c_str())) {
            addValueToRegistry(versionKey, "RuntimeLib", library.c_str());
            return;
        }
    }
}

bool InstallJvm::configureJava2(const char* family, const char* micro, const char* home, const char* launcher)
{
    std::string fullVersion = std::string(family) + "." + micro;
    return addJvmToRegistry(runtimeKey, "JavaHome", fullVersion.c_str(), micro, home, launcher);
}
