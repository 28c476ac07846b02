// The reader of "native.properties", the record the wizard may rewrite: the record holds no "/" (they
// read as backslashes), and reads back the same when written out again with Java's escapes.
#include "fuzz.h"
#include "installer/cleanuprules.h"

namespace {
JvmLocationRecord readBytes(const std::string& bytes)
{
    std::FILE* in = openBytes(bytes.data(), bytes.size());
    JvmLocationRecord record = readJvmLocation(in);
    std::fclose(in);
    return record;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    JvmLocationRecord record = readBytes(std::string(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK((record.location + record.inTemp + record.tempDir).find('/') == std::string::npos);
    std::string text = record.configureRegistry ? "configureWinRegistry=yes\n" : "configureWinRegistry=no\n";
    for (auto [key, value] : {std::pair{"nativeJvmHomeDir=", record.location},
                              {"nativeJvmInstalledInTemp=", record.inTemp}, {"nativeTempJvmDir=", record.tempDir}}) {
        // Java's escapes for what the reader would otherwise change; a value that cannot be one line is left.
        std::string line = key;
        for (char c : value) line += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\\' ? "\\\\" : std::string(1, c);
        if (line.find_first_of(std::string("\x1A\0", 2)) != std::string::npos || line.size() > 990) return 0;
        text += line + "\n";
    }
    JvmLocationRecord again = readBytes(text);
    FUZZ_CHECK(again.location == record.location && again.inTemp == record.inTemp && again.tempDir == record.tempDir &&
               again.configureRegistry == record.configureRegistry && again.trace.size() == 4);
    return 0;
}
