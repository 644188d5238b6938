#include "AppFixture.h"

#include "CommandIds.h"
#include "InputSet.h"
#include "LanguageTable.h"
#include "Options.h"
#include "TotalView.h"
#include "VcImportRun.h"

#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The program and a Visual C++ 6 project of two sources and two words.
struct VcImportTest : testing::Test {
    VcImportTest()
    {
        main = folder.Write("app/src/main.cpp", "int main() { return 0; }\n");
        util = folder.Write("app/util.c", "int util;\n");
        dsp = folder.Write("app/App.dsp",
            "# ADD CPP /nologo /D \"WIN32\" /D \"VER=0x0400\"\r\n"
            "SOURCE=.\\Src\\main.cpp\r\n"
            "SOURCE=.\\util.c\r\n");
    }
    CInputSet& Input() { return program.context->Input(); }
    std::map<std::string, int32_t>& Words() { return program.context->Options().projectWords; }

    TempFolder folder;
    std::string main, util, dsp;
    RunningApp program;
    UiRecorder ui;
    CKestrinDoc& doc = program.Doc();
};

} // namespace

TEST_F(VcImportTest, AProjectBringsItsSourcesAndWordsAndMarksTheProject)
{
    EXPECT_TRUE(doc.AddFile(dsp));
    EXPECT_EQ(Input().paths, (std::set<std::string> {main, util}));
    EXPECT_EQ(Words(), (std::map<std::string, int32_t> {{"VER", 0x400}, {"WIN32", 0}}));
    EXPECT_FALSE(doc.AddFile(dsp)) << "nothing new the second time";

    // A dropped project that adds only a word still marks the project.
    folder.Write("app/Words.dsp", "# ADD CPP /D \"EXTRA\"\r\nSOURCE=.\\util.c\r\n");
    doc.SetModifiedFlag(false);
    program.Frame().OnDropFiles({folder.File("app/Words.dsp")});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Words().count("EXTRA"), 1u);

    // A folder scan imports the projects it finds.
    Input().Clear();
    Words().clear();
    EXPECT_TRUE(doc.ScanFolder(folder.File("app"), false));
    EXPECT_EQ(Input().paths, (std::set<std::string> {main, util}));
    EXPECT_EQ(Words().count("EXTRA"), 1u);
}

