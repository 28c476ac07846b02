// JvmWin: the walk through the JavaSoft registry keys for an installed JVM of an acceptable version,
// highest version name first.
#pragma once

#include "jvm/jvmrequest.h"
#include "support/statuswin.h"
#include "support/trace.h"

#include <windows.h>

#include <memory>

class JvmWin : public Trace {
public:
    JvmWin();
    ~JvmWin();

    void setHwnd(HWND window);

    // Tries the runtime, the development kit and the plug-in keys ("Java Plug-in" installations: the
    // plug-in key only). jvmCommandName (launcherNameSize bytes) is restored after every failed product.
    bool searchWindowsForJvm(const VersionRules& rules, const char* jvmName, char* jvmCommandName, char* jvmPath);
    bool searchRegistryForJvm(const char* productKey, const VersionRules& rules, char* jvmCommandName,
                              char* jvmPath);
    // The number of subkeys of the open product key.
    int getJvmEntryCount(HKEY key);
    // Fills names (room for count entries) with new valueSize-byte copies of the subkey names; returns
    // how many it listed.
    int getAvailableVersions(HKEY key, char** names, int count);
    // Tries the names from the last to the first.
    bool findMostRecentJvm(char** names, int count, const char* productKey, const VersionRules& rules,
                           char* jvmCommandName, char* jvmPath);
    // Reads one version subkey; version (valueSize bytes) is extended by its micro version, javaHome
    // (valueSize bytes) receives its home folder.
    bool lookUpRegistryEntryForJvm(const char* productKey, const VersionRules& rules, char* version,
                                   char* jvmCommandName, char* javaHome, char* jvmPath);
    static int compareStrings(const void* a, const void* b);

private:
    HWND hwnd;
    std::unique_ptr<Status> progress; // the progress calls only
};
