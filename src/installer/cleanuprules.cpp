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

bool normalisePath(const std::string& path, std::string& normal)
{
    std::string text = path;
    for (char& c : text)
        if (c == '/') c = '\\';
    // A UNC path keeps its two leading separators, a rooted one its one.
    std::size_t start = text.find_first_not_of('\\');
    if (start == std::string::npos) start = text.size();
    normal = text.substr(0, start < 2 ? start : 2);
    const std::size_t rootSize = normal.size();
    std::vector<std::string> parts;
    for (std::size_t end; start < text.size(); start = end + 1) {
        end = text.find('\\', start);
        if (end == std::string::npos) end = text.size();
        std::string part = text.substr(start, end - start);
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            // Windows stops a ".." at the drive, so such a path names another folder than it says.
            if (parts.empty() || parts.back().find(':') != std::string::npos) return false;
            parts.pop_back();
        } else if (part.find_first_not_of(". ") == std::string::npos) {
            return false;
        } else {
            parts.push_back(part);
        }
    }
    for (const std::string& part : parts) normal += (normal.size() > rootSize ? "\\" : "") + part;
    return true;
}

bool isFolderInside(const std::string& path, const std::string& folder)
{
    std::string inner, outer;
    if (!normalisePath(path, inner) || !normalisePath(folder, outer) || outer.empty()) return false;
    lowerAscii(inner.data());
    lowerAscii(outer.data());
    return inner.size() > outer.size() + 1 && inner.compare(0, outer.size(), outer) == 0 && inner[outer.size()] == '\\';
}

bool isRunFile(const std::string& name)
{
    static const char* const ownFiles[] = {"__qivinstall.sem", "__qivshow.sem", "qiv.control", "cleanup.exe",
                                           "__cleanup.exe", "qivstart.exe", "native.properties", "startdir.txt"};
    std::string normal;
    if (!normalisePath(name, normal) || normal.find_first_of("\\:") != std::string::npos) return false;
    // Windows drops the dots and blanks that end a name: "qiv.control." is the control file.
    normal.erase(normal.find_last_not_of(". ") + 1);
    lowerAscii(normal.data());
    for (const char* own : ownFiles)
        if (normal == own) return true;
    return normal.size() >= 4 && normal.compare(normal.size() - 4, 4, ".log") == 0;
}