TEST_F(VcImportTest, OpenFromVisualCppAsksToSaveAndCancelKeepsTheProject)
{
    const std::string kept = folder.Write("kept.c", "int kept;\n");
    doc.AddFile(kept);
    doc.SetModifiedFlag();
    ui.Reply(UiReply::Path(dsp)).Reply(UiReply::Answer(Answer::Cancel));
    program.Frame().Commands().Execute(ID_OPEN_FROM_VC);
    EXPECT_EQ(Input().paths, std::set<std::string> {kept});
    EXPECT_TRUE(doc.IsModified());

    ui.Reply(UiReply::Path(dsp)).Reply(UiReply::Answer(Answer::No));
    program.Frame().Commands().Execute(ID_OPEN_FROM_VC);
    EXPECT_EQ(Input().paths, (std::set<std::string> {main, util}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_EQ(ui.RepliesLeft(), 0u);
}

TEST_F(VcImportTest, ProjectCommandsAreRefusedWhileADrawRuns)
{
    program.context->drawRunning = true;
    for (int id : {ID_OPEN_FROM_VC, ID_NEW_PROJECT, ID_OPTION_GENERAL, ID_PROJECT_INFO}) {
        ui.calls.clear();
        program.Frame().Commands().Execute(id);
        ASSERT_EQ(ui.calls.size(), 1u) << id;
        EXPECT_EQ(ui.calls[0].text, GetLangString(18)) << id;
    }
    program.context->drawRunning = false;
}

namespace {

// An import that finds one file and then waits for the stop request, giving
// up after a while so that a stop that never comes fails the test instead of
// hanging it.
VcProjectContent WaitForStop(const std::string& found, const std::atomic<bool>* stop)
{
    VcProjectContent content;
    content.read = true;
    content.files = {found};
    for (int i = 0; i < 20000 && stop != nullptr && !*stop; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    content.stopped = stop != nullptr && *stop;
    return content;
}

} // namespace

// An import runs away from the window: meanwhile Draw is refused and Stop
// reaches the import, which keeps what it found; afterwards the window is
// as before.
TEST_F(VcImportTest, StopReachesALongImport)
{
    bool drew = true;
    bool stopped = false;
    QTimer::singleShot(0, [&] {
        drew = program.Frame().Commands().Execute(ID_DRAW);
        stopped = program.Frame().Commands().Execute(ID_STOP);
    });
    const VcProjectContent content = RunVcImport(*program.context, &program.Frame(),
        [this](const std::atomic<bool>* stop) { return WaitForStop(main, stop); });
    EXPECT_FALSE(drew);
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(content.stopped);
    EXPECT_EQ(content.files, std::vector<std::string> {main});
    EXPECT_FALSE(program.context->drawRunning);
    EXPECT_FALSE(program.context->Input().stopRequest);
    EXPECT_TRUE(program.Frame().Commands().IsEnabled(ID_DRAW));

    // Closing the window during an import stops it; the window closes once
    // the import has ended.
    QTimer::singleShot(0, [&] { program.Frame().close(); });
    EXPECT_TRUE(
        RunVcImport(*program.context, &program.Frame(), [this](const std::atomic<bool>* stop) {
            return WaitForStop(util, stop);
        }).stopped);
    EXPECT_TRUE(program.Frame().isVisible());
    EXPECT_TRUE(WaitFor([&] { return !program.Frame().isVisible(); }));
}

// Files dropped together end at an import that was stopped: the files after
// it are not added.
TEST_F(VcImportTest, DroppedFilesEndAtAStoppedImport)
{
    std::string lines;
    for (int i = 0; i < 400000; ++i)
        lines += "SOURCE=.\\util.c\r\n";
    const std::string big = folder.Write("app/Big.dsp", lines);
    const std::string after = folder.Write("after.c", "int after;\n");
    QTimer::singleShot(0, [&] { program.Frame().Commands().Execute(ID_STOP); });
    program.Frame().OnDropFiles({big, after});
    EXPECT_EQ(Input().paths.count(after), 0u);
    EXPECT_TRUE(doc.ImportStopped());
}

// The views paint nothing of the model while an import runs; they show it
// again once the import has ended.
TEST_F(VcImportTest, TheModelShowsAgainAfterAnImport)
{
    ASSERT_TRUE(doc.AddFile(dsp));
    CTotalView& view = *program.Frame().MacroView();
    bool painted = false;
    QObject::connect(&view, &CTotalView::MacroViewPainted, [&] { painted = true; });
    program.Frame().PostDraw();
    ASSERT_TRUE(WaitFor([&] { return !program.context->drawRunning && painted; }));

    QTimer::singleShot(0, [&] {
        view.RedrawNow();
        program.Frame().Commands().Execute(ID_STOP);
    });
    RunVcImport(*program.context, &program.Frame(),
        [this](const std::atomic<bool>* stop) { return WaitForStop(util, stop); });
    painted = false;
    EXPECT_TRUE(WaitFor([&] { return painted; }));
}

TEST(VcWorkspaceDrawTest, ADroppedWorkspaceIsDrawnWithItsProjectsWords)
{
    // Two projects in folders of their own, written as Visual C++ writes
    // them: backslashes, CR LF, a name in the wrong case, a quoted path with
    // a blank, a source one folder up, and a word with a value.
    TempFolder folder;
    folder.Write("ws/Planner/src/Beds.cpp",
        "#if GARDEN_SIZE > 10\nstruct BigBeds { int rows; };\n#else\n"
        "struct SmallBeds { int rows; };\n#endif\n");
    folder.Write("ws/common/Rain.c", "struct Rain { int mm; };\n");
    folder.Write("ws/Planner/Planner.dsp",
        "# ADD BASE CPP /nologo /D \"WIN32\"\r\n"
        "# ADD CPP /nologo /D \"WIN32\" /D \"GARDEN_SIZE=12\"\r\n"
        "SOURCE=.\\src\\beds.cpp\r\n"
        "SOURCE=.\\src\\Beds.h\r\n");
    folder.Write("ws/water tools/Water.dsp", "SOURCE=\"..\\common\\Rain.c\"\r\n");
    const std::string dsw = folder.Write("ws/Garden.dsw",
        "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n"
        "Project: \"Planner\"=.\\Planner\\Planner.dsp - Package Owner=<4>\r\n"
        "Project: \"Water\"=\".\\water tools\\WATER.DSP\" - Package Owner=<4>\r\n");

    RunningApp program;
    UiRecorder ui;
    program.Frame().OnDropFiles({dsw});
    EXPECT_EQ(program.context->Input().paths,
        (std::set<std::string> {
            folder.File("ws/Planner/src/Beds.cpp"), folder.File("ws/common/Rain.c")}));
    EXPECT_EQ(program.context->Options().projectWords,
        (std::map<std::string, int32_t> {{"GARDEN_SIZE", 12}, {"WIN32", 0}}));
    EXPECT_TRUE(program.Doc().IsModified());

    program.Frame().PostDraw();
    const auto& nodes = [&]() -> const std::vector<MacroLayoutNode>& {
        return program.Frame().MacroView()->Nodes();
    };
    ASSERT_TRUE(WaitFor(
        [&] { return !program.context->drawRunning && FindNode(nodes(), "Rain") != nullptr; }));
    EXPECT_NE(FindNode(nodes(), "BigBeds"), nullptr) << "the project's word reaches the analysis";
    EXPECT_EQ(FindNode(nodes(), "SmallBeds"), nullptr);
}
