#include "msgbox.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
MessageBoxCatcher* current = nullptr;
HHOOK hook = nullptr;
std::vector<HWND> pending;
} // namespace

struct MessageBoxHook {
    // The program shows only OK boxes: any other button makes the set something else than MB_OK.
    static unsigned buttonSet(HWND box)
    {
        for (int id : {IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
            HWND button = GetDlgItem(box, id);
            if (button && IsWindowVisible(button)) return MB_TYPEMASK;
        }
        return MB_OK;
    }

    static unsigned iconOf(HWND box)
    {
        static const std::pair<LPCSTR, unsigned> known[] = {{IDI_HAND, MB_ICONHAND}, {IDI_QUESTION, MB_ICONQUESTION},
            {IDI_EXCLAMATION, MB_ICONEXCLAMATION}, {IDI_ASTERISK, MB_ICONASTERISK}};
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            if (!icon) continue;
            for (const auto& [id, flag] : known)
                if (icon == LoadIconA(nullptr, id)) return flag;
        }
        return 0;
    }

    static CaughtBox read(HWND box)
    {
        CaughtBox caught;
        char text[8192];
        GetWindowTextA(box, text, sizeof text);
        caught.title = text;
        text[0] = '\0';
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        caught.text = text;
        caught.style = buttonSet(box) | iconOf(box);
        if (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) caught.style |= MB_SYSTEMMODAL;
        caught.owned = GetWindow(box, GW_OWNER) != nullptr;
        return caught;
    }

    // Runs inside the box's own message loop, after the box has been filled in.
    static void CALLBACK answer(HWND, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(nullptr, timer);
        std::vector<HWND> boxes;
        boxes.swap(pending);
        for (HWND box : boxes) {
            if (!IsWindow(box)) continue;
            CaughtBox caught = read(box);
            if (current)
                current->boxes_.push_back(caught);
            else
                ADD_FAILURE() << "unexpected message box \"" << caught.title << "\": " << caught.text;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }

    static LRESULT CALLBACK cbt(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE) {
            HWND window = reinterpret_cast<HWND>(wParam);
            char cls[32] = "";
            GetClassNameA(window, cls, sizeof cls);
            if (std::strcmp(cls, "#32770") == 0 && GetDlgItem(window, 0xFFFF) &&
                std::find(pending.begin(), pending.end(), window) == pending.end()) {
                pending.push_back(window);
                SetTimer(nullptr, 0, 10, answer);
            }
        }
        return CallNextHookEx(hook, code, wParam, lParam);
    }
};

MessageBoxCatcher::MessageBoxCatcher() : outer_(current)
{
    installMessageBoxGuard();
    current = this;
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    current = outer_;
}

void installMessageBoxGuard()
{
    if (!hook) hook = SetWindowsHookExA(WH_CBT, MessageBoxHook::cbt, nullptr, GetCurrentThreadId());
}
