// FindJvm: the search for an installed JVM of an acceptable version.
#pragma once

#include "jvm/jvmrequest.h"
#include "support/trace.h"

#include <windows.h>

class FindJvm : public Trace {
public:
    FindJvm();
    ~FindJvm();

    void setHwnd(HWND window);

    // True for a JVM whose version was verified: jvmPath (pathSize bytes) holds its launcher and the
    // request's commandName the launcher name that was accepted. On false commandName holds the name
    // it had on entry.
    bool isJvmInstalled(const JvmRequest& request, char* jvmPath);

    // The extended search (jvm/extsearch.cpp), for when isJvmInstalled found nothing: the homes the
    // registry's vendor keys, JAVA_HOME, PATH and the usual folders name, highest version first, each
    // verified by the test class with versions read as numbers. The same results as isJvmInstalled.
    bool searchExtended(const JvmRequest& request, char* jvmPath);

private:
    HWND hwnd;
};
