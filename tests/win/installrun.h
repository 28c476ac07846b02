// A package folder for one run of the installation sequence in the test process: English boxes, the
// status-window marker in place, and every box caught.
#pragma once

#include "installer/installer.h"
#include "support/markers.h"
#include "msgbox.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

struct InstallRun : TestFolder {
    ScopedUserLocale locale{"English_United States.1252"};
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"}; // no JVM on the machine
    std::unique_ptr<Install> installation = std::make_unique<Install>();
    std::vector<CaughtBox> boxes;

    // innerName: the package folder gets that name, inside a fresh folder of the test's own.
    explicit InstallRun(const std::string& innerName = "") : TestFolder(innerName)
    {
        setMarkerPaths(native().c_str());
        writeFile("__qivshow.sem", "ok\n");
    }
    ~InstallRun() { setMarkerPaths(""); }

    bool run(bool quiet = false, bool silent = false, std::string wizardArgument = "")
    {
        MessageBoxCatcher catcher;
        bool ok = installation->install(quiet, silent, wizardArgument.data());
        boxes = catcher.boxes();
        return ok;
    }
};

inline const char* englishSuffix() { return "\n\nSee errors.log and jinstall.log files for details."; }

inline bool traced(const std::string& line)
{
    Lines trace = readLogLines("jinstall.log");
    return std::find(trace.begin(), trace.end(), line) != trace.end();
}
