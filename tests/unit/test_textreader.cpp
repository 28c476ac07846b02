#include "support/textfile.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// All pieces of a file read with pieces of at most size - 1 bytes.
std::vector<std::string> pieces(const std::string& bytes, std::size_t size = 999)
{
    TestFolder folder;
    writeFile("text.txt", bytes);
    UniqueFile file("text.txt", "rb");
    EXPECT_TRUE(file);
    std::vector<std::string> result;
    if (!file) return result;
    TextReader reader(file.get());
    std::vector<char> buffer(size);
    while (reader.readPiece(buffer.data(), buffer.size())) result.emplace_back(buffer.data());
    EXPECT_FALSE(reader.failed());
    return result;
}
} // namespace

TEST(TextReader, ReadsLineEndsAsWindowsTextMode)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(pieces("a\r\nb\nc"), (V{"a\n", "b\n", "c"}));
    EXPECT_EQ(pieces("a\rb\r\n"), (V{"a\rb\n"})) << "a lone CR stays a CR";
    EXPECT_EQ(pieces("a\r\r\nb"), (V{"a\r\n", "b"}));
    EXPECT_EQ(pieces("\r"), (V{"\r"}));
    EXPECT_EQ(pieces(""), (V{}));
}

// A byte 0x1A ends the text, as old editors that wrote it meant.
TEST(TextReader, ControlZEndsTheText)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(pieces("a=1\r\n\x1A" "b=2\r\n"), (V{"a=1\n"}));
    EXPECT_EQ(pieces("a=1\x1A"), (V{"a=1"}));
    EXPECT_EQ(pieces("a=1\r\x1A"), (V{"a=1\r"}));
}

TEST(TextReader, SplitsLongLinesIntoPieces)
{
    std::string line(1500, 'x');
    auto got = pieces(line + "\r\n");
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], std::string(998, 'x'));
    EXPECT_EQ(got[1], std::string(502, 'x') + "\n");

    // A line of exactly 998 characters leaves its line feed for a piece of its own.
    got = pieces(std::string(998, 'y') + "\nz");
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], "\n");
    EXPECT_EQ(got[2], "z");
}

TEST(TextReader, CrLfAcrossTheReadChunkIsOneLineEnd)
{
    // The reader fills 8192 bytes at a time: put the CR at the last byte of the first chunk.
    std::string bytes(8191, 'a');
    bytes += "\r\nb";
    auto got = pieces(bytes, 10000);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], std::string(8191, 'a') + "\n");
    EXPECT_EQ(got[1], "b");
}

TEST(CutAtLineFeed, CutsAtTheFirstLineFeed)
{
    char text[] = "key=value\nmore\n";
    cutAtLineFeed(text);
    EXPECT_STREQ(text, "key=value");
}
