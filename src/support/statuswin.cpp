#include "support/statuswin.h"

#include "support/langtext.h"
#include "support/language.h"
#include "support/limits.h"
#include "support/markers.h"

#include <string>

namespace {
const char* const messageTitle = "Quivrell Installer";
const char* const errorTitle = "Quivrell Installer: Error";
constexpr UINT messageStyle = MB_OK | MB_ICONEXCLAMATION;              // 0x30
constexpr UINT errorStyle = MB_OK | MB_ICONHAND | MB_SYSTEMMODAL;      // 0x1010
} // namespace

Status::Status() : language(new char[messageSize])
{
    getLanguage(language);
}

Status::~Status()
{
    delete[] language;
}

void Status::showStatus(const char*, int) {}
void Status::showStatus(const char*) {}
void Status::showStatus(int) {}

void Status::showMessage(const char* text)
{
    // By its full path: the worker may be in another folder by now (the JVM installation moves).
    dropMarker(showDialogFilename);
    MessageBoxA(nullptr, text, messageTitle, messageStyle);
}

void Status::showError(HWND, const char* text)
{
    std::string message = text;
    message += errorSuffix(language);
    dropMarker(showDialogFilename);
    MessageBoxA(nullptr, message.c_str(), errorTitle, errorStyle);
}
