#include "testfiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <chrono>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

TestFolder::TestFolder(const std::string& innerName) : previous_(fs::current_path())
{
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "qivtest";
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.') c = '_';
    const char* root = std::getenv("QIV_TEST_TMP");
    owned_ = (root ? fs::path(root) : fs::temp_directory_path()) /
             ("qiv-" + name + "-" + std::to_string(stamp % 1000000007) + "-" + std::to_string(counter++));
    path_ = innerName.empty() ? owned_ : owned_ / innerName;
    fs::create_directories(path_);
    owned_ = fs::canonical(owned_);
    path_ = fs::canonical(path_);
    fs::current_path(path_);
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    // Files made read-only by a test must not keep the folder alive.
    for (auto it = fs::recursive_directory_iterator(owned_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(owned_, ignored);
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path.string();
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool fileExists(const fs::path& path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

const std::string& textLineEnd()
{
    static const std::string end = fs::path::preferred_separator == '\\' ? "\r\n" : "\n";
    return end;
}

std::vector<std::string> splitLines(const std::string& bytes, const std::string& lineEnd)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find(lineEnd, start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line has no line end: \"" << bytes.substr(start) << "\"";
            lines.push_back(bytes.substr(start));
            break;
        }
        std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "bare line feed inside \"" << line << "\"";
        lines.push_back(line);
        start = end + lineEnd.size();
    }
    return lines;
}

bool isTimestamp(const std::string& text)
{
    static const std::regex stamp("(Sun|Mon|Tue|Wed|Thu|Fri|Sat) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                                  "[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}");
    return text.size() >= 24 && std::regex_match(text.substr(0, 24), stamp);
}

std::vector<std::string> readLogLines(const fs::path& path)
{
    std::vector<std::string> messages;
    if (!fileExists(path)) return messages;
    for (const std::string& line : splitLines(readFile(path), textLineEnd())) {
        bool stamped = isTimestamp(line) && line.size() >= 25 && line[24] == ' ';
        if (stamped) {
            messages.push_back(line.substr(25));
        } else if (!messages.empty()) {
            messages.back() += "\n" + line; // a message that holds a line feed goes on without a stamp
        } else {
            ADD_FAILURE() << "first line without its timestamp in " << path.string() << ": \"" << line << "\"";
            messages.push_back(line);
        }
    }
    return messages;
}

std::vector<std::string> readPlainLines(const fs::path& path)
{
    if (!fileExists(path)) return {};
    return splitLines(readFile(path), textLineEnd());
}

std::string benchFolder(const char* name)
{
    const char* bench = std::getenv("QIV_BENCH");
    if (!bench) return "";
    fs::path dir = fs::path(bench) / name;
    if (fileExists(fs::path(bench) / (std::string(name) + ".unavailable")) || !fileExists(dir)) return "";
    return fs::canonical(dir).string();
}
