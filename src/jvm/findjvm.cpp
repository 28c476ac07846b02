#include "jvm/findjvm.h"

#include "jvm/jvmwin.h"
#include "support/textbuf.h"

#include <string>

FindJvm::FindJvm() : hwnd(nullptr) {}

FindJvm::~FindJvm() = default;

void FindJvm::setHwnd(HWND window)
{
    hwnd = window;
}

bool FindJvm::isJvmInstalled(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmName,
                             char* jvmCommandName, char* jvmPath)
{
    std::string given = jvmCommandName;
    JvmWin search;
    search.setHwnd(hwnd);
    if (search.searchWindowsForJvm(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmName, jvmCommandName,
                                   jvmPath))
        return true;
    copyText(jvmCommandName, 5001, given.c_str());
    return false;
}
