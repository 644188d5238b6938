#include "Options.h"

#include "InputSet.h"
#include "LanguageTable.h"
#include "TestFiles.h"
#include "VcProductDirs.h"

#include <QSettings>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Options over a settings file and an option-file folder of their own.
class OptionsTest : public ::testing::Test {
protected:
    TempFolder data;
    TempFolder config;
    const std::string settings = config.File("sub/Kestrin.ini");
    RecordingPrompt prompt;
};

} // namespace

TEST_F(OptionsTest, FirstStartIsQuietAndKeepsDefaults)
{
    {
        COptions options(settings, data.Path());
        EXPECT_TRUE(prompt.messages.empty());
        EXPECT_TRUE(options.fixedSizeArrange);
        EXPECT_EQ(options.macroInfoSize, 150);
        EXPECT_EQ(options.codeFontSize, 100);
        EXPECT_EQ(options.codeFontName, "Courier New");
        EXPECT_EQ(options.codeEditProgram, "xdg-open");
        EXPECT_EQ(options.macroViewSort, 1);
        EXPECT_EQ(options.flowSequence, 1);
        EXPECT_EQ(options.includeDirectory, 0);
        EXPECT_TRUE(options.commonWords.empty());
    }
    QSettings written(QString::fromStdString(settings), QSettings::IniFormat);
    written.beginGroup("Kestrin");
    EXPECT_EQ(written.childKeys().size(), 20);
    prompt.messages.clear();
    COptions again(settings, data.Path());
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(OptionsTest, EveryValueSurvivesARoundTrip)
{
    OptionValues changed;
    changed.preprocessingSameNameFile = true;
    changed.fixedSizeArrange = false;
    changed.macroInfoMode = 2;
    changed.macroInfoSize = 321;
    changed.macroDetailMode = 0;
    changed.macroDetailSize = 77;
    changed.showTutorial = false;
    changed.showCode = true;
    changed.codeFontSize = 120;
    changed.codeFontName = "DejaVu Sans Mono";
    changed.codeEditButtonShow = false;
    changed.codeEditProgram = std::string(5000, 'e'); // any length reads back
    changed.autoSort = false;
    changed.lastPath = "/home/user/src, with comma";
    changed.lastProjectPath = "/home/user/projects";
    changed.autoResizeMacroView = false;
    changed.macroViewSort = 0;
    changed.autoShowDetailContent = false;
    changed.flowSequence = 5;
    changed.includeDirectory = 2;
    {
        COptions o(settings, data.Path());
        static_cast<OptionValues&>(o) = changed;
        o.includeLists[2] = {"/usr/include", "/usr/local/include"};
        o.userIncludeList = {"/opt/x/include"};
        o.commonWords = {{"WIN32", 1}, {"_DEBUG", -3}};
        o.projectWords = {{"NOT_SAVED", 1}};
    }
    prompt.messages.clear();
    COptions o(settings, data.Path());
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(static_cast<const OptionValues&>(o) == changed);
    EXPECT_EQ(o.includeLists[2], (std::vector<std::string> {"/usr/include", "/usr/local/include"}));
    EXPECT_TRUE(o.includeLists[0].empty());
    EXPECT_EQ(o.userIncludeList, std::vector<std::string> {"/opt/x/include"});
    EXPECT_EQ(o.commonWords, (std::map<std::string, int32_t> {{"WIN32", 1}, {"_DEBUG", -3}}));
    EXPECT_TRUE(o.projectWords.empty());
    EXPECT_EQ(ReadFileBytes(data.File("predefined.ini")), "WIN32\r\n1\r\n_DEBUG\r\n-3\r\n");
    EXPECT_EQ(ReadFileBytes(data.File("Include.ini")),
        "0\r\n0\r\n2\r\n/usr/include\r\n/usr/local/include\r\n0\r\n1\r\n/opt/x/include\r\n");
}

// Two instances run side by side and close in turn: the one that closes
// last keeps what the other changed, except where it changed the same value
// itself.
TEST_F(OptionsTest, ClosingKeepsWhatAnotherInstanceChangedMeanwhile)
{
    { // the files of an earlier run
        COptions o(settings, data.Path());
        o.commonWords = {{"OLD", 1}};
    }
    auto first = std::make_unique<COptions>(settings, data.Path());
    auto second = std::make_unique<COptions>(settings, data.Path());
    first->autoSort = false;
    first->lastPath = "/first";
    first->userIncludeList = {"/first/include"};
    first->commonWords["FIRST"] = 2;
    second->lastPath = "/second";
    second->flowSequence = 4;
    first.reset();
    second.reset();

    COptions o(settings, data.Path());
    EXPECT_FALSE(o.autoSort);
    EXPECT_EQ(o.lastPath, "/second") << "changed by both: the later wins";
    EXPECT_EQ(o.flowSequence, 4);
    EXPECT_EQ(o.userIncludeList, std::vector<std::string> {"/first/include"});
    EXPECT_EQ(o.commonWords, (std::map<std::string, int32_t> {{"FIRST", 2}, {"OLD", 1}}));

    // A file that changes again in the same run is written again.
    o.commonWords.erase("FIRST");
    o.Save();
    EXPECT_EQ(ReadFileBytes(data.File("predefined.ini")), "OLD\r\n1\r\n");
    o.commonWords["FIRST"] = 2;
    o.Save();
    EXPECT_EQ(ReadFileBytes(data.File("predefined.ini")), "FIRST\r\n2\r\nOLD\r\n1\r\n");
}

TEST_F(OptionsTest, SettingsFileThatCannotBeOpenedIsShown)
{
    // A file without the options' group, then a folder in the file's place.
    config.Write("sub/Kestrin.ini", "[Other]\nx=1\n");
    {
        COptions o(settings, data.Path());
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0], std::string(GetLangString(401)) + " - load default option");
        EXPECT_FALSE(std::string(GetLangString(401)).empty());
        EXPECT_EQ(o.macroInfoSize, 150);
    }
    const std::string folder = config.File("folder/Kestrin.ini");
    std::filesystem::create_directories(folder);
    prompt.messages.clear();
    COptions o(folder, data.Path());
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_EQ(prompt.messages[0], std::string(GetLangString(401)) + " - load default option");
}

