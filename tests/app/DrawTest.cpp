#include "AppFixture.h"

#include "CommandIds.h"
#include "CommandTable.h"
#include "DetailView.h"
#include "InfoView.h"
#include "InputSet.h"
#include "LanguageTable.h"
#include "ModelScope.h"
#include "Options.h"
#include "ProgramFolder.h"
#include "TextMeasurer.h"
#include "TotalView.h"

#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The program with a project of generated sources (large enough that a run
// takes a while) plus the sample's, ready to draw.
struct DrawFixture {
    DrawFixture(int generated = 0)
    {
        for (const char* name : {"garden.h", "garden.cpp", "plants.cpp", "weather.c"})
            fs::copy(GetAppDirectory() + "/Samples/" + name, folder.File(name));
        for (int i = 0; i < generated; ++i) {
            std::ofstream out(folder.File("gen" + std::to_string(i) + ".cpp"));
            out << "namespace gen" << i << " {\nclass Worker" << i << " {\npublic:\n";
            for (int m = 0; m < 40; ++m)
                out << "    int Step" << m << "(int x) { if (x > " << m
                    << ") return x - 1; while (x < 9) x++; return x; }\n";
            out << "};\n}\n";
        }
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            program.Doc().AddFile(entry.path().string());
        ui.calls.clear();
    }
    CommandRegistry& Commands() { return program.Frame().Commands(); }
    CTotalView& View() { return *program.Frame().MacroView(); }
    bool Running() const { return program.context->drawRunning; }
    bool WaitUntilDone()
    {
        return WaitFor([this] { return !Running(); });
    }
    QList<QAction*> Menus() { return program.Frame().menuBar()->actions(); }
    // Draws and saves the project with its cache as big.kst; the saved
    // path, or nothing when a step failed.
    std::string DrawAndSave()
    {
        if (!Commands().Execute(ID_DRAW) || !WaitUntilDone())
            return {};
        const std::string saved = folder.File("big.kst");
        return program.Doc().DoSave(saved) ? saved : std::string();
    }

    TempFolder folder;
    UiRecorder ui;
    RunningApp program;
};

// Counts the texts measured on the thread that made it, and hands every
// measurement on.
class UiThreadMeasureCounter : public TextMeasurer {
public:
    explicit UiThreadMeasureCounter(std::shared_ptr<const TextMeasurer> next)
        : next_(std::move(next))
    {
    }
    CSize Measure(const CFont& font, std::string_view text) const override
    {
        if (std::this_thread::get_id() == thread_)
            ++count;
        return next_->Measure(font, text);
    }
    mutable std::atomic<int> count {0};

private:
    std::shared_ptr<const TextMeasurer> next_;
    std::thread::id thread_ = std::this_thread::get_id();
};

int CountNodes(const std::vector<MacroLayoutNode>& nodes)
{
    int count = 0;
    for (const MacroLayoutNode& node : nodes)
        count += 1 + CountNodes(node.children);
    return count;
}

