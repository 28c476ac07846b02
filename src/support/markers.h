// What the two threads of the program share: the paths of the marker files, through which the worker
// tells the main thread how far the installation has got, and the status dialog's handle.
#pragma once

#include "support/limits.h"

#include <windows.h>

#include <atomic>

// The current folder at start, "\", "__qivinstall.sem": exists while the installation runs.
extern char waitInstallFilename[pathSize];
// The current folder at start, "\", "__qivshow.sem": exists while the status window is to stay.
extern char showDialogFilename[pathSize];
// The status dialog; null once it has been destroyed. The worker only reads it.
extern std::atomic<HWND> hDlgMain;

// Fills both marker paths from the folder (without a trailing backslash).
void setMarkerPaths(const char* folder);

// The window whose message loops watch the markers; null (the default) wakes nobody.
void setMarkerWatcher(HWND window);

// Deletes a marker (nothing when the path is empty) and, when that took a marker away, posts a
// message to the watching window: its loop then tests the markers at once instead of at its next
// timer tick. The markers stay the signal; the message only hastens the look at them.
void dropMarker(const char* path);

// True when every file the run names by its full path in folder (the markers, the logs, the cleanup
// program) stays below MAX_PATH, which the ANSI file functions need: folder has at most 242 characters.
bool markerPathsFit(const char* folder);
