// The part of every logging object that talks to the user: its language, detected once when the
// object is made, and the modal message boxes.
#pragma once

#include <windows.h>

class Status {
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    // Progress is shown by the status dialog, not here: these hooks do nothing.
    void showStatus(const char* text, int percentage);
    void showStatus(const char* text);
    void showStatus(int percentage);

    // Removes "__qivshow.sem", then shows text in a box with an exclamation icon until it is closed.
    void showMessage(const char* text);

    // Removes "__qivshow.sem", then shows text and the sentence of the user's language that points to
    // the logs, in a system-modal error box, until it is closed. The box has no owner: owner is
    // accepted for the callers' sake and not used.
    void showError(HWND owner, const char* text);

    const char* getLanguageName() const { return language; }

protected:
    char* language; // messageSize bytes
};
