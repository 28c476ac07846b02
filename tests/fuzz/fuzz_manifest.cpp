// The package manifest: the name a "Name: " line gives, and the rule that it may only name a file inside
// the package folder, however its "." and ".." segments walk.
#include "fuzz.h"
#include "installer/cleanuprules.h"

namespace {
// The depth below the package folder that name reaches at its lowest; negative when it climbs out.
int lowestDepth(const std::string& name)
{
    int depth = 0, lowest = 0;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos) end = name.size();
        std::string segment = name.substr(start, end - start);
        depth += segment == ".." ? -1 : segment.empty() || segment == "." ? 0 : 1;
        lowest = std::min(lowest, depth);
        start = end + 1;
    }
    return lowest;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (const CText& text : fuzzLines(data, size, 4)) {
        const std::string line = text.data(), name = manifestName(text.data());
        // The name is the line's own text after the prefix, with only blanks and line ends cut behind it.
        if (line.rfind("Name: ", 0) != 0) FUZZ_CHECK(name.empty());
        FUZZ_CHECK(name.empty() || (line.compare(6, name.size(), name) == 0 &&
                                    line.find_first_not_of(" \r\n", 6 + name.size()) == std::string::npos &&
                                    name.find_last_of(" \r\n") != name.size() - 1));
        // Neither the line's name nor the raw line may leave the folder once accepted.
        for (const std::string& candidate : {name, line})
            if (staysInsideFolder(candidate))
                FUZZ_CHECK(candidate[0] != '\\' && candidate[0] != '/' &&
                           !(candidate.size() > 1 && candidate[1] == ':') && lowestDepth(candidate) >= 0);
    }
    return 0;
}
