// Feeds arbitrary bytes to the control-file rules: the line-end conversion, the parser filling the
// record, the completion of the values, and the single-key lookup.
#include "control/controlfile.h"
#include "control/singlekey.h"
#include "fuzz.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::FILE* in = openBytes(data, size);
    char* converted = nullptr;
    size_t convertedSize = 0;
    std::FILE* out = open_memstream(&converted, &convertedSize);
    FUZZ_CHECK(out && convertLineEndingsText(in, out, "\r\n"));
    std::fclose(out);
    std::fclose(in);
    std::free(converted);

    auto values = std::make_unique<ControlValues>();
    in = openBytes(data, size);
    ControlParseEvents events;
    size_t traced = 0;
    events.trace = [&](const char* first, const char* second) { traced += std::strlen(first) + std::strlen(second); };
    events.valueTooLong = [](const ControlKey& key, size_t length) {
        FUZZ_CHECK(length >= key.size);
    };
    parseControlText(in, *values, events);
    std::fclose(in);
    for (int i = 0; i < controlKeyCount; ++i) {
        const ControlKey& key = controlKeys()[i];
        FUZZ_CHECK(strnlen(key.field(*values), key.size) < key.size);
    }
    verifyControlValues(*values, size % 2 == 0);
    // A required or a minimum version always remains.
    FUZZ_CHECK(values->jvmRequiredVersion[0] || values->jvmMinVersion[0]);

    char line[1000];
    validVersionsLine(line, sizeof line, *values);

    in = openBytes(data, size);
    ControlKeyLookup lookup;
    findControlKeyLine(in, "configureWinRegistry", lookup);
    std::fclose(in);
    if (lookup.found) (void)isAffirmative(lookup.value());
    return 0;
}
