// Runs a program of ours as a separate Windows process, the way a package's unpacker starts
// qivstart.exe, and looks at its windows from the outside.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The Windows path of a program named by an environment variable of the test (QIV_PROGRAM and so on).
std::string programFromEnvironment(const char* variable);

// Polls condition every few milliseconds until it holds or timeoutMs passes.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

class ProgramRun {
public:
    // Starts program with the command-line text arguments (what follows the program's name) in folder.
    ProgramRun(const std::string& program, const std::string& arguments, const std::string& folder);
    ~ProgramRun(); // ends the process when a test left it running
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool running() const;
    // Waits for the process to end; false on timeout. The exit code is kept.
    bool waitForExit(DWORD timeoutMs);
    DWORD exitCode() const { return exitCode_; }

    // The process's top-level window of that class (null: any) and title (null: any).
    HWND window(const char* windowClass, const char* title, bool visibleOnly) const;
    // The process's message boxes (titles beginning with "Quivrell Installer").
    std::vector<HWND> boxes() const;
    // Answers every box not answered before with OK; returns their texts. anyProcess: the boxes of
    // every process (a setup's run is a process of its own).
    std::vector<std::string> answerBoxes(bool anyProcess = false);

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    DWORD exitCode_ = STILL_ACTIVE;
    std::vector<HWND> answered_;
};

// A window's text, read without blocking on a busy window thread.
std::string windowText(HWND window);
