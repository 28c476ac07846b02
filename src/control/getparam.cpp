#include "control/getparam.h"

#include "control/controlfile.h"
#include "support/fsys.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <cstring>
#include <string>

namespace {
const char* const convertedCopy = "__qiv.control";
} // namespace

GetParameters::GetParameters() : hwnd(nullptr) {}

GetParameters::~GetParameters() = default;

void GetParameters::setHwnd(HWND window)
{
    hwnd = window;
}

bool GetParameters::getParameters(ControlValues& values)
{
    copyText(values.controlFileName, sizeof values.controlFileName, "qiv.control");
    if (!convertLineEndings(values.controlFileName)) return false;
    if (!parseParameters(values, values.controlFileName)) return false;

    char line[messageSize];
    validVersionsLine(line, sizeof line, values);
    traceMessage(traceLog, line);
    return true;
}

bool GetParameters::convertLineEndings(const char* fileName)
{
    UniqueFile in(fileName, "rb");
    if (!in) {
        logMessage(errorsLog, "Unable to open qiv.control");
        showError(hwnd, "Unable to open qiv.control");
        return false;
    }
    UniqueFile out(convertedCopy, "wb");
    bool converted = out && convertLineEndingsText(in.get(), out.get(), "\r\n");
    converted = out.close() && converted;
    in.close();

    // Only a complete copy replaces the file, in one step, so that a full disk never costs the package
    // its control file.
    if (!converted) {
        removeFile(convertedCopy);
        logMessage(errorsLog, "Unable to convert line endings for qiv.control");
        showError(hwnd, "Unable to convert line endings for qiv.control");
        return false;
    }
    // A read-only or locked control file still reads, and the reader takes either line end. Windows
    // refuses to replace a read-only file and Wine does not, so the attribute is asked first.
    DWORD attributes = GetFileAttributesA(fileName);
    bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly || !MoveFileExA(convertedCopy, fileName, MOVEFILE_REPLACE_EXISTING)) {
        removeFile(convertedCopy);
        logAndTraceMessage(errorsLog, traceLog, "Unable to replace qiv.control; it is read as it is");
    }
    return true;
}

bool GetParameters::parseParameters(ControlValues& values, const char* fileName)
{
    clearKeyValues(values);

    UniqueFile in(fileName, "rb");
    if (!in) {
        logAndTraceMessage(errorsLog, traceLog, "Unable to open file", fileName);
        showError(hwnd, "Unable to open control file");
        return false;
    }

    ControlParseEvents events;
    events.trace = [this](const char* first, const char* second) { traceMessage(traceLog, first, second); };
    events.valueTooLong = [this](const ControlKey& key, std::size_t length) {
        std::string message = "value too long in qiv.control, line ignored: ";
        message += key.name;
        message += " (" + std::to_string(length) + " characters, at most " + std::to_string(key.size - 1) + ")";
        logAndTraceMessage(errorsLog, traceLog, message.c_str());
    };
    parseControlText(in.get(), values, events);
    in.close();

    return verifyParameters(values);
}

bool GetParameters::verifyParameters(ControlValues& values)
{
    // A trace log that was there before the run (no marker of a log made by this run) asks for the
    // console launcher, so that its output can be seen.
    bool keepConsole = pathExists(traceLog) && !pathExists("jinstall.sem");
    verifyControlValues(values, keepConsole);
    return true;
}

void GetParameters::removeExtraBackSlashes(char* switches)
{
    ::removeExtraBackSlashes(switches, [this](const char* first, const char* second) {
        traceMessage(traceLog, first, second);
    });
}

bool GetParameters::isfilenameChar(char c)
{
    return ::isFilenameChar(c);
}
