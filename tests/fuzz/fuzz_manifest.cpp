// The package manifest: a name that a "Name: " line gives, or any other text, is accepted only when it
// stays inside the package folder, however its "." and ".." segments walk.
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (const CText& text : fuzzLines(data, size, 4)) {
        const std::string line = text.data(), name = manifestName(text.data());
        FUZZ_CHECK(name.empty() || line.compare(6, name.size(), name) == 0);
        for (const std::string& candidate : {name, line})
            if (staysInsideFolder(candidate)) FUZZ_CHECK(neverClimbsOut(candidate));
    }
    return 0;
}
