// Feeds arbitrary bytes to the reader of "native.properties", the record the wizard may rewrite. The
// record holds no "/" (they read as backslashes), traces exactly the lines that set it, and reads back
// the same when written out again with Java's escapes.
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

// value with Java's escapes for what the reader would otherwise change; false when it cannot be written
// back as one line that the reader takes whole.
bool escaped(const std::string& value, std::string& out)
{
    for (char c : value) {
        if (c == '\x1A' || c == '\0') return false;
        if (c == '\\' || c == '\n' || c == '\r') out += '\\';
        out += c == '\n' ? 'n' : c == '\r' ? 'r' : c;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    JvmLocationRecord record = readBytes(std::string(reinterpret_cast<const char*>(data), size));
    for (const std::string* field : {&record.location, &record.inTemp, &record.tempDir})
        FUZZ_CHECK(field->find('/') == std::string::npos);
    for (const std::string& line : record.trace) {
        bool known = line.rfind("jvmLocation ", 0) == 0 || line.rfind("jvmInstalledInTemp ", 0) == 0 ||
                     line.rfind("tempJvmDir ", 0) == 0 || line == "configureReg: true" || line == "configureReg: false";
        FUZZ_CHECK(known);
    }

    std::string text = "configureWinRegistry=";
    text += record.configureRegistry ? "yes\n" : "no\n";
    const std::pair<const char*, const std::string*> fields[] = {
        {"nativeJvmHomeDir=", &record.location}, {"nativeJvmInstalledInTemp=", &record.inTemp},
        {"nativeTempJvmDir=", &record.tempDir}};
    for (const auto& field : fields) {
        std::string line = field.first;
        if (!escaped(*field.second, line) || line.size() > 990) return 0;
        text += line + "\n";
    }
    JvmLocationRecord again = readBytes(text);
    FUZZ_CHECK(again.location == record.location && again.inTemp == record.inTemp && again.tempDir == record.tempDir &&
               again.configureRegistry == record.configureRegistry && again.trace.size() == 4);
    return 0;
}