// Where every box stands and how big it is, depth first.
std::vector<int> Geometry(const std::vector<MacroLayoutNode>& nodes)
{
    std::vector<int> out;
    for (const MacroLayoutNode& node : nodes) {
        for (int v : {node.absX, node.absY, node.textW, node.textH, node.boxW, node.boxH})
            out.push_back(v);
        const std::vector<int> inner = Geometry(node.children);
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

} // namespace

TEST(DrawTest, ARunsMessagesReachThePaneWholeAndInOrder)
{
    DrawFixture f;
    f.program.Frame().InfoView()->AppendMessage("old text\n");
    EXPECT_TRUE(f.Commands().Execute(ID_DRAW));
    EXPECT_TRUE(f.Running());
    EXPECT_FALSE(f.Commands().IsEnabled(ID_DRAW));
    EXPECT_TRUE(f.Commands().IsEnabled(ID_STOP));
    ASSERT_TRUE(f.WaitUntilDone());
    f.program.context->Messages().Deliver();

    const QStringList lines =
        f.program.Frame().InfoView()->toPlainText().split('\n', Qt::SkipEmptyParts);
    std::vector<std::string> expected;
    for (const std::string& path : f.program.context->Input().paths)
        expected.push_back(std::string(GetLangString(10)) + ": " + path);
    expected.push_back(std::string(GetLangString(1)) + ": " + GetLangString(8));
    std::vector<std::string> shown;
    for (const QString& line : lines)
        shown.push_back(line.toStdString());
    EXPECT_EQ(shown, expected) << "the pane was emptied first; then every line whole, in order";
    EXPECT_TRUE(f.Commands().IsEnabled(ID_DRAW));
    EXPECT_TRUE(f.Menus()[kFileMenuPosition]->isEnabled());
    EXPECT_NE(FindNode(f.View().Nodes(), "garden"), nullptr);
}

TEST(DrawTest, StopKeepsTheMenusGreyUntilTheRunHasReturnedAndDrawWorksAgain)
{
    DrawFixture f(120);
    f.View().StartDraw();
    f.View().StartDraw();
    EXPECT_EQ(f.ui.Texts(UiCallKind::Message), std::vector<std::string> {GetLangString(18)})
        << "one run at a time";
    f.Commands().Execute(ID_STOP);
    // The run has not returned before the events are handled: all stays greyed.
    EXPECT_TRUE(f.Running());
    for (int position : {kFileMenuPosition, kOptionMenuPosition, kInfoMenuPosition})
        EXPECT_FALSE(f.Menus()[position]->isEnabled()) << position;
    EXPECT_FALSE(f.Commands().IsEnabled(ID_CLEAR_ALL_REDRAW));
    f.program.Doc().OnCloseProject();
    f.program.Frame().OnDropFiles({"/tmp/late.cpp"});
    EXPECT_EQ(f.ui.Texts(UiCallKind::Message).size(), 3u) << "both refused while the run goes on";
    EXPECT_EQ(f.program.context->Input().paths.size(), 123u);

    ASSERT_TRUE(f.WaitUntilDone());
    for (int position : {kFileMenuPosition, kOptionMenuPosition})
        EXPECT_TRUE(f.Menus()[position]->isEnabled()) << position;
    f.program.context->Messages().Deliver();
    const std::string log = f.program.Frame().InfoView()->toPlainText().toStdString();
    EXPECT_NE(log.find(GetLangString(12)), std::string::npos);

    EXPECT_TRUE(f.Commands().Execute(ID_DRAW));
    ASSERT_TRUE(f.WaitUntilDone());
    EXPECT_NE(FindNode(f.View().Nodes(), "gen119"), nullptr) << "the second run reads everything";
}

TEST(DrawTest, ClosingDuringADrawStopsItAndWaits)
{
    DrawFixture f(60);
    f.program.Doc().SetModifiedFlag(false);
    f.View().StartDraw();
    ASSERT_TRUE(f.Running());
    f.ui.Reply(UiReply::Answer(Answer::No));
    f.program.Frame().close();
    EXPECT_FALSE(f.Running());
    EXPECT_FALSE(f.program.Frame().isVisible());
    f.program.app.reset();
}

// The run builds, measures and arranges the macro view's tree, which took
// seconds of the first paint for a huge model: that paint measures hardly a
// caption on the window's thread, and shows the tree the window would have
// built itself.
TEST(DrawTest, TheFirstPaintAfterARunTakesTheTreeTheRunBuilt)
{
    DrawFixture f(10);
    f.program.Frame().resize(1200, 800);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.program.Frame()));
    std::shared_ptr<const TextMeasurer> current(&GetTextMeasurer(), [](const TextMeasurer*) {});
    auto counter = std::make_shared<UiThreadMeasureCounter>(current);
    ScopedTextMeasurer scoped(counter);
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    ASSERT_TRUE(f.WaitUntilDone());
    CTotalView& view = f.View();
    view.RedrawNow();
    const int nodes = CountNodes(view.Nodes());
    ASSERT_GT(nodes, 400);
    EXPECT_LT(counter->count, nodes / 4);

    const std::vector<int> fromRun = Geometry(view.Nodes());
    view.RebuildLayout();
    view.RedrawNow();
    EXPECT_GE(counter->count, nodes);
    EXPECT_EQ(Geometry(view.Nodes()), fromRun);
}