TEST_F(OptionsTest, MissingLastValueKeepsItsDefaultOnly)
{
    {
        COptions o(settings, data.Path());
        o.macroInfoSize = 99;
        o.flowSequence = 4;
    }
    {
        QSettings s(QString::fromStdString(settings), QSettings::IniFormat);
        s.remove("Kestrin/Flow Sequence");
    }
    prompt.messages.clear();
    COptions o(settings, data.Path());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0], std::string(GetLangString(402)) + " - load default option");
    EXPECT_EQ(o.macroInfoSize, 99);
    EXPECT_EQ(o.flowSequence, 1);
}

TEST_F(OptionsTest, BoolIsTrueOnlyForOne)
{
    {
        COptions o(settings, data.Path());
    }
    {
        QSettings s(QString::fromStdString(settings), QSettings::IniFormat);
        s.setValue("Kestrin/Show Code", 2);
        s.setValue("Kestrin/Auto Sort", 1);
    }
    COptions o(settings, data.Path());
    EXPECT_FALSE(o.showCode);
    EXPECT_TRUE(o.autoSort);
}

TEST_F(OptionsTest, IncludeListChoiceBeyondBuiltListsGivesEmptyInput)
{
    CInputSet input;
    input.includeDirs = {"stale"};
    COptions o(settings, data.Path()); // no Include.ini: lists from the (absent) installations
    for (const auto& list : o.includeLists)
        EXPECT_TRUE(list.empty());
    o.includeDirectory = 3;
    ASSERT_NE(o.GetIncludeDirs(), nullptr);
    o.ApplyToGlobalInput(input);
    EXPECT_TRUE(input.includeDirs.empty());
    o.includeDirectory = 7;
    EXPECT_EQ(o.GetIncludeDirs(), nullptr);
    input.includeDirs = {"stale"};
    o.ApplyToGlobalInput(input);
    EXPECT_TRUE(input.includeDirs.empty());
}

TEST_F(OptionsTest, PredefinedFileKeepsFirstValueAndDropsLoneName)
{
    WriteFileBytes(data.File("predefined.ini"), "A\r\n5\r\nA\r\n9\r\nB\r\n");
    {
        COptions o(settings, data.Path());
        EXPECT_EQ(o.commonWords, (std::map<std::string, int32_t> {{"A", 5}}));
    }
    EXPECT_EQ(ReadFileBytes(data.File("predefined.ini")), "A\r\n5\r\n");
}

TEST_F(OptionsTest, ValueLinesReadLikeStrtol)
{
    WriteFileBytes(data.File("predefined.ini"), "X\n12ab\nY\nabc\nZ\n  -7\n"); // LF-only lines too
    COptions o(settings, data.Path());
    EXPECT_EQ(o.commonWords.at("X"), 12);
    EXPECT_EQ(o.commonWords.at("Y"), 0);
    EXPECT_EQ(o.commonWords.at("Z"), -7);
}

