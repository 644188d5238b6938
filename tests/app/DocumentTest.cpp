#include "AppFixture.h"

#include "Analyzer.h"
#include "FrameStatusBar.h"
#include "CommandIds.h"
#include "InfoView.h"
#include "InputSet.h"
#include "LanguageTable.h"
#include "Options.h"
#include "ProgramFolder.h"
#include "TestFiles.h"
#include "TotalView.h"

#include <QMenuBar>
#include <QProgressBar>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// The shipped sample project, copied into a folder of the test's own.
struct SampleProject {
    SampleProject()
    {
        fs::copy(GetAppDirectory() + "/Samples", folder.Path(), fs::copy_options::recursive);
    }
    std::string Path(const std::string& name) const { return folder.File(name); }
    std::string Project() const { return Path("Garden.kst"); }
    TempFolder folder;
};

bool Draw(RunningApp& program)
{
    program.Frame().Commands().Execute(ID_DRAW);
    return WaitFor([&] { return !program.context->drawRunning; });
}

// Each test runs the program on its own copy of the sample project.
class DocumentTest : public testing::Test {
protected:
    SampleProject sample;
    RunningApp program;
    UiRecorder ui;
    CKestrinDoc& doc = program.Doc();

    // Opens as the File menu does and waits until the cache has loaded.
    bool Open(const std::string& path)
    {
        const bool opened = doc.OpenDocumentFile(path);
        EXPECT_TRUE(WaitFor([this] { return !program.Frame().MacroView()->Loading(); }));
        return opened;
    }
};

} // namespace

TEST_F(DocumentTest, SaveCloseAndReopenGiveTheSameProjectAndItsModelFromTheCache)
{
    ASSERT_TRUE(Open(sample.Project()));
    EXPECT_EQ(ui.Texts(UiCallKind::Message), std::vector<std::string> {GetLangString(35)})
        << "no cache yet";
    EXPECT_EQ(program.context->Input().paths.size(), 3u);
    EXPECT_EQ(program.context->Options().projectWords.at("GARDEN_SAMPLE"), 1);
    ASSERT_TRUE(Draw(program));
    ASSERT_FALSE(program.Frame().MacroView()->Nodes().empty());
    EXPECT_TRUE(doc.IsModified()) << "a Draw marks the project modified";

    // Removing a file resets every holder of the model before it is rebuilt.
    int resets = 0;
    ModelHolders::Registration holder(program.context->Holders(), "test", [&] { ++resets; });
    std::ofstream(sample.Path("extra.c")) << "struct Extra { int e; };\n";
    doc.AddFile(sample.Path("extra.c"));
    ASSERT_TRUE(Draw(program));
    program.Frame().MacroView()->RedrawNow();
    const auto hasExtra = [&] {
        return FindNode(program.Frame().MacroView()->Nodes(), "Extra") != nullptr;
    };
    ASSERT_TRUE(hasExtra());
    resets = 0;
    doc.RemoveFile(sample.Path("extra.c"));
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(program.Frame().MacroView()->Nodes().empty());
    program.Frame().MacroView()->RedrawNow();
    EXPECT_FALSE(hasExtra());
    EXPECT_FALSE(program.Frame().MacroView()->Nodes().empty());

    program.context->Input().fileFlags[sample.Path("weather.c")].draw = false;
    const std::string saved = sample.Path("copy.kst");
    ASSERT_TRUE(doc.DoSave(saved));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), saved);
    const std::string bytes = ReadFileBytes(saved);
    EXPECT_NE(bytes.find("GARDEN_SAMPLE\r\n1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(sample.Path("weather.c") + "\r\n1 0\r\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(sample.Path("copy.car")));

    doc.OnCloseProject();
    EXPECT_TRUE(program.context->Input().paths.empty());
    EXPECT_TRUE(program.Frame().MacroView()->Nodes().empty());
    EXPECT_EQ(doc.GetTitle(), "Untitled");

    ui.calls.clear();
    int paints = 0;
    const auto counting = QObject::connect(
        program.Frame().MacroView(), &CTotalView::MacroViewPainted, [&] { ++paints; });
    ASSERT_TRUE(Open(saved));
    QObject::disconnect(counting);
    EXPECT_TRUE(ui.Texts(UiCallKind::Message).empty())
        << "cache loaded, nothing changed: no question";
    EXPECT_FALSE(program.Frame().MacroView()->Nodes().empty()) << "shown from the cache";
    EXPECT_GE(paints, 1) << "painted as the load ends";
    EXPECT_FALSE(program.context->Input().fileFlags.at(sample.Path("weather.c")).draw);
    ASSERT_TRUE(doc.DoSave(saved));
    EXPECT_EQ(ReadFileBytes(saved), bytes) << "byte for byte";

    // A changed source asks whether to draw again; Yes presses Draw.
    std::ofstream(sample.Path("weather.c"), std::ios::app) << "\nint Later(void) { return 1; }\n";
    fs::last_write_time(sample.Path("weather.c"),
        fs::last_write_time(sample.Path("weather.c")) + std::chrono::seconds(5));
    doc.OnCloseProject();
    ui.calls.clear();
    ui.Reply(UiReply::Answer(Answer::Yes));
    int draws = 0;
    QObject::connect(program.Frame().MacroView(), &CTotalView::DrawFinished, [&] { ++draws; });
    ASSERT_TRUE(Open(saved));
    EXPECT_EQ(ui.Texts(UiCallKind::Message),
        std::vector<std::string> {std::string(GetLangString(16)) + "\r\n" + GetLangString(20)});
    EXPECT_TRUE(WaitFor([&] { return draws == 1; })) << "Yes pressed Draw";
}