// A tree taller than the view brings the vertical scroll bar: the run
// arranges it for the width beside the bar and the bar shows before the first
// paint, so that the window never arranges the run's tree again, whether the
// bar was shown before the run or not.
TEST(DrawTest, ARunArrangesATallTreeForTheWidthBesideTheScrollBar)
{
    DrawFixture f(10);
    f.program.Frame().resize(700, 400);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.program.Frame()));
    CTotalView& view = f.View();
    ASSERT_FALSE(view.verticalScrollBar()->isVisible());
    const int fullWidth = view.GetClientRect().Width();
    for (int run = 0; run < 2; ++run) {
        const int arranged = view.Arrangements();
        ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
        ASSERT_TRUE(f.WaitUntilDone());
        view.RedrawNow();
        QCoreApplication::processEvents();
        view.RedrawNow();
        ASSERT_TRUE(view.verticalScrollBar()->isVisible());
        EXPECT_LT(view.GetClientRect().Width(), fullWidth);
        EXPECT_EQ(view.Arrangements(), arranged) << run;
    }

    const std::vector<int> fromRun = Geometry(view.Nodes());
    view.RebuildLayout();
    view.RedrawNow();
    EXPECT_EQ(Geometry(view.Nodes()), fromRun);
}

// A new width arranges a small tree at the next paint; a huge one keeps its
// arrangement on screen while the new one is made away from the window, and
// then looks exactly as if arranged at once.
TEST(DrawTest, AHugeTreeIsArrangedForANewWidthAwayFromTheWindow)
{
    DrawFixture f(10);
    f.program.Frame().resize(900, 500);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.program.Frame()));
    CTotalView& view = f.View();
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    ASSERT_TRUE(f.WaitUntilDone());
    view.RedrawNow();
    QCoreApplication::processEvents();
    view.RedrawNow();
    const auto settle = [&] {
        return WaitFor([&] {
            view.RedrawNow();
            return !view.ArrangingAway() && !view.RearrangePending();
        });
    };

    int arranged = view.Arrangements();
    f.program.Frame().resize(800, 500);
    ASSERT_TRUE(settle());
    EXPECT_GT(view.Arrangements(), arranged) << "a small tree is arranged at once";

    view.SetArrangeAwayFrom(1);
    arranged = view.Arrangements();
    const std::vector<int> wide = Geometry(view.Nodes());
    f.program.Frame().resize(500, 500);
    QCoreApplication::processEvents();
    view.RedrawNow();
    ASSERT_TRUE(settle());
    EXPECT_EQ(view.Arrangements(), arranged) << "no paint arranged the tree";
    const std::vector<int> narrow = Geometry(view.Nodes());
    const CSize narrowSize = view.GetTotalSize();
    EXPECT_NE(narrow, wide);
    view.Rearrange();
    view.RedrawNow();
    EXPECT_EQ(Geometry(view.Nodes()), narrow);
    EXPECT_EQ(view.GetTotalSize(), narrowSize);

    // A fold right after a resize arranges at once; the arrangement made
    // for the resize is never taken afterwards.
    f.program.Frame().resize(700, 500);
    ASSERT_TRUE(view.ArrangingAway());
    view.UnfoldAll();
    ASSERT_TRUE(settle());
    WaitFor([] { return false; }, 200); // time for a late arrangement to arrive
    const std::vector<int> unfolded = Geometry(view.Nodes());
    view.Rearrange();
    view.RedrawNow();
    EXPECT_EQ(Geometry(view.Nodes()), unfolded);

    // A Draw drops the arrangement being made; so does closing the view.
    f.program.Frame().resize(600, 500);
    ASSERT_TRUE(view.ArrangingAway());
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    EXPECT_FALSE(view.ArrangingAway());
    ASSERT_TRUE(f.WaitUntilDone());
    ASSERT_TRUE(settle());
    f.program.Frame().resize(650, 500);
    EXPECT_TRUE(view.ArrangingAway());
}

