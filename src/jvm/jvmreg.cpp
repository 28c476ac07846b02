// The registry entries of a newly installed JVM, in the layout the search reads back, and the two
// careful writers: nothing that is there is ever overwritten, and nothing is deleted.
#include "jvm/installjvm.h"

#include "control/registryswitch.h"
#include "jvm/installrules.h"
#include "jvm/javasoft.h"
#include "jvm/versionrules.h"
#include "support/fsys.h"
#include "support/handles.h"
#include "support/registry.h"
#include "support/textbuf.h"
#include "support/winfacts.h"

#include <cstring>

#include <string>

namespace {
// Access rights for a key that is written, widest first; the middle one is tried twice.
const REGSAM writeRights[] = {KEY_ALL_ACCESS, KEY_READ | KEY_WRITE, KEY_READ | KEY_WRITE, KEY_CREATE_SUB_KEY};
} // namespace

bool InstallJvm::configureWinReg()
{
    if (isVistaOrWindows7(*this)) {
        traceMessage(traceLog, "not configuring vista/7 registry");
        return false;
    }
    return configureRegistrySwitch(*this);
}

bool InstallJvm::addJvmToRegistry(const char* key, const char* version, const char* micro, const char* home,
                                  const char* launcher)
{
    addJvmTopLevelKey(key, version);
    std::string versionKey = std::string(key) + "\\" + version;
    if (versionKey.size() >= valueSize) {
        traceMessage(traceLog, "unable to add registry key", versionKey.c_str());
        traceMessage(traceLog, "unable to addJvmToRegistry");
        return false;
    }

    UniqueHkey existing = openRegKey(HKEY_LOCAL_MACHINE, versionKey.c_str(), KEY_QUERY_VALUE);
    if (!existing) existing = openRegKey(HKEY_LOCAL_MACHINE, versionKey.c_str(), KEY_QUERY_VALUE);
    if (existing) {
        char microVersion[valueSize];
        // A version key that knows its micro version belongs to a JVM that is registered already.
        if (readRegText(existing.get(), "MicroVersion", microVersion, sizeof microVersion)) return true;
        HKEY writable = nullptr;
        if (addToRegistry(HKEY_LOCAL_MACHINE, versionKey.c_str(), &writable)) {
            UniqueHkey owned(writable);
            addJvmSubentries(owned.get(), version, micro, home, launcher);
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
    addJvmSubentries(owned.get(), version, micro, home, launcher);
    return true;
}

void InstallJvm::addJvmTopLevelKey(const char* key, const char* version)
{
    HKEY opened = nullptr;
    if (!addToRegistry(HKEY_LOCAL_MACHINE, key, &opened)) return;
    UniqueHkey owned(opened);
    char family[versionPartSize], micro[versionPartSize];
    parseVersion(version, family, sizeof family, micro, sizeof micro);
    char current[valueSize];
    // Only a machine without a current runtime gets one.
    if (!readRegText(owned.get(), "CurrentVersion", current, sizeof current))
        addValueToRegistry(owned.get(), "CurrentVersion", family);
}

void InstallJvm::addJvmSubentries(HKEY versionKey, const char* version, const char* micro, const char* home,
                                  const char* launcher)
{
    addValueToRegistry(versionKey, "JavaHome", home);
    addValueToRegistry(versionKey, "MicroVersion", micro);
    if (!startsWith(launcher, "java") || !isJava2Version(version)) return;
    for (const std::string& library : runtimeLibraryCandidates(home)) {
        if (library.size() <= pathLimit && pathExists(library.c_str())) {
            addValueToRegistry(versionKey, "RuntimeLib", library.c_str());
            return;
        }
    }
}

bool InstallJvm::configureJava2(const char* family, const char* micro, const char* home, const char* launcher)
{
    std::string fullVersion = std::string(family) + "." + micro;
    return addJvmToRegistry(runtimeKey, fullVersion.c_str(), micro, home, launcher);
}

bool InstallJvm::addToRegistry(HKEY root, const char* subkey, HKEY* key)
{
    *key = nullptr;
    if (UniqueHkey probe = openRegKey(root, subkey, KEY_QUERY_VALUE)) {
        probe.reset();
        for (REGSAM rights : writeRights)
            if (RegOpenKeyExA(root, subkey, 0, rights, key) == ERROR_SUCCESS) return true;
    }
    for (REGSAM rights : writeRights)
        if (RegCreateKeyExA(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, rights, nullptr, key, nullptr) ==
            ERROR_SUCCESS)
            return true;
    *key = nullptr;
    traceMessage(traceLog, "Unable to create registry key", subkey);
    return false;
}

bool InstallJvm::addValueToRegistry(HKEY key, const char* name, const char* value)
{
    char existing[valueSize];
    if (readRegText(key, name, existing, sizeof existing)) {
        traceMessage(traceLog, name, "already exists in registry");
        return true;
    }
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(std::strlen(value) + 1));
    return true;
}
