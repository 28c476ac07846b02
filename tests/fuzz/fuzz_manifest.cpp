// What the cleanup reads from the package. A manifest name that a "Name: " line gives, or any other
// text, is accepted only when it stays inside the package folder, however its "." and ".." segments walk.
// The record of "native.properties", which the wizard may rewrite, holds no "/" (they read as
// backslashes), and reads back the same when written out again with Java's escapes.
#include "fuzz.h"
#include "installer/cleanuprules.h"

namespace {
// Whether name, taken relative to the folder, never climbs out of it.
bool neverClimbsOut(const std::string& name)
{
    int depth = 0;
    for (std::size_t start = 0, end = 0; start <= name.size() && depth >= 0; start = end + 1) {
        end = std::min(name.find_first_of("\\/", start), name.size());
        std::string segment = name.substr(start, end - start);
        depth += segment == ".." ? -1 : segment.empty() || segment == "." ? 0 : 1;
    }
    return depth >= 0 && name[0] != '\\' && name[0] != '/' && !(name.size() > 1 && name[1] == ':');
}
} // namespace

FUZZ_TARGET(4)
{
    for (const CText& text : lines) {
        const std::string line = text.data(), name = manifestName(text.data());
        FUZZ_CHECK(name.empty() || line.compare(6, name.size(), name) == 0);
        for (const std::string& candidate : {name, line})
            if (staysInsideFolder(candidate)) FUZZ_CHECK(neverClimbsOut(candidate));
    }

    JvmLocationRecord record = readJvmLocation(openBytes(bytes).get());
    FUZZ_CHECK((record.location + record.inTemp + record.tempDir).find('/') == std::string::npos);
    std::string text = record.configureRegistry ? "configureWinRegistry=yes\n" : "configureWinRegistry=no\n";
    for (auto [key, value] : {std::pair{"nativeJvmHomeDir=", record.location},
                              {"nativeJvmInstalledInTemp=", record.inTemp}, {"nativeTempJvmDir=", record.tempDir}}) {
        // Java's escapes for what the reader would otherwise change; a value that cannot be one line is left.
        std::string line = key;
        for (char c : value) line += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\\' ? "\\\\" : std::string(1, c);
        if (line.find_first_of(std::string("\x1A\0", 2)) != std::string::npos || line.size() > 990) return;
        text += line + "\n";
    }
    JvmLocationRecord again = readJvmLocation(openBytes(text).get());
    FUZZ_CHECK(again.location == record.location && again.inTemp == record.inTemp && again.tempDir == record.tempDir &&
               again.configureRegistry == record.configureRegistry && again.trace.size() == 4);
}
