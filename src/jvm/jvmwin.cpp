#include "jvm/jvmwin.h"

#include "jvm/javasoft.h"
#include "jvm/jvmok.h"
#include "jvm/versionrules.h"
#include "support/handles.h"
#include "support/registry.h"
#include "support/textbuf.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr std::size_t nameSize = valueSize;
} // namespace

JvmWin::JvmWin() : hwnd(nullptr), progress(new Status) {}

JvmWin::~JvmWin() = default;

void JvmWin::setHwnd(HWND window)
{
    hwnd = window;
}

int JvmWin::compareStrings(const void* a, const void* b)
{
    return std::strcmp(*static_cast<const char* const*>(a), *static_cast<const char* const*>(b));
}

bool JvmWin::searchWindowsForJvm(const VersionRules& rules, const char* jvmName, char* jvmCommandName,
                                 char* jvmPath)
{
    std::string given = jvmCommandName;
    auto restore = [&] { copyText(jvmCommandName, launcherNameSize, given.c_str()); };
    progress->showStatus(1);
    if (!equalsNoCase(jvmName, "Java Plug-in")) {
        restore();
        bool found = searchRegistryForJvm(runtimeKey, rules, jvmCommandName, jvmPath);
        traceMessage(traceLog, "JRE registry entry had correct jvm info", found);
        if (found) return true;

        progress->showStatus(1);
        restore();
        found = searchRegistryForJvm(developmentKitKey, rules, jvmCommandName, jvmPath);
        traceMessage(traceLog, "JDK registry entry had correct jvm info", found);
        if (found) return true;
    }
    progress->showStatus(1);
    restore();
    bool found = searchRegistryForJvm(pluginKey, rules, jvmCommandName, jvmPath);
    traceMessage(traceLog, "Java Plugin registry entry had correct jvm info", found);
    if (!found) restore();
    return found;
}

bool JvmWin::searchRegistryForJvm(const char* productKey, const VersionRules& rules, char* jvmCommandName,
                                  char* jvmPath)
{
    UniqueHkey key = openRegKey(HKEY_LOCAL_MACHINE, productKey, KEY_READ);
    if (!key) {
        traceMessage(traceLog, "unable to find a compatible Jvm");
        return false;
    }
    int count = getJvmEntryCount(key.get());
    if (count == 0) {
        traceMessage(traceLog, "unable to find a compatible Jvm");
        return false;
    }
    std::vector<char*> names(static_cast<std::size_t>(count), nullptr);
    int listed = getAvailableVersions(key.get(), names.data(), count);
    bool found = false;
    if (listed > 0) {
        std::qsort(names.data(), static_cast<std::size_t>(listed), sizeof(char*), compareStrings);
        found = findMostRecentJvm(names.data(), listed, productKey, rules, jvmCommandName, jvmPath);
    }
    for (char* name : names) delete[] name;
    if (!found) traceMessage(traceLog, "unable to find a compatible Jvm");
    return found;
}

int JvmWin::getJvmEntryCount(HKEY key)
{
    traceMessage(traceLog, "counting registry elements");
    int count = 0;
    forEachSubkey(key, [&](const char*) { ++count; });
    return count;
}

int JvmWin::getAvailableVersions(HKEY key, char** names, int count)
{
    traceMessage(traceLog, "getting list of available versions");
    int listed = 0;
    forEachSubkey(key, [&](const char* name) {
        if (!name || listed >= count) return;
        names[listed] = new char[nameSize];
        copyText(names[listed], nameSize, name);
        ++listed;
    });
    return listed;
}

bool JvmWin::findMostRecentJvm(char** names, int count, const char* productKey, const VersionRules& rules,
                               char* jvmCommandName, char* jvmPath)
{
    traceMessage(traceLog, "searching registry entry", productKey);
    for (int i = count - 1; i >= 0; --i) {
        if (!names[i]) continue;
        std::unique_ptr<char[]> version(new char[nameSize]);
        std::unique_ptr<char[]> home(new char[nameSize]);
        copyText(version.get(), nameSize, names[i]);
        traceMessage(traceLog, "                 version", version.get());
        if (lookUpRegistryEntryForJvm(productKey, rules, version.get(), jvmCommandName, home.get(), jvmPath))
            return true;
    }
    return false;
}

bool JvmWin::lookUpRegistryEntryForJvm(const char* productKey, const VersionRules& rules, char* version,
                                       char* jvmCommandName, char* javaHome, char* jvmPath)
{
    javaHome[0] = '\0';
    char keyPath[nameSize];
    formatText(keyPath, sizeof keyPath, "%s\\%s", productKey, version);
    UniqueHkey key = openRegKey(HKEY_LOCAL_MACHINE, keyPath, KEY_QUERY_VALUE);
    if (!key) {
        traceMessage(traceLog, "no such registry entry", keyPath);
        return false;
    }

    std::unique_ptr<char[]> micro(new char[nameSize]);
    readRegText(key.get(), "MicroVersion", micro.get(), nameSize);
    if (micro[0]) {
        // The version grows by a dot and the micro version, within its buffer.
        appendText(version, nameSize, ".");
        appendText(version, nameSize, micro.get());
    } else if (equalsNoCase(productKey, pluginKey)) {
        const char* base = rules.required[0] ? rules.required : rules.min;
        char family[versionPartSize], microPart[versionPartSize];
        parseVersion(base, family, sizeof family, microPart, sizeof microPart);
        appendText(version, nameSize, ".");
        appendText(version, nameSize, microPart);
        traceMessage(traceLog, "no known minor version for", productKey);
    }

    if (!readRegText(key.get(), "JavaHome", javaHome, nameSize) && !readRegText(key.get(), "Home", javaHome, nameSize))
        traceMessage(traceLog, "no home directory for jvm", javaHome);
    key.reset();

    JvmOk checker;
    checker.setHwnd(hwnd);
    return checker.jvmCorrectVersion(rules, version, javaHome, jvmCommandName, jvmPath);
}