// A window resized while the run goes finds, at the first paint, a huge tree
// arranged for its old width: the paint shows that arrangement and the new
// width's is made away from the window.
TEST(DrawTest, AHugeTreeArrangedForAnOldWidthIsShownAndArrangedAway)
{
    DrawFixture f(10);
    f.program.Frame().resize(900, 500);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.program.Frame()));
    CTotalView& view = f.View();
    view.SetArrangeAwayFrom(1);
    const int arranged = view.Arrangements();
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    f.program.Frame().resize(600, 500);
    ASSERT_TRUE(f.WaitUntilDone());
    view.RedrawNow();
    EXPECT_FALSE(view.Nodes().empty());
    ASSERT_TRUE(WaitFor([&] {
        view.RedrawNow();
        return !view.ArrangingAway() && !view.RearrangePending();
    }));
    EXPECT_EQ(view.Arrangements(), arranged);

    const std::vector<int> away = Geometry(view.Nodes());
    view.Rearrange();
    view.RedrawNow();
    EXPECT_EQ(Geometry(view.Nodes()), away);
}

// A drag while a new width is arranged away takes that width's
// arrangement first, as a drag after the resize's paint would, and nothing
// arriving later moves the box back.
TEST(DrawTest, ADragWhileANewWidthIsArrangedAwayKeepsTheMove)
{
    DrawFixture f;
    f.program.Frame().resize(1200, 800);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.program.Frame()));
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    ASSERT_TRUE(f.WaitUntilDone());
    CTotalView& view = f.View();
    view.UnfoldAll();
    f.program.context->Options().autoSort = false; // boxes may be dragged
    view.SetArrangeAwayFrom(1);
    f.program.Frame().resize(800, 800);
    ASSERT_TRUE(view.ArrangingAway());

    const MacroLayoutNode* plant = FindNode(view.Nodes(), "Plant");
    ASSERT_NE(plant, nullptr);
    const CPoint onPlant(plant->absX + plant->boxW - 3, plant->absY + 3);
    view.Click(onPlant);
    ASSERT_EQ(view.Selected(), plant);
    const int arranged = view.Arrangements();
    view.Drag({onPlant.x + 30, onPlant.y + 7});
    EXPECT_EQ(view.Arrangements(), arranged + 1);
    EXPECT_FALSE(view.ArrangingAway());
    const int x = plant->absX;
    WaitFor([] { return false; }, 200); // time for a late arrangement to arrive
    view.RedrawNow();
    EXPECT_EQ(plant->absX, x);
}

TEST(DrawTest, ClicksSelectFoldAndDragAndNothingSurvivesClearAll)
{
    DrawFixture f;
    f.program.Frame().resize(1200, 800);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.program.Frame()));
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    ASSERT_TRUE(f.WaitUntilDone());
    CTotalView& view = f.View();
    view.UnfoldAll();
    f.program.context->Options().autoSort = false; // boxes may be dragged
    CKestrinDoc& doc = f.program.Doc();

    // A class inside the namespace: selected as a type.
    const MacroLayoutNode* plant = FindNode(view.Nodes(), "Plant");
    ASSERT_NE(plant, nullptr);
    const CPoint onPlant(plant->absX + plant->boxW - 3, plant->absY + 3);
    view.Click(onPlant);
    EXPECT_EQ(doc.mode, 2);
    ASSERT_NE(doc.selectedScope, nullptr);
    EXPECT_EQ(doc.selectedScope->name, "Plant");
    EXPECT_EQ(view.Selected(), plant);

    // A drag moves the box with its members.
    const int x = plant->absX;
    const int memberX = plant->children.front().absX;
    view.Drag({onPlant.x + 30, onPlant.y + 7});
    EXPECT_EQ(plant->absX, x + 30);
    EXPECT_EQ(plant->children.front().absX, memberX + 30);

    // A method is selected as a function and cannot be dragged.
    const MacroLayoutNode* grow = FindNode(plant->children, "Grow");
    ASSERT_NE(grow, nullptr);
    const CPoint onGrow(grow->absX + 3, grow->absY + 3);
    view.Click(onGrow);
    EXPECT_EQ(doc.mode, 1);
    EXPECT_EQ(doc.selectedScope->name, "Grow");
    const int growX = grow->absX;
    view.Drag({onGrow.x + 40, onGrow.y});
    EXPECT_EQ(grow->absX, growX);

    // The fold box closes the class and clears the selection.
    plant = FindNode(view.Nodes(), "Plant");
    view.Click({plant->absX + 1, plant->absY + 1});
    EXPECT_FALSE(plant->open);
    EXPECT_EQ(doc.selectedNode, nullptr);
    view.Click({plant->absX + 1, plant->absY + 1});
    EXPECT_TRUE(plant->open);

    // Dragged left beyond the border, the box and each member stop at 0.
    const CPoint moved(plant->absX + plant->boxW - 3, plant->absY + 3);
    view.Click(moved);
    ASSERT_EQ(view.Selected(), plant);
    view.Drag({moved.x - 5000, moved.y});
    EXPECT_EQ(plant->absX, 0);
    EXPECT_EQ(plant->children.front().absX, 0);

    // After Clear All nothing points into the old model.
    ASSERT_TRUE(view.ClearAll());
    EXPECT_TRUE(view.Nodes().empty());
    EXPECT_EQ(doc.selectedNode, nullptr);
    EXPECT_EQ(doc.selectedScope, nullptr);
    view.Click(onPlant);
    view.DoubleClick(onPlant);
    view.Drag({onPlant.x + 10, onPlant.y});
    view.RedrawNow();
    EXPECT_EQ(view.Selected(), nullptr);
}

