// The browser launch of a Java Plug-in installation: the page opens in the browser registered for
// HTML pages, and the installation waits until the user has closed it.
#include "installer/installer.h"

#include "support/clib.h"
#include "support/fsys.h"
#include "support/markers.h"
#include "support/spawnargs.h"
#include "support/syslib.h"
#include "support/textbuf.h"

#include <process.h>

#include <cstring>
#include <string>

namespace {
const char* const notice = "Please exit your browser now to complete the configuration for this installation.\n\n"
                           "Make sure you are connected to the Internet until the installation finishes.";

using FindExecutable = HINSTANCE(WINAPI*)(LPCSTR, LPCSTR, LPSTR);

// The program associated with file in folder, by the shell's lookup; false when there is none.
bool associatedProgram(const char* file, const char* folder, char* program)
{
    HMODULE shell = loadSystemLibrary("Shell32.dll");
    if (!shell) return false;
    auto findExecutable =
        reinterpret_cast<FindExecutable>(reinterpret_cast<void*>(GetProcAddress(shell, "FindExecutableA")));
    if (!findExecutable) return false;
    char found[MAX_PATH] = "";
    if (reinterpret_cast<INT_PTR>(findExecutable(file, folder, found)) <= 32) return false;
    return copyText(program, pathSize, found);
}
} // namespace

bool Install::launchApplet(const char* url)
{
    const char* slash = std::strrchr(url, '/');
    std::string page = slash ? slash + 1 : url;
    char folder[pathSize];
    getCurrentDir(folder);

    char browser[pathSize] = "";
    if (!associatedProgram(page.c_str(), folder, browser) && !associatedProgram("installapp2.html", folder, browser))
        return false;

    dropMarker(showDialogFilename);
    // The address reaches the browser as one argument, also when it holds a blank.
    std::string address = asOneArgument(url);
    const char* const argv[] = {fileNamePart(browser), address.c_str(), nullptr};
    traceMessage(traceLog, browser, url);
    showMessage(notice);

    if (_spawnv(_P_WAIT, browser, argv) == -1) {
        std::string line = std::string("Unable to find browser. Start browser and go to URL: ") + url;
        logAndTraceMessage(errorsLog, traceLog, line.c_str());
        showError(hDlgMain.load(), "Unable to find broswer.\n");
        return false;
    }
    return true;
}