// Reopening checks the cache against the include folders and predefined
// words a Draw reads with: a header found only through an include folder
// asks nothing while it is as it was, and asks once it has changed.
TEST_F(DocumentTest, ReopeningAsksOnlyWhenAHeaderFoundThroughAnIncludeFolderChanged)
{
    const std::string main =
        sample.folder.Write("main.cpp", "#include \"thing.h\"\nclass Part { Thing t; };\n");
    fs::create_directory(sample.Path("inc"));
    const std::string header = sample.Path("inc/thing.h");
    std::ofstream(header) << "class Thing { int size; };\n";
    program.context->Options().userIncludeList = {sample.Path("inc")};
    doc.AddFile(main);
    ASSERT_TRUE(Draw(program));
    program.Frame().MacroView()->RedrawNow();
    ASSERT_NE(FindNode(program.Frame().MacroView()->Nodes(), "Thing"), nullptr);
    const std::string saved = sample.Path("thing.kst");
    ASSERT_TRUE(doc.DoSave(saved));

    const auto reopen = [&] {
        doc.OnCloseProject();
        ui.calls.clear();
        ui.Reply(UiReply::Answer(Answer::No));
        EXPECT_TRUE(Open(saved));
        return ui.Texts(UiCallKind::Message);
    };
    EXPECT_EQ(reopen(), std::vector<std::string> {}) << "nothing changed: no question";
    EXPECT_FALSE(doc.IsModified());
    program.Frame().MacroView()->RedrawNow();
    EXPECT_NE(FindNode(program.Frame().MacroView()->Nodes(), "Part"), nullptr);

    std::ofstream(header, std::ios::app) << "class Later { int l; };\n";
    fs::last_write_time(header, fs::last_write_time(header) + std::chrono::seconds(5));
    EXPECT_EQ(reopen(),
        std::vector<std::string> {std::string(GetLangString(16)) + "\r\n" + GetLangString(20)});
}

// A project without a cache yet (the first open) is only asked whether to
// analyse it; a cache that is there but cannot be read is also reported in
// the message pane, as an error.
TEST_F(DocumentTest, AMissingCacheIsNoFailureAndAnUnreadableOneIsAnError)
{
    const auto paneAfterOpen = [&](const std::string& project) {
        program.Frame().InfoView()->clear();
        ui.calls.clear();
        ui.Reply(UiReply::Answer(Answer::No));
        EXPECT_TRUE(Open(project));
        EXPECT_EQ(ui.Texts(UiCallKind::Message), std::vector<std::string> {GetLangString(35)});
        program.context->Messages().Deliver();
        return program.Frame().InfoView()->toPlainText().toStdString();
    };
    EXPECT_EQ(paneAfterOpen(sample.Project()).find(GetLangString(34)), std::string::npos);

    WriteFileBytes(sample.Path("Garden.car"), "not a parse cache");
    const std::string pane = paneAfterOpen(sample.Project());
    const std::string line = std::string(GetLangString(3)) + ": " +
        fs::absolute(sample.Path("Garden.car")).string() + " - " + GetLangString(34);
    EXPECT_NE(pane.find(line), std::string::npos) << pane;
}