// The parse cache cannot say which options its records were read with; the
// program keeps that in its settings, so a project saved after its options
// changed is read afresh by the first Draw after reopening, as a cold run
// would read it.
TEST(DrawTest, ADrawAfterReopeningReadsAfreshWhenTheOptionsChangedAfterTheRecords)
{
    DrawFixture f;
    const std::string extra = f.folder.File("extra.cpp");
    std::ofstream(extra) << "#ifdef EXTRA_PART\nclass ExtraPart { int e; };\n#endif\nint kept;\n";
    f.program.Doc().AddFile(extra);
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    ASSERT_TRUE(f.WaitUntilDone());
    EXPECT_EQ(FindNode(f.View().Nodes(), "ExtraPart"), nullptr);

    f.program.context->Options().projectWords["EXTRA_PART"] = 1;
    const std::string saved = f.folder.File("extra.kst");
    ASSERT_TRUE(f.program.Doc().DoSave(saved));
    f.program.Doc().OnCloseProject();
    ASSERT_TRUE(f.program.Doc().OpenDocumentFile(saved));
    ASSERT_TRUE(f.WaitUntilDone());
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    ASSERT_TRUE(f.WaitUntilDone());
    f.View().RedrawNow();
    EXPECT_NE(FindNode(f.View().Nodes(), "ExtraPart"), nullptr);
}

// While a run rebuilds the model, a paint of either view neither arranges
// nor draws anything of it; what it asked for waits for the run's end.
TEST(DrawTest, APaintDuringARunTouchesNoModel)
{
    DrawFixture f(120);
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    ASSERT_TRUE(f.WaitUntilDone());
    ASSERT_FALSE(f.View().Nodes().empty());
    f.View().StartDraw();
    ASSERT_TRUE(f.Running());
    EXPECT_TRUE(f.View().Nodes().empty()) << "the tree into the old model is gone";
    f.View().Rearrange();
    f.View().RedrawNow();
    f.program.Frame().DetailView()->RedrawNow();
    EXPECT_TRUE(f.View().Nodes().empty());
    EXPECT_TRUE(f.View().RearrangePending()) << "not arranged during the run";
    const QImage shown = f.View().viewport()->grab().toImage();
    const QRgb background = shown.pixel(0, 0);
    int other = 0;
    for (int y = 0; y < shown.height(); y += 3)
        for (int x = 0; x < shown.width(); x += 3)
            other += shown.pixel(x, y) != background;
    EXPECT_EQ(other, 0) << "nothing drawn";
    ASSERT_TRUE(f.WaitUntilDone());
    f.View().RedrawNow();
    EXPECT_NE(FindNode(f.View().Nodes(), "gen119"), nullptr);
    EXPECT_FALSE(f.View().RearrangePending());
}

