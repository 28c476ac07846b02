// The launcher shell: the process entry with its hidden main window and message loops, the status
// dialog, and the worker thread that runs the installation.
#pragma once

#include <windows.h>

#include <atomic>

extern HINSTANCE hInst;
extern std::atomic<bool> postedQuit;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StatusDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The start folder from "startdir.txt" in the current folder, into a pathSize-byte buffer.
void getStartDir(char* buffer);

// The status text for a control of the dialog in the user's language, into a messageSize-byte buffer.
void getMessage(HWND dialog, int controlId, char* text);

// Entry of the worker thread: switches, the cleanup program's copy, the installation, and the
// deletion of the installation marker as its last act.
void __cdecl startMainThread(void* commandLine);

// Runs the installation; 1 when it succeeded, else 0.
int startProgram(bool quiet, bool silent, char* wizardArgument);
