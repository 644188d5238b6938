#include "AnalysedProject.h"
#include "SequenceDiagram.h"
#include "SequenceSetting.h"
#include "TestCanvas.h"
#include "TextMeasurer.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

// Text 6 pixels a character and 10 high; a white canvas.
class SequenceDiagramTest : public ::testing::Test {
protected:
    // A call record: resolved ones point at a stand-in callee.
    CallRecord Call(const std::string& name, int32_t lifeline, bool resolved)
    {
        CallRecord record;
        record.name = name;
        record.lifeline = lifeline;
        record.callee = resolved ? &callee : nullptr;
        return record;
    }

    ScopedTextMeasurer measurer {std::make_shared<FixedWidthTextMeasurer>(6, 10)};
    CSequenceSetting setting;
    CModelScope callee;
    Canvas canvas {400, 300};
};

struct PlacedCall {
    int64_t boxX, boxY, textX, textY;
};

struct GeometryCase {
    const char* what;
    std::vector<std::string> names;
    std::vector<std::tuple<std::string, int32_t, bool>> calls;
    std::vector<int64_t> columnX;
    std::vector<PlacedCall> placed;
    int64_t lineEnd;
    CSize size;
};

} // namespace

// The default setting: start (20, 20), object space 10 by 3, stream boxes 15
// by 30, columns at least 100 apart, arrows of 5, spaces 5 above and 30
// below the calls, 4 between them. The caller is "run" (18 wide).
TEST_F(SequenceDiagramTest, PlacesColumnsCallsAndTextsByTheSetting)
{
    const std::vector<GeometryCase> cases = {
        {"a long call text widens the gap beyond the minimum distance", {"A", "Beta"},
            {{"go", 1, true}, {"x", 0, false}, {"longcallname_here", 1, true}}, {45, 148},
            {{163, 61, 108, 51}, {51, 105, 66, 115}, {163, 149, 63, 139}}, 213, {202, 223}},
        {"one column: a call of its own object and a text beside its box", {"Solo"},
            {{"self", 0, true}, {"far_away_text", 0, false}}, {36},
            {{51, 61, 96, 51}, {51, 105, 66, 115}}, 169, {190, 179}},
        {"no names: one column for the caller's own scope; lifelines beyond it stand on it", {},
            {{"lost", 7, true}}, {20}, {{53, 61, 98, 51}}, 125, {152, 135}},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<CallRecord> calls;
        for (const auto& [name, lifeline, resolved] : c.calls)
            calls.push_back(Call(name, lifeline, resolved));
        CSequenceDiagram diagram(setting, "run", calls, c.names, "Own::Scope");
        EXPECT_EQ(diagram.Layout(canvas.dc), c.size);
        ASSERT_EQ(diagram.Columns().size(), c.columnX.size());
        for (size_t i = 0; i < c.columnX.size(); ++i)
            EXPECT_EQ(diagram.Columns()[i].x, c.columnX[i]) << "column " << i;
        ASSERT_EQ(diagram.Calls().size(), c.placed.size());
        for (size_t i = 0; i < c.placed.size(); ++i) {
            const SequenceCall& call = diagram.Calls()[i];
            const PlacedCall& want = c.placed[i];
            EXPECT_EQ(std::tuple(call.boxX, call.boxY, call.textX, call.textY),
                std::tuple(want.boxX, want.boxY, want.textX, want.textY))
                << "call " << i;
        }
        EXPECT_EQ(diagram.LineEnd(), c.lineEnd);
        if (c.names.empty()) {
            EXPECT_EQ(diagram.Columns()[0].name, "Own::Scope");
        }
        diagram.Draw(canvas.dc);
    }
}

TEST_F(SequenceDiagramTest, DrawsArrowsLoopsAndObjectBoxesInTheSettingsColours)
{
    setting.HighColorShading = 0;
    const std::vector<CallRecord> calls = {Call("go", 1, true), Call("self", 0, true)};
    CSequenceDiagram diagram(setting, "run", calls, {"A", "Beta"});
    diagram.Layout(canvas.dc);
    diagram.Draw(canvas.dc);
    const COLORREF arrow = setting.ArrowLineColor;
    const SequenceCall& go = diagram.Calls()[0];
    const int64_t x0 = diagram.Columns()[0].Centre();
    const int ya = static_cast<int>(go.top + diagram.TextHeight());
    // The call: solid there, dotted back along the stream box's bottom.
    EXPECT_EQ(canvas.dc.GetPixel(static_cast<int>(x0 + 20), ya), arrow);
    int dots = 0;
    for (int x = static_cast<int>(x0 + 10); x < x0 + 30; ++x)
        dots += canvas.dc.GetPixel(x, ya + setting.StreamBoxSizeHeight - 1) == arrow;
    EXPECT_GT(dots, 3);
    EXPECT_LT(dots, 17);
    // The call of its own object: a loop out to the middle of the first gap.
    const SequenceCall& self = diagram.Calls()[1];
    const int loopY = static_cast<int>(self.top + diagram.TextHeight() + 10);
    EXPECT_EQ(canvas.dc.GetPixel(static_cast<int>(diagram.LoopX()), loopY), arrow);
    EXPECT_EQ(canvas.dc.GetPixel(static_cast<int>(diagram.LoopX()) + 2, loopY), kWhite);
    // Object boxes in the object colours, stream boxes in the called colours.
    const SequenceColumn& beta = diagram.Columns()[1];
    EXPECT_EQ(canvas.dc.GetPixel(static_cast<int>(beta.x + 2), setting.StartY),
        setting.ObjectColor.border);
    EXPECT_EQ(canvas.dc.GetPixel(static_cast<int>(go.boxX + 5), static_cast<int>(go.boxY + 5)),
        setting.CalledColor.background);
    // The entry arrow below the caller's name.
    const int entry = static_cast<int>(diagram.CallerLineY() + 10);
    EXPECT_EQ(canvas.dc.GetPixel(static_cast<int>(diagram.CallerX() + 2), entry), arrow);
}

