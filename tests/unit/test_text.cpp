#include "rows.h"
#include "support/clib.h"
#include "support/langtext.h"
#include "support/regtext.h"
#include "support/textbuf.h"
#include "support/textfile.h"
#include "support/winfamily.h"
#include "testfiles.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <random>
#include <vector>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The sanitizers watch the buffers: a text cut to fit still leaves room for its NUL.
TEST(TextBuf, CopyAppendFormatAndLower)
{
    auto said = [](bool whole, const char* text) { return (whole ? "whole:" : "cut:") + std::string(text); };
    auto copy6 = [&](const char* s) { char b[6] = "xxxxx"; return said(copyText(b, sizeof b, s), b); };
    eachRow(copy6, {{"abcde", "whole:abcde"}, {"abcdef", "cut:abcde"}});
    char b[16] = "0123456789";
    EXPECT_EQ(said(copyText(b, sizeof b, b + 3), b), "whole:3456789") << "overlapping source";
    char a[8] = "abc";
    eachRow([&](const char* s) { return said(appendText(a, sizeof a, s), a); },
            {{"def", "whole:abcdef"}, {"ghi", "cut:abcdefg"}});
    EXPECT_EQ(said(formatText(b, 10, "%s%s", "abcdef", "ghijkl"), b), "cut:abcdefghi");
    // Only A to Z are lowered: the letters at both ends, not the bytes beside them or above 127.
    char text[] = "AZ \xC4 [Z@]";
    lowerAscii(text);
    EXPECT_STREQ(text, "az \xC4 [z@]");
}

// A lone CR stays a CR; 0x1A ends the text, as old editors that wrote it meant; long lines come in
// pieces of 998 bytes, and a line of exactly 998 leaves its line feed to a piece of its own.
TEST(TextReader, ReadsLineEndsAsWindowsTextMode)
{
    TestFolder folder;
    const std::string x998(998, 'x');
    eachRow<Lines, std::string>([](const std::string& bytes) { // the pieces a buffer of 999 bytes takes
        writeFile("text.txt", bytes);
        UniqueFile file("text.txt", "rb");
        TextReader reader(file.get());
        Lines result;
        std::vector<char> buffer(999);
        while (file && reader.readPiece(buffer.data(), buffer.size())) result.emplace_back(buffer.data());
        EXPECT_TRUE(file && !reader.failed());
        return result;
    }, {{"a\r\nb\nc", {"a\n", "b\n", "c"}}, {"a\rb\r\n", {"a\rb\n"}}, {"a\r\r\nb", {"a\r\n", "b"}},
         {"a=1\r\n\x1A" "b=2\r\n", {"a=1\n"}}, {"a=1\r\x1A", {"a=1\r"}}, {x998 + "\nz", {x998, "\n", "z"}}});
    writeFile("startdir.txt", "C:\\Start  \r\nsecond\r\n");
    char dir[pathSize];
    readStartDir("startdir.txt", dir);
    EXPECT_STREQ(dir, "C:\\Start");
    writeFile("startdir.txt", std::string(10 << 20, 'd')); // no line end: the name is cut inside the buffer
    readStartDir("startdir.txt", dir);
    EXPECT_EQ(std::string(dir), std::string(valueSize - 1, 'd'));
}

// A read that did not fit whole is refused; one that fits ends inside the 16-byte buffer, between guard bytes.
TEST(RegText, EveryReadEndsInsideTheBuffer)
{
    struct { std::string content; long status; unsigned long returned; std::string text; } cases[] = {
        {"abcdef", 0, 6, "abcdef"}, {std::string(15, 'x') + '\0', 0, 16, std::string(15, 'x')},
        {std::string(16, 'x'), 0, 16, ""}, {std::string(16, 'y'), 234, 6000, ""}, {std::string(16, 'w'), 0, 17, ""}};
    for (const auto& c : cases) {
        std::string bytes = std::string(8, 'G') + c.content + std::string(24 - c.content.size(), 'G');
        bool nonEmpty = finishRegText(bytes.data() + 8, 16, c.status, c.returned);
        std::string got = bytes.substr(0, 9 + c.text.size()) + "|" + bytes.substr(24) + (nonEmpty ? "|text" : "");
        EXPECT_EQ(got, std::string(8, 'G') + c.text + '\0' + "|GGGGGGGG" + (c.text.empty() ? "" : "|text"))
            << c.content << " status " << c.status;
    }
}

// Rows are tested in table order: an earlier language wins over a later one in the same text. The
// replacement-character aliases match only those bytes, not a real Windows-1252 accented letter.
TEST(LangText, ClassifyLanguageAndItsTexts)
{
    auto classify = [](std::string text) { lowerAscii(text.data()); return classifyLanguage(text.c_str()).name; };
    eachRow(classify, {{"French_Canada.1252", "french"}, {"Swiss", "german"}, {"italian-swiss", "italian"},
        {"designer", "german"}, {"ptb", "portuguese"}, {"Dutch (Belgian)", "dutch"}, {"xfra", "english"},
        {"german-french", "french"}, {"espa" QIV_FFFD "oles", "spanish"}, {"alem\xE1n", "english"}});
    // Only an exact name picks a language's suffix; the others get the fallback.
    const char* english = "\n\nSee errors.log and jinstall.log files for details.";
    eachRow(errorSuffix, {{"klingon", english}, {"French", english},
        {"japanese", "\n\nPlease review the errors.log and jinstall.log files for more details about the error."}});
}

