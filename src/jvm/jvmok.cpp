#include "jvm/jvmok.h"

#include "jvm/versionrules.h"

namespace {
const char* const traceLog = "jinstall.log";
}

JvmOk::JvmOk() : hwnd(nullptr) {}

JvmOk::~JvmOk() = default;

void JvmOk::setHwnd(HWND window)
{
    hwnd = window;
}

bool JvmOk::verifyVersion(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                          const char* foundVersion)
{
    bool ok = acceptVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, foundVersion);
    traceMessage(traceLog, "found jvm version:", foundVersion);
    traceMessage(traceLog, "       version ok", ok);
    return ok;
}

bool JvmOk::testLine(char* line, const char* jvmRequiredVersion, const char* jvmMinVersion,
                     const char* jvmMaxVersion)
{
    extractVersion(line);
    return verifyVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, line);
}
