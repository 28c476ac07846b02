// Feeds arbitrary bytes to the control-file rules: the line-end conversion, the parser with value
// buffers of exactly their sizes, the completion of the values, and the single-key lookup.
#include "control/controlfile.h"
#include "control/singlekey.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {
std::FILE* openBytes(const uint8_t* data, size_t size)
{
    // fmemopen refuses a zero size; an empty stream stands for an empty file.
    static char empty = 0;
    return size ? fmemopen(const_cast<uint8_t*>(data), size, "rb") : fmemopen(&empty, 1, "r+b");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::FILE* in = openBytes(data, size);
        char* converted = nullptr;
        size_t convertedSize = 0;
        std::FILE* out = open_memstream(&converted, &convertedSize);
        if (!in || !out) std::abort();
        if (size == 0) std::fgetc(in);
        if (!convertLineEndingsText(in, out, "\r\n")) std::abort();
        std::fclose(out);
        std::fclose(in);
        std::free(converted);
    }

    std::vector<std::unique_ptr<char[]>> buffers(controlKeyCount);
    char* values[controlKeyCount];
    for (int i = 0; i < controlKeyCount; ++i) {
        const ControlKey& key = controlKeys()[i];
        buffers[key.position - 1].reset(new char[key.size]);
    }
    for (int i = 0; i < controlKeyCount; ++i) values[i] = buffers[i].get();

    std::FILE* in = openBytes(data, size);
    if (size == 0) std::fgetc(in);
    ControlParseEvents events;
    size_t traced = 0;
    events.trace = [&](const char* first, const char* second) { traced += std::strlen(first) + std::strlen(second); };
    events.valueTooLong = [](const ControlKey& key, size_t length) {
        if (length < key.size) std::abort();
    };
    parseControlText(in, values, events);
    std::fclose(in);
    for (int i = 0; i < controlKeyCount; ++i) {
        const ControlKey& key = controlKeys()[i];
        if (strnlen(values[key.position - 1], key.size) >= key.size) std::abort();
    }
    verifyControlValues(values[0], values[1], values[3], values[4], values[5], values[11], size % 2 == 0);
    if (!values[0][0] && !values[1][0]) std::abort(); // a required or a minimum version always remains

    char line[1000];
    validVersionsLine(line, sizeof line, values[5], values[0], values[1], values[2]);

    in = openBytes(data, size);
    if (size == 0) std::fgetc(in);
    ControlKeyLookup lookup;
    findControlKeyLine(in, "configureWinRegistry", lookup);
    std::fclose(in);
    if (lookup.found) (void)isAffirmative(lookup.value());
    return 0;
}
