#include "support/langtext.h"
#include "support/textbuf.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string classify(std::string text)
{
    lowerAscii(text.data());
    return classifyLanguage(text.c_str()).name;
}
} // namespace

TEST(ClassifyLanguage, NamesAndAliases)
{
    struct Case {
        const char *text, *language;
    } cases[] = {
        {"00000407", "english"},
        {"French_Canada.1252", "french"},
        {"swiss-german", "german"},
        {"Swiss", "german"},
        {"italian-swiss", "italian"},
        {"espanol", "spanish"},
        {"designer", "german"},
        {"Portuguese-Brazil", "portuguese"},
        {"ptb", "portuguese"},
        {"Dutch (Belgian)", "dutch"},
        {"landinstellingen", "dutch"},
        {"Japanese_Japan.932", "japanese"},
        {"jpn", "japanese"},
        {"plk", "polish"},
        {"Polish_Poland.1250", "polish"},
        {"its", "italian"},
        {"deu", "german"},
        {"fra", "french"},
        {"English_United States.1252", "english"},
        {"c", "english"},
        {"", "english"},
        {"klingon", "english"},
        {"xfra", "english"},
    };
    for (const Case& c : cases) EXPECT_EQ(classify(c.text), c.language) << c.text;
}

TEST(ClassifyLanguage, RowsAreTestedInTableOrder)
{
    // Contains both "french" and "german": the earlier row wins.
    EXPECT_EQ(classify("german-french"), "french");
    // Begins with a German alias but contains "spanish": German comes first in the table.
    EXPECT_EQ(classify("deutsch-spanish"), "german");
}

TEST(ClassifyLanguage, ReplacementCharacterAliasesMatchOnlyThoseBytes)
{
    EXPECT_EQ(classify("fran" QIV_FFFD "ais"), "french");
    EXPECT_EQ(classify("espa" QIV_FFFD "oles"), "spanish");
    EXPECT_EQ(classify("portugu" QIV_FFFD "ses"), "portuguese");
    // The same words with a real accented letter (Windows-1252) are not the stored aliases.
    EXPECT_EQ(classify("portugu\xEA" "ses"), "english");
    EXPECT_EQ(classify("alem\xE1n"), "english");
    EXPECT_EQ(classify("alem" QIV_FFFD "n"), "german");
}

TEST(ClassifyLanguage, TagsNameTheRow)
{
    EXPECT_STREQ(classifyLanguage("dutch (belgian)").tag, "Dutch found");
    EXPECT_STREQ(classifyLanguage("xx").tag, "English found");
    int count = 0;
    const LanguageRow* rows = languageTable(&count);
    ASSERT_EQ(count, 9);
    EXPECT_STREQ(rows[count - 1].name, "english");
}

TEST(ErrorSuffix, ExactLanguageNameOrEnglish)
{
    const char* english = "\n\nSee errors.log and jinstall.log files for details.";
    EXPECT_STREQ(errorSuffix("english"), english);
    EXPECT_STREQ(errorSuffix("klingon"), english);
    EXPECT_STREQ(errorSuffix("French"), english) << "the comparison is case-sensitive";
    EXPECT_STREQ(errorSuffix(""), english);
    EXPECT_STREQ(errorSuffix("dutch"),
                 "\n\nLees a.u.b. de errors.log- en jinstall.log-bestanden voor meer informatie over dit probleem.");
    EXPECT_STREQ(errorSuffix("german"), "\n\nBitte \xEF\xBF\xBD" "berpr\xEF\xBF\xBD" "fen Sie die Dateien errors.log "
                                        "und jinstall.log f\xEF\xBF\xBDr n\xEF\xBF\xBDhere Angaben zu diesem Problem.");
    EXPECT_STREQ(errorSuffix("japanese"),
                 "\n\nPlease review the errors.log and jinstall.log files for more details about the error.");
}