TEST_F(OptionsTest, ShortIncludeFileStopsAtItsEnd)
{
    WriteFileBytes(data.File("Include.ini"), "3\r\nC:\\VC\\INCLUDE\r\nC:\\VC\\MFC\\INCLUDE\r\n");
    COptions o(settings, data.Path());
    EXPECT_EQ(o.includeLists[0].size(), 2u);
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(o.includeLists[i].empty());
    EXPECT_TRUE(o.userIncludeList.empty());
}

TEST_F(OptionsTest, EmptyDataFolderReadsAndWritesNoOptionFile)
{
    {
        COptions o(settings, "");
        o.commonWords["A"] = 1;
    }
    EXPECT_FALSE(std::filesystem::exists(data.File("predefined.ini")));
    EXPECT_FALSE(std::filesystem::exists(data.File("Include.ini")));
}

TEST_F(OptionsTest, ShippedFilesAreReadWhenTheUserHasNoneAndNeverWritten)
{
    TempFolder shipped;
    WriteFileBytes(shipped.File("predefined.ini"), "SHIPPED\r\n1\r\n");
    WriteFileBytes(shipped.File("Include.ini"), "1\r\n/vc\r\n0\r\n0\r\n0\r\n0\r\n");
    std::filesystem::permissions(
        shipped.Path(), std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    const std::string user = data.File("new/sub");
    {
        COptions o(settings, user, shipped.Path());
        EXPECT_EQ(o.commonWords.at("SHIPPED"), 1);
        EXPECT_EQ(o.includeLists[0], std::vector<std::string> {"/vc"});
        o.commonWords["MINE"] = 2;
    }
    EXPECT_EQ(ReadFileBytes(shipped.File("predefined.ini")), "SHIPPED\r\n1\r\n");
    COptions again(settings, user, shipped.Path());
    EXPECT_EQ(again.commonWords.at("MINE"), 2);
    EXPECT_TRUE(prompt.messages.size() <= 1u); // only the first start's missing settings
}

TEST_F(OptionsTest, OptionFilesThatAreNotRegularFilesAreNeitherReadNorBlocking)
{
    ASSERT_EQ(::mkfifo(data.File("predefined.ini").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", data.File("Include.ini").c_str()), 0);
    std::filesystem::create_directories(config.File("sub"));
    ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
    {
        COptions o(settings, data.Path());
        EXPECT_TRUE(o.commonWords.empty());
        EXPECT_TRUE(o.userIncludeList.empty());
    }
    // Each option file is told once; reading and writing the settings each
    // failed with a message.
    ASSERT_EQ(prompt.messages.size(), 4u);
    EXPECT_EQ(
        prompt.messages[0], std::string(GetLangString(404)) + "\n" + data.File("predefined.ini"));
    EXPECT_EQ(
        prompt.messages[1], std::string(GetLangString(404)) + "\n" + data.File("Include.ini"));
}

TEST_F(OptionsTest, OptionFilesThatCannotBeReadAreKeptAndToldOnce)
{
    // Two words saved as UTF-16, and an include file beyond the size limit.
    const std::string words("\xFF\xFE"
                            "A\0\r\0\n\0"
                            "1\0\r\0\n\0"
                            "B\0\r\0\n\0"
                            "2\0\r\0\n\0",
        26);
    WriteFileBytes(data.File("predefined.ini"), words);
    WriteFileBytes(data.File("Include.ini"), "1\r\n/vc\r\n0\r\n0\r\n0\r\n1\r\n/mine\r\n");
    std::filesystem::resize_file(data.File("Include.ini"), 17u << 20);
    const std::string include = ReadFileBytes(data.File("Include.ini"));
    for (int start = 0; start < 2; ++start) {
        prompt.messages.clear();
        {
            COptions o(settings, data.Path());
            EXPECT_TRUE(o.commonWords.empty());
            EXPECT_TRUE(o.userIncludeList.empty());
            o.commonWords["NEW"] = 1;
            o.userIncludeList = {"/new"};
        }
        EXPECT_EQ(ReadFileBytes(data.File("predefined.ini")), words);
        EXPECT_TRUE(ReadFileBytes(data.File("Include.ini")) == include);
        const std::string told = GetLangString(404);
        EXPECT_FALSE(told.empty());
        // Once each at every start, nothing more at the exit.
        ASSERT_EQ(prompt.messages.size(), 2u) << start;
        EXPECT_EQ(prompt.messages[0], told + "\n" + data.File("predefined.ini"));
        EXPECT_EQ(prompt.messages[1], told + "\n" + data.File("Include.ini"));
    }
}

TEST_F(OptionsTest, ShippedFileThatCannotBeReadIsToldAndTheUsersCopyWritten)
{
    TempFolder shipped;
    WriteFileBytes(shipped.File("predefined.ini"), std::string("A\0\r\n", 4));
    {
        COptions o(settings, data.Path(), shipped.Path());
        ASSERT_FALSE(prompt.messages.empty());
        EXPECT_EQ(prompt.messages[0],
            std::string(GetLangString(404)) + "\n" + shipped.File("predefined.ini"));
        o.commonWords["MINE"] = 2;
    }
    EXPECT_EQ(ReadFileBytes(shipped.File("predefined.ini")), std::string("A\0\r\n", 4));
    EXPECT_EQ(ReadFileBytes(data.File("predefined.ini")), "MINE\r\n2\r\n");
}

TEST_F(OptionsTest, LinesEndInCrLfLfOrALoneCrAndAByteOrderMarkIsPassedOver)
{
    WriteFileBytes(data.File("predefined.ini"),
        "\xEF\xBB\xBF"
        "A\r5\rB\r\n-2\nC\r7");
    WriteFileBytes(data.File("Include.ini"), "2\r/vc/a\r/vc/b\r0\r\n0\n0\r1\r\r\n");
    COptions o(settings, data.Path());
    EXPECT_EQ(o.commonWords, (std::map<std::string, int32_t> {{"A", 5}, {"B", -2}, {"C", 7}}));
    EXPECT_EQ(o.includeLists[0], (std::vector<std::string> {"/vc/a", "/vc/b"}));
    EXPECT_EQ(o.userIncludeList, std::vector<std::string> {""}) << "CR then CR LF: an empty line";
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(OptionsTest, PredefinedWordsGoInCommonThenProjectOrder)
{
    COptions o(settings, data.Path());
    o.commonWords = {{"B", 2}, {"A", 1}};
    o.projectWords = {{"Z", 9}};
    o.AddProjectWords({"Z", "M"}); // Z keeps 9, M joins with 0
    CInputSet input;
    input.defines.push_back({"OLD", 1});
    o.userIncludeList = {"/u"};
    o.ApplyToGlobalInput(input);
    ASSERT_EQ(input.defines.size(), 4u);
    EXPECT_EQ(input.defines[0].name, "A");
    EXPECT_EQ(input.defines[1].name, "B");
    EXPECT_EQ(input.defines[2].name, "M");
    EXPECT_EQ(input.defines[2].value, 0);
    EXPECT_EQ(input.defines[3].name, "Z");
    EXPECT_EQ(input.defines[3].value, 9);
    EXPECT_EQ(input.userIncludeDirs, std::vector<std::string> {"/u"});
    o.ClearProjectWords();
    EXPECT_TRUE(o.projectWords.empty());
}

TEST_F(OptionsTest, FontNamesComeFromTheFontDatabaseOnce)
{
    COptions o(settings, data.Path());
    o.EnumFontNames();
    EXPECT_TRUE(o.fontNames.count("DejaVu Sans")) << o.fontNames.size();
    o.fontNames = {"Only"};
    o.EnumFontNames();
    EXPECT_EQ(o.fontNames.size(), 1u);
}

TEST(VcProductDirs, DefaultListsFollowTheFolderRule)
{
    EXPECT_EQ(VcProductDirs::DefaultIncludeList(0, "C:\\VS6"),
        (std::vector<std::string> {
            "C:\\VS6\\INCLUDE", "C:\\VS6\\MFC\\INCLUDE", "C:\\VS6\\ATL\\INCLUDE"}));
    EXPECT_EQ(VcProductDirs::DefaultIncludeList(2, "D:\\VC7\\").front(), "D:\\VC7\\INCLUDE");
    EXPECT_EQ(VcProductDirs::DefaultIncludeList(3, "D:\\VC8\\").size(), 4u);
    EXPECT_TRUE(VcProductDirs::DefaultIncludeList(1, "").empty());
    VcProductDirs dirs;
    dirs.folders[0] = "x";
    dirs.Read();
    EXPECT_TRUE(dirs.folders[0].empty());
}
