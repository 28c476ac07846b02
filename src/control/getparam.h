// GetParameters: normalises, reads and completes the control file "qiv.control".
#pragma once

#include "control/controlfile.h"
#include "support/trace.h"

#include <windows.h>

class GetParameters : public Trace {
public:
    GetParameters();
    ~GetParameters();

    void setHwnd(HWND window);

    // Fills values from the control file, and its controlFileName with "qiv.control". True when the
    // file was converted and read; on false the user has seen an error box.
    bool getParameters(ControlValues& values);

    // Rewrites the file in place with the platform's line ends and without stray CRs. False (with a
    // log line and an error box) when it cannot be read or rewritten; the file is then unchanged.
    bool convertLineEndings(const char* fileName);

    // Reads the file into values, then completes them with verifyParameters. False only when the
    // file cannot be opened; all values are empty then.
    bool parseParameters(ControlValues& values, const char* fileName);

    // Fills the defaults and normalises the launcher name in place; always true.
    bool verifyParameters(ControlValues& values);

    void removeExtraBackSlashes(char* switches);
    bool isfilenameChar(char c);

private:
    HWND hwnd;
};
