#include "control/singlekey.h"

#include "control/controlfile.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <cstring>

ControlKeyLookup lookUpControlKey(const char* key, const char* fallbackFile, const char* controlFile)
{
    ControlKeyLookup result;
    UniqueFile file(controlFile, "rb");
    if (!file) file = UniqueFile(fallbackFile, "rb");
    if (!file) return result;
    result.opened = true;
    findControlKeyLine(file.get(), key, result);
    return result;
}

void findControlKeyLine(std::FILE* in, const char* key, ControlKeyLookup& lookup)
{
    TextReader reader(in);
    char piece[pieceSize];
    while (reader.readPiece(piece, sizeof piece)) {
        cutAtLineFeed(piece);
        if (!startsWith(piece, key)) continue;
        copyText(lookup.line, sizeof lookup.line, piece);
        lookup.found = true;
        lookup.valueOffset = static_cast<std::size_t>(controlValue(lookup.line, key) - lookup.line);
        return;
    }
}

bool isAffirmative(const char* value)
{
    return equalsNoCase(value, "true") || equalsNoCase(value, "yes");
}