// A run whose thread cannot be made says so and leaves the program as it
// was: menus enabled, no run going, the old model shown.
TEST(DrawTest, AThreadThatCannotStartReenablesTheMenus)
{
    DrawFixture f;
    ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
    ASSERT_TRUE(f.WaitUntilDone());
    f.ui.calls.clear();
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's own mappings need the address space";
#endif
    // The run's thread wants a large stack: an address space that has no
    // room for it refuses the thread.
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    ASSERT_GT(pages, 0);
    rlimit old {};
    ::getrlimit(RLIMIT_AS, &old);
    rlimit tight = old;
    tight.rlim_cur = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) +
        (rlim_t(128) << 20);
    if (old.rlim_cur != RLIM_INFINITY && old.rlim_cur < tight.rlim_cur)
        GTEST_SKIP() << "the address space is limited already";
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &tight), 0);
    f.View().StartDraw();
    ::setrlimit(RLIMIT_AS, &old);
    EXPECT_EQ(f.ui.Texts(UiCallKind::Message), std::vector<std::string> {GetLangString(19)});
    EXPECT_FALSE(f.Running());
    EXPECT_TRUE(f.Commands().IsEnabled(ID_DRAW));
    EXPECT_FALSE(f.Commands().IsEnabled(ID_STOP));
    for (int position : {kFileMenuPosition, kOptionMenuPosition})
        EXPECT_TRUE(f.Menus()[position]->isEnabled()) << position;
    f.View().RedrawNow();
    EXPECT_NE(FindNode(f.View().Nodes(), "garden"), nullptr);
    EXPECT_TRUE(f.Commands().Execute(ID_DRAW));
    EXPECT_TRUE(f.WaitUntilDone());
}

// Opening a project from its cache reads the cache, rebuilds the model and
// prepares its tree on the run's thread: the window's thread returns at once,
// the Draw commands are greyed meanwhile, and the first paint afterwards
// measures next to nothing.
TEST(DrawTest, OpeningFromTheCacheLeavesTheWindowsThreadFree)
{
    DrawFixture f(10);
    f.program.Frame().resize(1200, 800);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.program.Frame()));
    const std::string saved = f.DrawAndSave();
    ASSERT_FALSE(saved.empty());
    f.program.Doc().OnCloseProject();
    f.ui.calls.clear();

    std::shared_ptr<const TextMeasurer> current(&GetTextMeasurer(), [](const TextMeasurer*) {});
    auto counter = std::make_shared<UiThreadMeasureCounter>(current);
    ScopedTextMeasurer scoped(counter);
    int resets = 0;
    ModelHolders::Registration holder(f.program.context->Holders(), "test", [&] { ++resets; });
    ASSERT_TRUE(f.program.Doc().OpenDocumentFile(saved));
    EXPECT_TRUE(f.View().Loading());
    EXPECT_TRUE(f.Running());
    EXPECT_GE(resets, 1) << "every holder forgot the model before the load";
    f.program.Frame().Commands().UpdateAll();
    EXPECT_FALSE(f.Commands().IsEnabled(ID_DRAW));
    EXPECT_FALSE(f.Commands().IsEnabled(ID_CLEAR_ALL_REDRAW));
    f.View().RedrawNow();
    EXPECT_TRUE(f.View().Nodes().empty()) << "nothing of the model is painted while it loads";
    resets = 0;

    ASSERT_TRUE(f.WaitUntilDone());
    EXPECT_FALSE(f.View().Loading());
    EXPECT_EQ(resets, 0) << "the loaded model is not replaced again";
    EXPECT_TRUE(f.ui.Texts(UiCallKind::Message).empty()) << "nothing changed: no question";
    EXPECT_TRUE(f.Commands().IsEnabled(ID_DRAW));
    const int nodes = CountNodes(f.View().Nodes());
    ASSERT_GT(nodes, 400) << "painted at the load's end";
    EXPECT_LT(counter->count, nodes / 4);
    EXPECT_NE(FindNode(f.View().Nodes(), "Worker9"), nullptr);
}

