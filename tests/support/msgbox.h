// Catches every message box that the code under test opens on this thread: records its title, text
// and style as the real window shows them, and answers it with OK. A box that opens while no catcher
// is in scope fails the running test (the test main installs that guard).
#pragma once

#include <string>
#include <vector>

struct CaughtBox {
    std::string title;
    std::string text;
    unsigned style = 0; // MB_ button set | icon | MB_SYSTEMMODAL, read back from the window
    bool owned = false; // the box has an owner window
};

class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtBox>& boxes() const { return boxes_; }

private:
    friend struct MessageBoxHook;
    MessageBoxCatcher* outer_;
    std::vector<CaughtBox> boxes_;
};

// Installs the thread's hook; boxes caught without a MessageBoxCatcher fail the current test.
void installMessageBoxGuard();