TEST_F(SequenceDiagramTest, NumbersFromAColourFileCannotOverflowTheLayout)
{
    for (int32_t value : {INT_MAX, INT_MIN, 0}) {
        SCOPED_TRACE(value);
        CSequenceSetting extreme;
        for (int32_t* number : {&extreme.StartX, &extreme.StartY, &extreme.ObjectSpaceX,
                 &extreme.ObjectSpaceY, &extreme.StreamBoxSizeWidth, &extreme.StreamBoxSizeHeight,
                 &extreme.MinimumObjectDistance, &extreme.EachObjectInterval,
                 &extreme.MethodUpperSpace, &extreme.MethodLowerSpace, &extreme.ArrowSize,
                 &extreme.EachStreamSpace})
            *number = value;
        std::vector<CallRecord> calls;
        for (int i = 0; i < 40; ++i)
            calls.push_back(Call("call" + std::to_string(i), i % 3, i % 2 == 0));
        CSequenceDiagram diagram(extreme, "run", calls, {"A", "B", "C"});
        const CSize size = diagram.Layout(canvas.dc);
        EXPECT_LE(size.cx, 1 << 30);
        EXPECT_LE(size.cy, 1 << 30);
        diagram.Draw(canvas.dc);
    }
}

// A window onto a long diagram, scrolled anywhere, shows exactly the pixels
// of the whole picture there, though it paints only the rows it meets; with
// negative spaces the rows climb and every row is painted. (The dotted
// object lines are left out: their dots follow the window's edge.)
TEST_F(SequenceDiagramTest, AScrolledWindowShowsThePixelsOfTheWholePicture)
{
    setting.ObjectMiddleColor = kWhite;
    CSequenceSetting shaded = setting;
    shaded.HighColorShading = 1;
    CSequenceSetting climbing = setting;
    climbing.EachStreamSpace = -60;
    struct Case {
        const CSequenceSetting* setting;
        int above; // how far the rows reach above the picture's origin
        std::vector<int> tops;
    };
    for (const Case& c : {Case {&setting, 0, {0, 37, 1001, 2688, 5221}},
             Case {&shaded, 0, {0, 1002, 3000}}, Case {&climbing, 3000, {-2401, -1203, -37}}}) {
        std::vector<CallRecord> calls;
        for (int i = 0; i < 120; ++i)
            calls.push_back(Call("call" + std::to_string(i), i % 4, i % 3 != 0));
        CSequenceDiagram diagram(*c.setting, "run", calls, {"A", "B", "C", "D"});
        Canvas sizing(1, 1);
        const CSize size = diagram.Layout(sizing.dc);
        const int width = size.cx;
        const int height = std::max(size.cy, 0) + c.above + 150;
        Canvas whole(width, height);
        whole.dc.SetWindowOrg(0, -c.above);
        diagram.Draw(whole.dc);
        for (int top : c.tops) {
            SCOPED_TRACE(top);
            Canvas window(width, 150);
            window.dc.SetWindowOrg(0, top);
            diagram.Draw(window.dc);
            int differing = 0;
            for (int y = top; y < top + 150; ++y)
                for (int x = 0; x < width; ++x)
                    differing += window.dc.GetPixel(x, y) != whole.dc.GetPixel(x, y);
            EXPECT_EQ(differing, 0);
        }
    }
}

// The whole paint on an analysed model: the query's name list gives the
// columns (the caller's own scope first), and every paint starts afresh.
TEST(SequenceDiagramPaint, ColumnsComeFromTheCallQueryAtEveryPaint)
{
    ScopedTextMeasurer measurer(std::make_shared<FixedWidthTextMeasurer>(6, 10));
    AnalysedProject project(R"(
struct Pump { void Go(int speed); };
void Pump::Go(int speed) {}
int Helper() { return 1; }
struct Tank {
    Pump pump;
    void Fill();
    void Drain();
};
void Tank::Drain() {}
void Tank::Fill() { pump.Go(3); Helper(); Drain(); Unknown(); }
)");
    const CModelScope* fill = project.Find("Tank::Fill");
    ASSERT_NE(fill, nullptr);
    CSequenceSetting setting;
    Canvas canvas(400, 300);
    const CSize first = DrawSequenceDiagram(canvas.dc, fill, project.Engine(), setting);
    const std::vector<std::string> names = {"Tank", "Pump", "Global"};
    EXPECT_EQ(project.Engine().LifelineNames(), names);
    EXPECT_EQ(DrawSequenceDiagram(canvas.dc, fill, project.Engine(), setting), first);
    EXPECT_EQ(project.Engine().LifelineNames(), names);
    EXPECT_EQ(MakeSequenceDiagram(fill, project.Engine(), setting)->Layout(canvas.dc), first);
    EXPECT_EQ(DrawSequenceDiagram(canvas.dc, nullptr, project.Engine(), setting), CSize());
}
