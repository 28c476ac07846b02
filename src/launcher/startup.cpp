#include "launcher/startup.h"

#include "support/langtext.h"

#include <cstring>

namespace {
struct StartupText {
    const char* language;
    const char* text;
};

const StartupText texts[] = {
    {"english", "Unpacking the installer..."},
    {"french", "Pr" QIV_FFFD "paration Wizard..."},
    {"german", "Bereite Wizard.."},
    {"spanish", "Preparando wizard..."},
    {"polish", "Inicjalizacja Wizard..."},
    {"italian", "Preparazione Wizard..."},
    {"portuguese", "Preparando Wizard..."},
    {"japanese", "\rPreparing wizard..."},
    {"dutch", "Voorbereiden Wizard..."},
};
} // namespace

const char* startupText(const char* language)
{
    for (const StartupText& entry : texts)
        if (std::strcmp(language, entry.language) == 0) return entry.text;
    return texts[0].text;
}

Placement centredPlacement(int width, int height, int areaWidth, int areaHeight, int frameX, int frameY)
{
    return {(areaWidth - width) / 2, (areaHeight - height) / 2, width + 2 * frameX, height + 2 * frameY};
}
