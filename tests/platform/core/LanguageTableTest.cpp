#include "LanguageTable.h"
#include "ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(LanguageTable, LinesAreNumberSeparatorAndText)
{
    LanguageMap map = ParseLanguageText("0016 Draw again\r\n"
                                        "0017\n"
                                        "0018 \n"
                                        "0019 x\n"
                                        "16   Word\n"
                                        "0020 first\n"
                                        "0020 second\n"
                                        "0012=Stop\n"
                                        "abcd text without number\n");
    EXPECT_EQ(map.at(16), "Draw again"); // first line for 16 wins over "16   Word"
    EXPECT_EQ(map.count(17), 0u);
    EXPECT_EQ(map.count(18), 0u);
    EXPECT_EQ(map.at(19), "x");
    EXPECT_EQ(map.at(20), "first");
    EXPECT_EQ(map.at(12), "Stop");
    EXPECT_EQ(map.at(0), "text without number");
}

TEST(LanguageTable, NumberFieldMayHoldBlanks)
{
    // Characters 1-4 are the number field, 5 the separator, 6 on the text.
    EXPECT_EQ(ParseLanguageText("16   Word\n").at(16), "Word");
    EXPECT_EQ(ParseLanguageText("16    Word\n").at(16), " Word");
    // A UTF-8 byte-order mark does not hide the first line.
    EXPECT_EQ(ParseLanguageText("\xEF\xBB\xBF"
                                "0001 Draw\n")
                  .at(1),
        "Draw");
}

TEST(LanguageTable, LookupOfMissingNumberIsEmpty)
{
    std::filesystem::path file = std::filesystem::temp_directory_path() / "kestrin_lang_test.ini";
    {
        std::ofstream out(file);
        out << "0001 Hello\n";
    }
    LoadLanguageFileFrom(file.string());
    EXPECT_STREQ(GetLangString(1), "Hello");
    EXPECT_STREQ(GetLangString(999), "");
    FreeLanguageFile();
    EXPECT_STREQ(GetLangString(1), "");
    std::filesystem::remove(file);

    LoadLanguageFileFrom("/nonexistent/language.ini");
    EXPECT_STREQ(GetLangString(1), "");
    FreeLanguageFile();
}

TEST(LanguageTable, ShippedTableLiesBesideTheProgram)
{
    EXPECT_FALSE(GetAppDirectory().empty());
    LoadLanguageFile();
    EXPECT_STRNE(GetLangString(1), "");
    FreeLanguageFile();
}

TEST(ProgramFolder, OverrideStandsInForTheProgramsFolder)
{
    const std::string own = GetAppDirectory();
    SetAppDirectory("/tmp/themes/");
    EXPECT_EQ(GetAppDirectory(), "/tmp/themes");
    SetAppDirectory("");
    EXPECT_EQ(GetAppDirectory(), own);
}

TEST(ProgramFolder, VersionComesFromTheBuild)
{
    EXPECT_EQ(GetProductVersion(), "0.1.0");
}
