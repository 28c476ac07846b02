// Test helpers for files: a fresh working folder per test, whole-file reads and writes, and log
// files read as lines with their timestamps checked and stripped. Portable.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A new empty folder that is the current directory while the object lives; afterwards the previous
// current directory is restored and the folder removed with everything in it.
class TestFolder {
public:
    // innerName: the folder gets that name, inside a fresh folder of its own.
    explicit TestFolder(const std::string& innerName = "");
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder's path as the program sees it (native separators, no trailing separator).
    std::string native() const { return path_.string(); }

private:
    std::filesystem::path previous_;
    std::filesystem::path owned_; // what is removed afterwards
    std::filesystem::path path_;
};

// Writes bytes to a file, replacing it.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);
bool fileExists(const std::filesystem::path& path);

// Splits bytes into lines at "\n", removing one "\r" before it when lineEnd is "\r\n". Fails the
// test when a line does not end with lineEnd or the text does not end with a line end.
std::vector<std::string> splitLines(const std::string& bytes, const std::string& lineEnd);

// The platform's line end in files written in text mode.
const std::string& textLineEnd();

// True when text begins with a timestamp of the form "Sat Dec 05 12:20:56 2026".
bool isTimestamp(const std::string& text);

// The messages of a log file: every entry begins with a 24-character timestamp and one blank, which
// are checked and stripped; a message that holds line feeds continues on lines without a stamp. A
// missing file gives no lines. Wrap calls in SCOPED_TRACE.
std::vector<std::string> readLogLines(const std::filesystem::path& path);
// Lines of a file without timestamps ("locale.log", "changes.txt").
std::vector<std::string> readPlainLines(const std::filesystem::path& path);

// A folder of the bench, as the Windows side names it: "readonly" (nobody may write there) or
// "smalldisk" (256 KB in all). Empty when the bench could not make it here; the caller skips then.
std::string benchFolder(const char* name);