// A save shows its progress at once before the cache is written, the long
// step on the window's thread; the steps after it are over in moments, and
// the bar shows where it ends with the next paints instead of being painted
// for each.
TEST_F(DocumentTest, ASavePaintsItsProgressOnlyBeforeTheLongStep)
{
    CMainFrame& frame = program.Frame();
    frame.resize(1200, 800);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    ASSERT_TRUE(Open(sample.Project()));
    ASSERT_TRUE(Draw(program));
    QApplication::processEvents();
    QProgressBar& bar = *frame.StatusBar()->Progress();
    int paints = 0;
    struct PaintCounter : QObject {
        int& paints;
        explicit PaintCounter(int& count) : paints(count) { }
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter(paints);
    bar.installEventFilter(&counter);

    ASSERT_TRUE(doc.DoSave(sample.Project()));
    EXPECT_EQ(paints, 1) << "painted at the step before the cache only";
    EXPECT_EQ(bar.value(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints == 2; })) << "painted with the next paints";
    bar.removeEventFilter(&counter);
}

TEST_F(DocumentTest, AFailedOpenLeavesANewUntitledProjectThatCannotOverwriteAnything)
{
    ASSERT_TRUE(Open(sample.Project()));
    ASSERT_TRUE(doc.DoSave(sample.Project()));
    const std::string before = ReadFileBytes(sample.Project());

    fs::create_directory(sample.Path("folder.kst"));
    std::ofstream(sample.Path("binary.kst"), std::ios::binary) << std::string("Kestrin\0\1\2", 10);
    ::mkfifo(sample.Path("pipe.kst").c_str(), 0600);
    const std::string broken[] = {sample.Path("missing.kst"), sample.Path("folder.kst"),
        sample.Path("binary.kst"), sample.Path("pipe.kst"), sample.Path("garden.cpp")};
    for (const std::string& path : broken) {
        ASSERT_TRUE(Open(sample.Project())) << path;
        ui.calls.clear();
        EXPECT_FALSE(Open(path)) << path;
        EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 1u) << path << ": one clear message";
        EXPECT_EQ(doc.GetPathName(), "") << path;
        EXPECT_TRUE(program.context->Input().paths.empty()) << path;
        const auto& recent = program.context->RecentFiles().Entries();
        EXPECT_EQ(std::find(recent.begin(), recent.end(), path), recent.end()) << path;
        // Save now asks where to save: the previous project stays as it was.
        ui.Reply(UiReply::Cancel());
        EXPECT_FALSE(doc.OnFileSave());
        EXPECT_EQ(ui.calls.back().kind, UiCallKind::SaveFile);
    }
    EXPECT_EQ(ReadFileBytes(sample.Project()), before);
}

// Save As of a new project proposes its own title in the last project's
// folder, not the last project's file, which saving would replace.
TEST_F(DocumentTest, SaveAsOfAnUntitledProjectProposesItsTitle)
{
    ASSERT_TRUE(Open(sample.Project()));
    const std::string folder = fs::absolute(sample.folder.Path()).lexically_normal().string();
    EXPECT_EQ(program.context->Options().lastProjectPath, folder);
    doc.OnFileNew();
    ASSERT_EQ(doc.GetPathName(), "");
    ui.Reply(UiReply::Cancel());
    EXPECT_FALSE(doc.OnFileSaveAs());
    ASSERT_EQ(ui.calls.back().kind, UiCallKind::SaveFile);
    EXPECT_EQ(ui.calls.back().arguments.at(1), folder + "/Untitled.kst");

    ui.Reply(UiReply::Path(sample.Path("fresh.kst")));
    EXPECT_TRUE(doc.OnFileSaveAs());
    EXPECT_TRUE(fs::is_regular_file(sample.Path("fresh.kst")));
    ui.Reply(UiReply::Cancel());
    doc.OnFileSaveAs();
    EXPECT_EQ(ui.calls.back().arguments.at(1), fs::absolute(sample.Path("fresh.kst")).string())
        << "a titled project proposes its own file";
}