// A model closed or cleared just before is freed before a load makes its
// records or a Draw builds the next model: the two never lie side by side.
TEST(DrawTest, ALoadOrADrawBeginsOnceTheReplacedModelIsFreed)
{
    DrawFixture f;
    for (const bool load : {true, false}) {
        std::atomic<bool> began {false};
        std::atomic<bool> overlapped {false};
        f.program.context->Input().percent = 0;
        // A model still being freed, which watches a while for the next
        // one to begin.
        f.program.context->Disposal().Dispose([&] {
            for (int i = 0; i < 200000 && !began && f.program.context->Input().percent == 0; ++i)
                std::this_thread::yield();
            overlapped = began || f.program.context->Input().percent != 0;
        });
        if (load) {
            ASSERT_TRUE(f.View().StartLoad(
                [&](CAnalyzer&, const CacheLoadSteps& steps) {
                    steps.awaitMemory();
                    began = true;
                    return false;
                },
                nullptr));
        } else {
            ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
        }
        ASSERT_TRUE(f.WaitUntilDone());
        EXPECT_FALSE(overlapped) << load;
    }
    f.View().RedrawNow();
    EXPECT_NE(FindNode(f.View().Nodes(), "Garden"), nullptr);
}

// What holds little memory (reading the cache file) goes on while the model
// closed before is being freed; a load that never asks to wait still builds
// nothing beside it.
TEST(DrawTest, ALoadReadsItsCacheWhileTheReplacedModelIsFreed)
{
    DrawFixture f;
    std::atomic<bool> reading {false};
    std::atomic<bool> freed {false};
    std::atomic<bool> readWhileFreeing {false};
    std::atomic<bool> awaitedTheFreeing {false};
    f.program.context->Disposal().Dispose([&] {
        for (int i = 0; i < 5000000 && !reading; ++i)
            std::this_thread::yield();
        readWhileFreeing = reading.load();
        freed = true;
    });
    ASSERT_TRUE(f.View().StartLoad(
        [&](CAnalyzer&, const CacheLoadSteps& steps) {
            reading = true;
            steps.awaitMemory();
            awaitedTheFreeing = freed.load();
            return false;
        },
        nullptr));
    ASSERT_TRUE(f.WaitUntilDone());
    EXPECT_TRUE(readWhileFreeing);
    EXPECT_TRUE(awaitedTheFreeing);

    freed = false;
    f.program.context->Disposal().Dispose([&] {
        for (int i = 0; i < 200000; ++i)
            std::this_thread::yield();
        freed = true;
    });
    ASSERT_TRUE(f.View().StartLoad(
        [](CAnalyzer&, const CacheLoadSteps&) {
            return true; // records found without asking: a model is built
        },
        [&](bool) { awaitedTheFreeing = freed.load(); }));
    ASSERT_TRUE(f.WaitUntilDone());
    EXPECT_TRUE(awaitedTheFreeing);
}

// What a load looks at beside the rebuild runs on a thread of its own, only
// when records were found, and has ended before the load's end is handed on.
TEST(DrawTest, ALoadsSideWorkRunsBesideTheRebuildAndEndsBeforeItsEnd)
{
    DrawFixture f;
    for (const bool found : {false, true}) {
        std::thread::id loading;
        std::thread::id beside;
        std::atomic<bool> besideEnded {false};
        bool endedBeforeDone = false;
        ASSERT_TRUE(f.View().StartLoad(
            [&](CAnalyzer&, const CacheLoadSteps&) {
                loading = std::this_thread::get_id();
                return found;
            },
            [&](bool) { endedBeforeDone = besideEnded; },
            [&](const CAnalyzer&) {
                beside = std::this_thread::get_id();
                for (int i = 0; i < 1000; ++i)
                    std::this_thread::yield();
                besideEnded = true;
            }));
        ASSERT_TRUE(f.WaitUntilDone());
        EXPECT_EQ(besideEnded.load(), found);
        EXPECT_EQ(endedBeforeDone, found);
        if (found) {
            EXPECT_NE(beside, loading);
        }
    }
}

