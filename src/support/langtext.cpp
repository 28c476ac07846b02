#include "support/langtext.h"

#include "support/textbuf.h"

#include <cstring>

namespace {

#define R QIV_FFFD

const char* const frenchAliases[] = {"french-belgian", "frc", "french-canadian", "fra", "frb",
    "french-swiss", "frs", "fran" R "ais", "franzosen", "francesi", "franceses", "franc" R "s", nullptr};
const char* const germanAliases[] = {"dea", "german-austrian", "deu", "des", "german-swiss", "swiss",
    "deutsch", "alem" R "n", "alem" R "o", "tedesco", "allemand", nullptr};
const char* const spanishAliases[] = {"esp", "esm", "spanish-mexican", "esn", "spanish-modern",
    "espa" R "oles", "espanh" R "is", "spagnoli", "spanisch", "espagnols", nullptr};
const char* const polishAliases[] = {"plk", nullptr};
const char* const japaneseAliases[] = {"jpn", nullptr};
const char* const italianAliases[] = {"italian-swiss", "ita", "its", "italiano", nullptr};
const char* const portugueseAliases[] = {"portuguese-brasilian", "ptb", "ptg", "portugu" R "ses", nullptr};
const char* const dutchAliases[] = {"dutch (standard)", "dutch (belgian)", "dutch-standard",
    "dutch-belgian", "landinstellingen", nullptr};
const char* const noAliases[] = {nullptr};

const LanguageRow rows[] = {
    {"french", "French found", "french", frenchAliases},
    {"german", "German found", "german", germanAliases},
    {"spanish", "Spanish found", "spanish", spanishAliases},
    {"polish", "Polish found", "polish", polishAliases},
    {"japanese", "Japanese found", "japanese", japaneseAliases},
    {"italian", "Italian found", "italian", italianAliases},
    {"portuguese", "Portuguese found", "portuguese", portugueseAliases},
    {"dutch", "Dutch found", "dutch", dutchAliases},
    {"english", "English found", nullptr, noAliases},
};
constexpr int rowCount = sizeof rows / sizeof rows[0];

struct Suffix {
    const char* language;
    const char* text;
};

const Suffix suffixes[] = {
    {"english", "\n\nSee errors.log and jinstall.log files for details."},
    {"french", "\n\nVeuillez examiner les fichiers errors.log et jinstall.log pour plus de d" R
               "tails sur l'erreur."},
    {"german", "\n\nBitte " R "berpr" R "fen Sie die Dateien errors.log und jinstall.log f" R "r n" R
               "here Angaben zu diesem Problem."},
    {"spanish", "\n\nRevise por favor errors.log y jinstall.log para m" R "s detalles acerca del error."},
    {"polish", "\n\nW celu uzyskania dok" R "adnej informacji o b" R R "dach prosz" R " przejrze" R
               " pliki errors.log i jinstall.log files."},
    {"italian", "\n\nPrego, controlla i file errors.log and jinstall.log per maggiori dettagli sull'error."},
    {"portuguese", "\n\nPor favor, verifique os arquivos errors.log e jinstall.log para maiores detalhes "
                   "a respeito do erro."},
    {"japanese", "\n\nPlease review the errors.log and jinstall.log files for more details about the error."},
    {"dutch", "\n\nLees a.u.b. de errors.log- en jinstall.log-bestanden voor meer informatie over dit "
              "probleem."},
};

#undef R

} // namespace

const LanguageRow* languageTable(int* count)
{
    if (count) *count = rowCount;
    return rows;
}

const LanguageRow& classifyLanguage(const char* loweredText)
{
    for (const LanguageRow& row : rows) {
        if (!row.contained) return row;
        if (contains(loweredText, row.contained)) return row;
        for (const char* const* alias = row.aliases; *alias; ++alias)
            if (startsWith(loweredText, *alias)) return row;
    }
    return rows[rowCount - 1];
}

const char* errorSuffix(const char* language)
{
    for (const Suffix& suffix : suffixes)
        if (std::strcmp(language, suffix.language) == 0) return suffix.text;
    return suffixes[0].text;
}
