// The control file: its line ends convert from any bytes, every value the parser fills ends inside its
// field, and the completed record always keeps a version rule.
#include "control/controlfile.h"
#include "control/singlekey.h"
#include "fuzz.h"

FUZZ_TARGET(0)
{
    Stream out(std::fopen("/dev/null", "wb"), std::fclose);
    FUZZ_CHECK(out && convertLineEndingsText(openBytes(bytes).get(), out.get(), "\r\n"));
    auto values = std::make_unique<ControlValues>();
    ControlParseEvents events;
    events.trace = [](const char*, const char*) {};
    events.valueTooLong = [](const ControlKey& key, size_t length) { FUZZ_CHECK(length >= key.size); };
    parseControlText(openBytes(bytes).get(), *values, events);
    for (int i = 0; i < controlKeyCount; ++i)
        FUZZ_CHECK(strnlen(controlKeys()[i].field(*values), controlKeys()[i].size) < controlKeys()[i].size);
    verifyControlValues(*values, bytes.size() % 2 == 0);
    FUZZ_CHECK(values->jvmRequiredVersion[0] || values->jvmMinVersion[0]);

    ControlKeyLookup lookup;
    findControlKeyLine(openBytes(bytes).get(), "configureWinRegistry", lookup);
    if (lookup.found) (void)isAffirmative(lookup.value());
}