// Stop during a load: either the load was already done and the model shows,
// or the cache is left unread and the project stays open without a model and
// without an error or a question; a Draw then makes the model.
TEST(DrawTest, StopDuringALoadLeavesTheProjectOpenAndAsksNothing)
{
    DrawFixture f(30);
    const std::string saved = f.DrawAndSave();
    ASSERT_FALSE(saved.empty());
    CKestrinDoc& doc = f.program.Doc();
    doc.OnCloseProject();
    f.program.Frame().InfoView()->clear();
    f.ui.calls.clear();

    ASSERT_TRUE(doc.OpenDocumentFile(saved));
    ASSERT_TRUE(f.Commands().Execute(ID_STOP));
    ASSERT_TRUE(f.WaitUntilDone());
    f.program.context->Messages().Deliver();
    EXPECT_TRUE(f.ui.Texts(UiCallKind::Message).empty());
    EXPECT_FALSE(f.program.Frame().InfoView()->toPlainText().contains(GetLangString(34)));
    EXPECT_EQ(doc.GetPathName(), saved);
    f.program.Frame().Commands().UpdateAll();
    EXPECT_TRUE(f.Commands().IsEnabled(ID_DRAW));
    f.View().RedrawNow();
    if (f.View().Nodes().empty()) {
        ASSERT_TRUE(f.Commands().Execute(ID_DRAW));
        ASSERT_TRUE(f.WaitUntilDone());
        f.View().RedrawNow();
    }
    EXPECT_NE(FindNode(f.View().Nodes(), "Worker29"), nullptr);
}

// Whatever comes while a load goes (another open, a new project, closing the
// window) waits for it to end and drops what it would have asked; nothing
// reads the model while it is replaced.
TEST(DrawTest, OpenNewAndCloseDuringALoadAreSafe)
{
    DrawFixture f(30);
    const std::string saved = f.DrawAndSave();
    ASSERT_FALSE(saved.empty());
    std::ofstream(f.folder.File("gen3.cpp"), std::ios::app) << "\nint later;\n";
    fs::last_write_time(f.folder.File("gen3.cpp"),
        fs::last_write_time(f.folder.File("gen3.cpp")) + std::chrono::seconds(5));
    CKestrinDoc& doc = f.program.Doc();
    doc.OnCloseProject();
    f.ui.calls.clear();
    f.ui.Reply(UiReply::Answer(Answer::No));

    // Opened twice in a row: the first load's question is never asked.
    ASSERT_TRUE(doc.OpenDocumentFile(saved));
    ASSERT_TRUE(doc.OpenDocumentFile(saved));
    ASSERT_TRUE(f.WaitUntilDone());
    const std::string changed = std::string(GetLangString(16)) + "\r\n" + GetLangString(20);
    EXPECT_EQ(f.ui.Texts(UiCallKind::Message), std::vector<std::string> {changed});
    f.View().RedrawNow();
    EXPECT_NE(FindNode(f.View().Nodes(), "Worker29"), nullptr);

    // Closing the project is refused while the load goes, as during a Draw.
    f.ui.calls.clear();
    ASSERT_TRUE(doc.OpenDocumentFile(saved));
    doc.OnCloseProject();
    EXPECT_EQ(f.ui.Texts(UiCallKind::Message), std::vector<std::string> {GetLangString(18)});
    EXPECT_EQ(doc.GetPathName(), saved);

    // A new project during the load: the load ends unasked and leaves
    // nothing behind.
    f.ui.calls.clear();
    doc.OnNewDocument();
    EXPECT_FALSE(f.View().Loading());
    EXPECT_FALSE(f.Running());
    QCoreApplication::processEvents();
    f.View().RedrawNow();
    EXPECT_TRUE(f.View().Nodes().empty());
    EXPECT_TRUE(f.ui.Texts(UiCallKind::Message).empty());

    // Closing the window during a load waits for it.
    ASSERT_TRUE(doc.OpenDocumentFile(saved));
    doc.SetModifiedFlag(false);
    f.program.Frame().close();
    EXPECT_FALSE(f.Running());
    EXPECT_TRUE(f.ui.Texts(UiCallKind::Message).empty());
}