// A project file is replaced as a whole, never rewritten in place: a save
// that fails half-way (a full disk, a kill) leaves the old file as it was,
// and a saved file is a new one (a link to the old keeps the old content).
TEST_F(DocumentTest, SavingReplacesTheProjectFileWholeOrNotAtAll)
{
    ASSERT_TRUE(Open(sample.Project()));
    const std::string before = ReadFileBytes(sample.Project());
    std::ofstream(sample.Path("extra.c")) << "int extra;\n";
    doc.AddFile(sample.Path("extra.c"));
    ui.calls.clear();
    {
        FileSizeLimit full(16);
        EXPECT_FALSE(doc.DoSave(sample.Project()));
    }
    EXPECT_EQ(ReadFileBytes(sample.Project()), before);
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 1u);

    fs::create_hard_link(sample.Project(), sample.Path("old.kst"));
    ASSERT_TRUE(doc.DoSave(sample.Project()));
    const std::string after = ReadFileBytes(sample.Project());
    EXPECT_NE(after.find("extra.c"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(sample.Path("old.kst")), before);
    for (const std::string& name : sample.folder.Names())
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name << ": no temporary file left";
}

TEST_F(DocumentTest, CloseAndNewAskFirstAndCancelKeepsTheProject)
{
    ASSERT_TRUE(Open(sample.Project()));
    doc.SetModifiedFlag();
    for (int command : {ID_CLOSE_PROJECT, ID_NEW_PROJECT}) {
        ui.Reply(UiReply::Answer(Answer::Cancel));
        program.Frame().Commands().Execute(command);
        EXPECT_EQ(doc.GetPathName(), fs::absolute(sample.Project()).string()) << command;
        EXPECT_EQ(program.context->Input().paths.size(), 3u) << command;
    }
    ui.Reply(UiReply::Answer(Answer::No));
    program.Frame().Commands().Execute(ID_CLOSE_PROJECT);
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_EQ(ui.Texts(UiCallKind::Notice).back(), GetLangString(30));
}

TEST_F(DocumentTest, FilesAndFoldersJoinTheProjectSafely)
{
    fs::create_directories(sample.Path("deep/deeper"));
    std::ofstream(sample.Path("deep/one.cpp")) << "int one;\n";
    std::ofstream(sample.Path("deep/deeper/two.cc")) << "int two;\n";
    std::ofstream(sample.Path("deep/notes.txt")) << "no\n";
    fs::create_directory_symlink(sample.folder.Path(), sample.Path("deep/loop"));

    doc.ScanFolder(sample.Path("deep"), false);
    EXPECT_EQ(
        program.context->Input().paths, (std::set<std::string> {sample.Path("deep/one.cpp")}));
    doc.ScanFolder(sample.Path("deep"), true);
    EXPECT_EQ(program.context->Input().paths,
        (std::set<std::string> {sample.Path("deep/one.cpp"), sample.Path("deep/deeper/two.cc")}))
        << "sub-folders, but never through the link back up";

    doc.AddFile(sample.Path("bad\nname.cpp"));
    doc.AddFile(sample.Path("other.kst"));
    EXPECT_EQ(program.context->Input().paths.size(), 2u);

    ui.Reply(UiReply::Folder(sample.Path("deep"), true));
    doc.OnAddFolder(nullptr);
    EXPECT_EQ(program.context->Options().lastPath, sample.Path("deep"));
    EXPECT_EQ(ui.calls.back().arguments.at(1), GetLangString(105));

    // A parse cache that cannot be written is reported in the pane and in a
    // message box; the project file is saved, the save as a whole is not.
    fs::create_directory(sample.Path("kept.car"));
    program.context->Messages().Deliver();
    program.Frame().InfoView()->Clear();
    ui.calls.clear();
    EXPECT_FALSE(doc.DoSave(sample.Path("kept.kst")));
    program.context->Messages().Deliver();
    EXPECT_TRUE(fs::is_regular_file(sample.Path("kept.kst")));
    EXPECT_TRUE(fs::is_directory(sample.Path("kept.car")));
    EXPECT_NE(program.Frame().InfoView()->toPlainText().toStdString().find(GetLangString(33)),
        std::string::npos);
    const auto boxes = ui.Texts(UiCallKind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(GetLangString(33)), std::string::npos);
    EXPECT_TRUE(ui.Texts(UiCallKind::Notice).empty()) << "no notice of a save";
}

