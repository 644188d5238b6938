#include "AnalysedProject.h"
#include "MultiSeqDiagram.h"
#include "TestCanvas.h"
#include "TextMeasurer.h"

#include <gtest/gtest.h>

namespace {

// Text 6 pixels a character and 10 high; the model analysed from `source`.
class MultiSeqDiagramTest : public ::testing::Test {
protected:
    explicit MultiSeqDiagramTest(const std::string& source = kStore) : project(source) { }

    static constexpr const char* kStore = R"(
struct Store { void Put(int k); int Get(int k); };
struct Cache { Store store; int Read(int k); void Clear(); };
void Store::Put(int k) {}
int Store::Get(int k) { return k; }
int Cache::Read(int k) { Clear(); store.Put(k); return store.Get(k); }
void Cache::Clear() {}
void Declared();
int main() { Cache c; c.Read(1); c.Clear(); return 0; }
)";

    CSize Paint(bool selectionChanged = false)
    {
        return diagram.Draw(canvas.dc, selection, project.Engine(), selectionChanged);
    }
    const MultiSeqEntry& Entry(const std::string& column, const std::string& name) const
    {
        for (const MultiSeqColumn& c : diagram.Columns())
            for (const MultiSeqEntry& entry : c.entries)
                if (c.name == column && entry.name == name)
                    return entry;
        throw std::runtime_error("no entry " + column + " " + name);
    }
    std::vector<std::string> ColumnNames() const
    {
        std::vector<std::string> names;
        for (const MultiSeqColumn& column : diagram.Columns())
            names.push_back(column.name);
        return names;
    }
    // A click on an entry's fold marker, or on its name.
    bool Click(const MultiSeqEntry& entry, bool onMarker, bool doubleClick)
    {
        const int64_t x = onMarker ? entry.x + 6 : entry.x + 5 + entry.textH + 4;
        return diagram.OnClick(
            {static_cast<int>(x), static_cast<int>(entry.y + 5)}, doubleClick, selection);
    }

    ScopedTextMeasurer measurer {std::make_shared<FixedWidthTextMeasurer>(6, 10)};
    AnalysedProject project;
    CMultiSeqDiagram diagram;
    const CModelScope* selection = nullptr;
    Canvas canvas {800, 400};
};

class MultiSeqWorkerTest : public MultiSeqDiagramTest {
protected:
    MultiSeqWorkerTest()
        : MultiSeqDiagramTest(R"(
struct Worker { void A(); void B(); void C(); void D(); void E(); void F(); void G(); };
void Worker::A() {} void Worker::B() {} void Worker::C() {} void Worker::D() {}
void Worker::E() {} void Worker::F() {} void Worker::G() {}
void Run() { Worker w; w.A(); w.B(); w.C(); w.D(); w.E(); w.F(); w.G(); }
)")
    {
    }
};

} // namespace

