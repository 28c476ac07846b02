// The program's diagnostics: time-stamped lines appended to small files in the current folder.
#pragma once

// The program's two logs: every failure is written to the first, every step traced to the second
// (which traces only while it exists).
inline constexpr const char* errorsLog = "errors.log";
inline constexpr const char* traceLog = "jinstall.log";

// Writes log lines, creating the file when needed. A file that cannot be opened loses the line
// without a report. While "term.log" exists every line is echoed to standard output.
class Log {
public:
    void logMessage(const char* file, const char* message);
    // The label followed by ": true" or ": false".
    void logMessage(const char* file, const char* label, bool value);
    // Both texts joined by one blank.
    void logMessage(const char* file, const char* first, const char* second);
};

// Appends text and a line end, without a timestamp, to "changes.txt", the record of system changes.
void logSystemChange(const char* text);
