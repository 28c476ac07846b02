#include "jvm/jvmok.h"

#include "jvm/numversion.h"
#include "jvm/versionrules.h"

JvmOk::JvmOk() : hwnd(nullptr) {}

JvmOk::~JvmOk() = default;

void JvmOk::setHwnd(HWND window)
{
    hwnd = window;
}

void JvmOk::judgeNumerically(bool numeric)
{
    numericRules = numeric;
}

bool JvmOk::verifyVersion(const VersionRules& rules, const char* foundVersion)
{
    bool ok = numericRules ? acceptNumericVersion(rules, foundVersion) : acceptVersion(rules, foundVersion);
    traceMessage(traceLog, "found jvm version:", foundVersion);
    traceMessage(traceLog, "       version ok", ok);
    return ok;
}

bool JvmOk::testLine(char* line, const VersionRules& rules)
{
    extractVersion(line);
    return verifyVersion(rules, line);
}