// Windows 7, XP x64, NT 4, 98 (major 4), Win32s on 3.x: neither family, and the answer stays as it was.
TEST(WinFamily, HighestBitAndMajorVersion)
{
    struct { unsigned long version; bool previous; const char* answer; } cases[] = {
        {0x1DB10106ul, false, "nt"}, {0xC0000A04ul, true, "9x"}, {0x80000003ul, false, "9x bad"},
        {0x80000003ul, true, "nt bad"}};
    for (const auto& c : cases) {
        WinFamilyDecision d = decideWinFamily(c.version, c.previous);
        EXPECT_EQ(std::string(d.isNT ? "nt" : "9x") + (d.badVersion ? " bad" : ""), c.answer) << std::hex << c.version;
    }
}

// An empty file, one of several buffers and passes, and a short one onto a longer target. A failed copy
// or append leaves its target as it was, and a file is never appended to itself.
TEST(CLib, CopyAndAppendFilesExactly)
{
    TestFolder folder;
    std::string big(600001, '\0');
    std::mt19937 random(1);
    for (char& c : big) c = static_cast<char>(random() & 0xFF);
    for (const auto& [source, bytes] : {std::pair<const char*, std::string>{"empty.bin", ""}, {"big.bin", big},
                                        {"short.bin", "short"}}) {
        writeFile(source, bytes);
        EXPECT_TRUE(copyFile(source, "target.bin") && readFile("target.bin") == bytes) << "the copy of " << source;
    }
    EXPECT_TRUE(appendFile("big.bin", "all.log") && appendFile("short.bin", "all.log"));
    EXPECT_TRUE(readFile("all.log") == big + "short");
    fs::create_directory("dir");
    EXPECT_FALSE(copyFile("dir", "target.bin") || copyFile("missing.bin", "target.bin"));
    EXPECT_EQ(readFile("target.bin"), "short");
    EXPECT_FALSE(appendFile("big.bin", "./dir/../big.bin")) << "a file is never appended to itself";
    EXPECT_TRUE(readFile("big.bin") == big);
}

#if defined(__GLIBC__)
// A source that grows while it is read is copied as long as it was at the start (700,000 bytes, not 3 MB).
TEST(CLib, CopyTakesTheSizeTheSourceHadAtItsStart)
{
    static long long at, given;
    UniqueFile in(fopencookie(nullptr, "rb", {[](void*, char* buffer, size_t size) -> ssize_t {
        size = std::min<size_t>(size, static_cast<size_t>(3000000 - given));
        given += static_cast<long long>(size);
        return static_cast<ssize_t>(std::memset(buffer, 'g', size), size);
    }, nullptr, [](void*, off64_t* offset, int whence) {
        return at = *offset += whence == SEEK_END ? 700000 : whence == SEEK_CUR ? at : 0, 0;
    }, nullptr}));
    UniqueFile out(std::tmpfile());
    EXPECT_TRUE(copyStream(in.get(), out.get()));
    EXPECT_EQ(std::ftell(out.get()), 700000);
}
#endif

// The home of a launcher in a "bin" folder of any case is that folder's parent.
TEST(CLib, JavaHomeAndTheFolderFoundInPath)
{
    eachRow([](const char* path) {
        char home[5001];
        std::memset(home, 'x', sizeof home);
        getJavaHomeDirectory(path, home);
        return std::string(home);
    }, {{"C:\\jre\\javaw.exe", "C:\\jre"}, {"java.exe", "java.exe"}, {"C:\\JDK\\BIN\\JAVA.EXE", "C:\\JDK"},
        {"C:\\cabinet\\java.exe", "C:\\cabinet"}, {"C:\\bin\\java.exe", "C:"}, {"bin\\java.exe", "."}});
    // A PATH entry must end with the name and exist; however long the PATH, it is searched whole, and an
    // entry that would not fit is passed over.
    TestFolder folder;
    fs::create_directories(fs::path("Old") / "winnt-old" / "winnt");
    fs::create_directories(fs::path("WINNT") / "system32");
    const std::string here = folder.native(), sep = here.find('\\') != std::string::npos ? "\\" : "/";
    std::string lower = here + sep + "winnt";
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    eachRow<std::string, std::string>([](const std::string& path) {
        char out[5001] = "unchanged";
        bool found = findDirInPath(path.c_str(), "winnt", out, sizeof out);
        return found == (std::strcmp(out, "unchanged") != 0) ? std::string(out) : "answer and out disagree";
    }, {{here + sep + "WINNT" + sep + "system32", "unchanged"},
        {";;" + here + sep + "missing" + sep + "winnt;" + here + sep + "WINNT;", lower},
        {here + sep + "Old" + sep + "winnt-old" + sep + "winnt", "unchanged"},
        {std::string(6000, 'x') + "winnt;" + std::string(4990, 'y') + ";" + here + sep + "WINNT", lower}});
}