// Caps the size of any file this process writes while it lives, as a full
// disk would.
class FileSizeCap {
public:
    explicit FileSizeCap(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit cap = old_;
        cap.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &cap);
    }
    ~FileSizeCap()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit old_ {};
    void (*previousSignal_)(int) = nullptr;
};

TEST_F(DocumentTest, ACacheThatChangedOrCouldNotBeWrittenIsNeverTrusted)
{
    ASSERT_TRUE(Open(sample.Project()));
    ASSERT_TRUE(Draw(program));
    const std::string saved = sample.Path("copy.kst");
    const std::string cache = sample.Path("copy.car");
    ASSERT_TRUE(doc.DoSave(saved));
    const std::string good = ReadFileBytes(cache);
    const auto reopenAsks = [&] {
        doc.OnCloseProject();
        ui.calls.clear();
        ui.Reply(UiReply::Answer(Answer::No));
        EXPECT_TRUE(Open(saved));
        return ui.Texts(UiCallKind::Message) == std::vector<std::string> {GetLangString(35)};
    };
    EXPECT_FALSE(reopenAsks()) << "the cache as saved is loaded";

    // One byte of a record's time changed: it still reads, but is not loaded.
    const auto numberAt = [&good](size_t at) {
        return static_cast<size_t>(static_cast<unsigned char>(good[at])) |
            static_cast<size_t>(static_cast<unsigned char>(good[at + 1])) << 8;
    };
    size_t at = 16; // the first record's path, its includes, flags, number and size
    at += 4 + numberAt(at);
    at += 4 + 4 * numberAt(at) + 3 + 4 + 4;
    std::string damaged = good;
    damaged[at] = static_cast<char>(damaged[at] ^ 1);
    WriteFileBytes(cache, damaged);
    EXPECT_TRUE(reopenAsks());
    WriteFileBytes(cache, good);
    EXPECT_FALSE(reopenAsks());

    // The disk fills: the project file is written, the cache is not.
    program.context->Options().projectWords["LATER"] = 2;
    doc.SetModifiedFlag();
    ui.calls.clear();
    {
        FileSizeCap full(ReadFileBytes(saved).size() + 200);
        EXPECT_FALSE(doc.DoSave(saved));
    }
    EXPECT_NE(ReadFileBytes(saved).find("LATER\r\n2\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(cache)) << "the old cache went with the old project file";
    ASSERT_EQ(ui.Texts(UiCallKind::Message).size(), 1u);
    EXPECT_NE(ui.Texts(UiCallKind::Message)[0].find(GetLangString(33)), std::string::npos);
    EXPECT_TRUE(doc.IsModified());
    // Had the old cache stayed, it would still not be trusted.
    WriteFileBytes(cache, good);
    ui.Reply(UiReply::Answer(Answer::No)); // to the question whether to save
    EXPECT_TRUE(reopenAsks());
    EXPECT_EQ(program.context->Options().projectWords.at("LATER"), 2);
}

TEST_F(DocumentTest, SaveIsRefusedWhileADrawRuns)
{
    ASSERT_TRUE(Open(sample.Project()));
    const std::string saved = sample.Path("during.kst");
    ui.calls.clear();
    program.context->drawRunning = true;
    EXPECT_FALSE(doc.DoSave(saved));
    program.context->drawRunning = false;
    EXPECT_EQ(ui.Texts(UiCallKind::Message), std::vector<std::string> {GetLangString(18)});
    EXPECT_FALSE(fs::exists(saved));
    EXPECT_FALSE(fs::exists(sample.Path("during.car")));
}
