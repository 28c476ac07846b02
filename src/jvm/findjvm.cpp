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

bool FindJvm::isJvmInstalled(const JvmRequest& request, char* jvmPath)
{
    std::string given = request.commandName;
    JvmWin search;
    search.setHwnd(hwnd);
    if (search.searchWindowsForJvm(request.rules, request.name, request.commandName, jvmPath)) return true;
    copyText(request.commandName, launcherNameSize, given.c_str());
    return false;
}
