#include "installer/cleanuprules.h"

#include "control/singlekey.h"
#include "support/limits.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <cstring>

std::string manifestName(const char* line)
{
    if (!startsWith(line, "Name: ")) return "";
    std::string name = line + 6;
    while (!name.empty() && (name.back() == ' ' || name.back() == '\r' || name.back() == '\n')) name.pop_back();
    return name;
}

namespace {
bool hasParentStep(const std::string& path)
{
    std::string padded = "\\" + path + "\\";
    for (char& c : padded)
        if (c == '/') c = '\\';
    return padded.find("\\..\\") != std::string::npos;
}
} // namespace

bool staysInsideFolder(const std::string& name)
{
    if (name.empty()) return false;
    if (name[0] == '\\' || name[0] == '/') return false;
    if (name.find(':') != std::string::npos) return false;
    return !hasParentStep(name);
}

std::string unescapePropertiesLine(const std::string& line)
{
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            char next = line[++i];
            switch (next) {
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 'f':
                out += '\f';
                break;
            default:
                out += next; // "\\", "\:", "\=", "\ " and any other: the character itself
            }
        } else {
            out += c;
        }
    }
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

bool propertyValue(const std::string& line, const char* key, std::string& value)
{
    std::size_t length = std::strlen(key);
    if (line.compare(0, length, key) != 0 || line.size() <= length || line[length] != '=') return false;
    value = line.substr(length + 1);
    return true;
}

JvmLocationRecord readJvmLocation(std::FILE* in)
{
    JvmLocationRecord record;
    TextReader reader(in);
    char piece[pieceSize];
    while (reader.readPiece(piece, sizeof piece)) {
        cutAtLineFeed(piece);
        std::string line = unescapePropertiesLine(piece);
        std::string value;
        if (propertyValue(line, "nativeJvmHomeDir", value)) {
            record.location = value;
            record.trace.push_back("jvmLocation " + value);
        } else if (propertyValue(line, "nativeJvmInstalledInTemp", value)) {
            record.inTemp = value;
            record.trace.push_back("jvmInstalledInTemp " + value);
        } else if (propertyValue(line, "nativeTempJvmDir", value)) {
            record.tempDir = value;
            record.trace.push_back("tempJvmDir " + value);
        } else if (propertyValue(line, "configureWinRegistry", value)) {
            record.configureRegistry = isAffirmative(value.c_str());
            record.trace.push_back(record.configureRegistry ? "configureReg: true" : "configureReg: false");
        }
    }
    return record;
}

bool isFolderInside(const std::string& path, const std::string& folder)
{
    auto normal = [](std::string text) {
        for (char& c : text)
            if (c == '/') c = '\\';
        while (text.size() > 1 && text.back() == '\\') text.pop_back();
        lowerAscii(text.data());
        return text;
    };
    std::string inner = normal(path), outer = normal(folder);
    if (outer.empty() || hasParentStep(inner)) return false;
    return inner.size() > outer.size() + 1 && inner.compare(0, outer.size(), outer) == 0 && inner[outer.size()] == '\\';
}
