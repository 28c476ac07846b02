// boxwatch OUTFILE: answers the message boxes of the program for someone who is not there (the demo).
// Every box whose title begins with "Quivrell Installer" is written to OUTFILE as its title, a tab
// and its text (CR and LF shown as \r and \n), one box a line, and closed with OK. It ends when
// OUTFILE.stop exists, or after ten minutes.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<HWND> boxes;

BOOL CALLBACK collect(HWND window, LPARAM)
{
    char cls[32] = "", title[256] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title), SMTO_ABORTIFHUNG,
                             500, &length))
        return TRUE;
    if (std::strncmp(title, "Quivrell Installer", 18) == 0) boxes.push_back(window);
    return TRUE;
}

std::string textOf(HWND window)
{
    char text[8192] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 500,
                        &length);
    return text;
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: boxwatch OUTFILE\n");
        return 2;
    }
    std::string stop = std::string(argv[1]) + ".stop";
    std::vector<HWND> answered;
    for (int tick = 0; tick < 10 * 60 * 20; ++tick) {
        if (GetFileAttributesA(stop.c_str()) != INVALID_FILE_ATTRIBUTES) break;
        boxes.clear();
        EnumWindows(collect, 0);
        for (HWND box : boxes) {
            bool seen = false;
            for (HWND done : answered) seen = seen || done == box;
            if (seen) continue;
            HWND textControl = GetDlgItem(box, 0xFFFF);
            std::string line = escaped(textOf(box)) + "\t" + escaped(textControl ? textOf(textControl) : "");
            if (FILE* out = std::fopen(argv[1], "ab")) {
                std::fprintf(out, "%s\n", line.c_str());
                std::fclose(out);
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            answered.push_back(box);
        }
        Sleep(50);
    }
    return 0;
}