TEST_F(MultiSeqDiagramTest, ColumnsGrowAsCallsAreExploredAndFoldWithTheMarker)
{
    selection = project.Find("main");
    const CSize start = Paint(true);
    EXPECT_EQ(ColumnNames(), (std::vector<std::string> {"Global", "Cache"}));
    EXPECT_EQ(diagram.RootName(), "Global");
    const MultiSeqEntry& main = Entry("Global", "main");
    EXPECT_TRUE(main.explored && main.unfolded);
    ASSERT_EQ(main.calls.size(), 2u);
    EXPECT_EQ(main.calls[0].arrow, MultiSeqCall::kLaterColumn);
    EXPECT_FALSE(Entry("Cache", "Read").explored);
    EXPECT_FALSE(Entry("Cache", "Read").unfolded);

    // A single click hits only the marker; a hit on an unexplored function
    // adds its calls at the next paint.
    EXPECT_FALSE(Click(Entry("Cache", "Read"), false, false));
    EXPECT_TRUE(Click(Entry("Cache", "Read"), true, false));
    EXPECT_EQ(diagram.ClickedColumnName(), "Cache");
    const CSize explored = Paint();
    EXPECT_EQ(ColumnNames(), (std::vector<std::string> {"Global", "Cache", "Store"}));
    EXPECT_EQ(diagram.RootName(), "Cache");
    const MultiSeqEntry& read = Entry("Cache", "Read");
    EXPECT_TRUE(read.explored && read.unfolded);
    std::vector<int> arrows;
    for (const MultiSeqCall& call : read.calls)
        arrows.push_back(call.arrow);
    EXPECT_EQ(arrows,
        (std::vector<int> {
            MultiSeqCall::kOwnColumn, MultiSeqCall::kLaterColumn, MultiSeqCall::kLaterColumn}));
    EXPECT_GT(explored.cx, start.cx);
    EXPECT_GT(explored.cy, start.cy);

    // The marker of an explored function folds its calls away; a double
    // click anywhere on it unfolds them again. Nothing is asked again.
    EXPECT_TRUE(Click(Entry("Cache", "Read"), true, false));
    EXPECT_LT(Paint().cy, explored.cy);
    EXPECT_TRUE(Click(Entry("Cache", "Read"), false, true));
    EXPECT_EQ(Paint(), explored);
    EXPECT_EQ(Entry("Cache", "Read").calls.size(), 3u);

    // A new selection elsewhere keeps the explored picture; a reset forgets it.
    selection = project.Find("Cache::Clear");
    EXPECT_EQ(Paint(true), explored);
    diagram.Reset();
    EXPECT_TRUE(diagram.Columns().empty());
    EXPECT_EQ(diagram.RootName(), "");
    Paint(true);
    EXPECT_EQ(ColumnNames(), (std::vector<std::string> {"Cache"}));
    EXPECT_EQ(Entry("Cache", "Clear").calls.size(), 0u);
}

TEST_F(MultiSeqDiagramTest, WithoutASelectionOrAScopeNameNothingBreaks)
{
    // Clicks and paints without a selection are ignored.
    EXPECT_EQ(Paint(true), CSize());
    selection = project.Find("main");
    Paint(true);
    const MultiSeqEntry& read = Entry("Cache", "Read");
    EXPECT_FALSE(diagram.OnClick(
        {static_cast<int>(read.x + 6), static_cast<int>(read.y + 5)}, false, nullptr));
    EXPECT_FALSE(read.unfolded);

    // A function without a body names no scope: its column is made anyway.
    diagram.Reset();
    selection = project.Find("Declared");
    ASSERT_NE(selection, nullptr);
    Paint(true);
    EXPECT_EQ(ColumnNames(), std::vector<std::string> {CMultiSeqDiagram::kNoScopeName});
    EXPECT_TRUE(Entry(CMultiSeqDiagram::kNoScopeName, "Declared").explored);
}

TEST(MultiSeqLanes, ParallelArrowsTakeLanesInTurn)
{
    std::vector<int> lanes;
    int lane = 0;
    for (int i = 0; i < 21; ++i)
        lanes.push_back(lane = NextLaneOffset(lane));
    EXPECT_EQ(lanes,
        (std::vector<int> {
            1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6, 7, -7, 8, -8, 9, -9, 0, 1, -1}));
}

TEST_F(MultiSeqWorkerTest, SevenArrowsTakeThePaletteInOrderAndALaneEach)
{
    selection = project.Find("Run");
    Paint(true);
    ASSERT_EQ(ColumnNames(), (std::vector<std::string> {"Global", "Worker"}));
    const MultiSeqColumn& worker = diagram.Columns()[1];
    const std::vector<MultiSeqCall>& calls = Entry("Global", "Run").calls;
    ASSERT_EQ(calls.size(), 7u);
    const int lanes[7] = {1, -1, 2, -2, 3, -3, 4};
    for (size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(calls[i].record.name);
        const MultiSeqCall& call = calls[i];
        EXPECT_EQ(call.routeX, worker.x - 10 + lanes[i]);
        const int startX = static_cast<int>(call.x + call.BoxWidth() + 1);
        const int startY = static_cast<int>(call.y + call.BoxHeight() / 2);
        EXPECT_EQ(canvas.dc.GetPixel(startX, startY), CMultiSeqDiagram::kArrowPalette[i % 6]);
        // The arrow ends one pixel left of its function's box.
        const MultiSeqEntry& target = Entry("Worker", call.record.name);
        EXPECT_EQ(call.targetX, target.x - 1);
        EXPECT_EQ(call.targetY, target.y + target.BoxHeight() / 2);
    }
}
