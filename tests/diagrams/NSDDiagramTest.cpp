#include "AnalysedSource.h"
#include "TestCanvas.h"

#include "FlowBuilder.h"
#include "NSDDiagram.h"
#include "NSDSetting.h"
#include "TextMeasurer.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace {

// The Nassi-Shneiderman diagram of f's body with the default setting
// (margins 2, loop width 30, try/catch 20 by 10, start at 20, 20); texts are
// 6 pixels a character and 10 high.
struct Diagram {
    explicit Diagram(const std::string& body, std::function<void(CNSDSetting&)> change = nullptr)
        : source(FunctionF(body))
    {
        setting.ShowTitle = 0;
        setting.HighColorShading = 0;
        if (change)
            change(setting);
        CFlowBuilder::BuildFunctionItems(items, source.Find("f"), 0);
        diagram = std::make_unique<CNSDDiagram>(items.root, setting, "f");
        diagram->SetDC(&canvas.dc);
        diagram->Measure();
    }
    void Draw()
    {
        diagram->SetDC(&canvas.dc);
        diagram->DrawTitle();
        diagram->DrawTree(diagram->RootBlock());
    }
    const NSDBlock& Block(std::initializer_list<size_t> path) const
    {
        const NSDBlock* block = &diagram->RootBlock();
        for (size_t i : path)
            block = &block->children.at(i);
        return *block;
    }

    ScopedTextMeasurer measurer {std::make_shared<FixedWidthTextMeasurer>(6, 10)};
    Canvas canvas {400, 300};
    AnalysedSource source;
    FunctionBody items;
    CNSDSetting setting;
    std::unique_ptr<CNSDDiagram> diagram;
};

std::string Rect(const NSDBlock& b)
{
    return std::to_string(b.kind) + ":" + std::to_string(b.x) + "," + std::to_string(b.y) + " " +
        std::to_string(b.width) + "x" + std::to_string(b.height);
}

// Every block as kind:x,y wxh, depth first.
std::string Describe(const NSDBlock& block)
{
    std::string text;
    for (const NSDBlock& child : block.children) {
        text += (text.empty() ? "" : " ") + Rect(child);
        if (!child.children.empty())
            text += "[" + Describe(child) + "]";
    }
    return text;
}

} // namespace

// Places and sizes: source body -> blocks, whole size.
TEST(NSDDiagram, LayoutOfBlocks)
{
    struct Case {
        const char* body;
        const char* blocks;
        CSize size;
    };
    const Case cases[] = {
        {"", "", {40, 40}},
        // "a = 1 ;": 7 characters, 42 + 2 x 2 + 2 wide, 10 + 2 x 2 + 2 high.
        {"a = 1;", "49:20,20 48x16", {88, 56}},
        // A short condition keeps its text; the header is as wide as its
        // text, the "Yes" and "No" columns ask for: the yes column gets its
        // share, the no column the rest.
        {"if (x) a = 1;", "33:20,20 87x42[49:20,46 58x16]", {127, 82}},
        // An empty loop body keeps a loop-width square.
        {"while (x) { }", "37:20,20 60x32", {100, 72}},
        // A switch header wider than its cases: the cases share its width in
        // proportion, the last taking the rest.
        {"switch (first_value + second_value * third) { case 1: a = 1; break; default: b = 2; }",
            "43:20,20 210x73[45:20,36 70x57[49:20,66 70x27] 46:90,36 140x57[49:90,66 140x27]]",
            {250, 113}},
        // Try and catch indent their body by half the try/catch width.
        {"try { a = 1; } catch (...) { b = 2; }",
            "47:20,20 68x42[49:30,36 48x16] 48:20,62 68x42[49:30,78 48x16]", {108, 124}},
    };
    for (const Case& c : cases) {
        Diagram d(c.body);
        EXPECT_EQ(Describe(d.diagram->RootBlock()), c.blocks) << c.body;
        EXPECT_EQ(d.diagram->Size(), c.size) << c.body;
    }
}

TEST(NSDDiagram, HeaderTexts)
{
    Diagram d("if (x) a = 1; else if (ab == cd + 12) return 2; "
              "for (a = 0; a < 3; a++) b = 1; do { c = 1; } while (c < 9); "
              "switch (c) { case ONE: break; default: ; }");
    EXPECT_EQ(d.Block({0}).lines, std::vector<std::string> {"x"});
    EXPECT_EQ(d.Block({1}).lines, (std::vector<std::string> {"ab == cd +", " 12"}));
    EXPECT_EQ(d.Block({1, 0}).lines, std::vector<std::string> {"return 2 ;"});
    EXPECT_EQ(d.Block({2}).lines, std::vector<std::string> {"For: a = 0 ; a < 3 ; a ++"});
    EXPECT_EQ(d.Block({3}).lines, std::vector<std::string> {"Do-While: c < 9"});
    EXPECT_EQ(d.Block({4}).lines, std::vector<std::string> {"c"});
    EXPECT_EQ(d.Block({4, 0}).lines, std::vector<std::string> {"ONE"});
    EXPECT_EQ(d.Block({4, 0, 0}).kind, UNIT_EXPRESSION_STATEMENT);

    // A head without parts shows none of its separators.
    Diagram heads("for (;;) b = 1; for (; b;) b--;");
    EXPECT_EQ(heads.Block({0}).lines, std::vector<std::string> {"For: "});
    EXPECT_EQ(heads.Block({1}).lines, std::vector<std::string> {"For: ; b ;"});
}

// Statements before a switch's first case (windowsx.h's HANDLE_MSG, which
// stands for a case, or a declaration) form a column of their own with an
// empty label, beside the cases and inside the switch: stacked above the
// cases, they pushed the cases below the statement after the switch and out
// of the picture.
TEST(NSDDiagram, StatementsBeforeTheFirstCaseStandInAColumn)
{
    Diagram d("switch (m) { HANDLE_MSG(h, WM_PAINT, OnPaint); case 1: a = 1; break; "
              "default: b = 2; } return 0;");
    const NSDBlock& sw = d.Block({0});
    ASSERT_EQ(sw.kind, UNIT_SWITCH);
    ASSERT_EQ(sw.children.size(), 3u);
    const NSDBlock& column = d.Block({0, 0});
    EXPECT_EQ(column.kind, UNIT_CASE);
    EXPECT_EQ(column.lines, std::vector<std::string> {""});
    ASSERT_EQ(column.children.size(), 1u);
    EXPECT_EQ(d.Block({0, 0, 0}).lines,
        std::vector<std::string> {"HANDLE_MSG ( h , WM_PAINT , OnPaint ) ;"});
    int x = sw.x;
    for (const NSDBlock& c : sw.children) {
        EXPECT_EQ(c.x, x);
        EXPECT_EQ(c.y + c.height, sw.y + sw.height);
        x += c.width;
    }
    EXPECT_EQ(x, sw.x + sw.width);
    EXPECT_EQ(d.Block({1}).y, sw.y + sw.height);
    EXPECT_GE(d.diagram->Size().cy, d.Block({1}).y + d.Block({1}).height);
}

// A case label inside a loop or an if's block, as Duff's device puts them,
// is a statement there; as a case it took a column the loop had no room for
// and pushed the cases after it below the picture.
TEST(NSDDiagram, CasesInsideAnotherStatementAreStatements)
{
    Diagram d("switch (c) { case 0: do { a = 1; case 7: b = 2; } while (n); }");
    const NSDBlock& loop = d.Block({0, 0, 0});
    ASSERT_EQ(loop.kind, UNIT_DO);
    ASSERT_EQ(loop.children.size(), 3u);
    EXPECT_EQ(d.Block({0, 0, 0, 1}).kind, UNIT_EXPRESSION_STATEMENT);
    EXPECT_EQ(d.Block({0, 0, 0, 1}).lines, std::vector<std::string> {"case 7 :"});
    EXPECT_EQ(d.Block({0, 0, 0, 2}).lines, std::vector<std::string> {"b = 2 ;"});
    for (const NSDBlock& b : loop.children)
        EXPECT_LE(b.y + b.height, d.diagram->Size().cy);
}

// With a title the blocks move down by its height and the diagram is at
// least as wide as the title.
TEST(NSDDiagram, TitleMovesTheBlocksDown)
{
    Diagram d("a = 1;", [](CNSDSetting& s) { s.ShowTitle = 1; });
    // "Nassi-Shneiderman Diagrams - f": 30 characters; 10 + 2 x 1 + 4 high.
    EXPECT_EQ(d.diagram->RootNode().titleWidth, 188);
    EXPECT_EQ(d.diagram->RootNode().titleHeight, 16);
    EXPECT_EQ(Rect(d.Block({0})), "49:20,36 48x16");
    EXPECT_EQ(d.diagram->Size(), CSize(228, 72));
}

// Pixels of drawn blocks (flat colours): a block ending in a jump is an
// exception block; an if without else shows an empty no column.
TEST(NSDDiagram, DrawsBlocksInTheirColours)
{
    Diagram d("if (x) a = 1; b = 2; return 3;");
    d.Draw();
    const CNSDSetting& s = d.setting;
    const NSDBlock& branch = d.Block({0, 0});
    const NSDBlock& tail = d.Block({1});
    const NSDBlock& ifBlock = d.Block({0});
    EXPECT_EQ(d.canvas.dc.GetPixel(branch.x + branch.width - 3, branch.y + branch.height - 3),
        s.ProcessColor.background);
    EXPECT_EQ(
        d.canvas.dc.GetPixel(tail.x + tail.width - 3, tail.y + tail.height - 3), s.ExceptionColor);
    EXPECT_EQ(d.canvas.dc.GetPixel(ifBlock.x + ifBlock.width - 3, ifBlock.y + ifBlock.height - 3),
        s.ProcessColor.background);
    EXPECT_EQ(d.canvas.dc.GetPixel(ifBlock.x + ifBlock.yesWidth, ifBlock.y + ifBlock.headerHeight),
        s.ProcessColor.border);
    EXPECT_EQ(d.canvas.dc.GetPixel(5, 5), 0xFFFFFFu); // nothing left of the start
}

// Heights share out in 64 bits: blocks whose heights multiply beyond 32 bits
// still fill their parent exactly.
TEST(NSDDiagram, LargeSizesShareWithoutOverflow)
{
    Diagram d("a = 1; while (b) { c = 1; d = 2; } if (e) f = 3; g = 4;",
        [](CNSDSetting& s) { s.TextMarginHeight = 30000; });
    int64_t sum = 0;
    for (const NSDBlock& block : d.diagram->RootBlock().children) {
        EXPECT_GT(block.height, 60000) << Rect(block);
        sum += block.height;
    }
    EXPECT_EQ(sum + 40, d.diagram->Size().cy);
}

// Sizes a colour file set to 0 or below lay out and draw without failing.
TEST(NSDDiagram, DegenerateSizesDrawWithoutFailing)
{
    Diagram d(
        "if (a) b = 1; else c = 2; while (d) { } switch (a) { case 1: ; } try { } catch (...) { }",
        [](CNSDSetting& s) {
            s.LoopWidth = -50;
            s.TryCatchWidth = 0;
            s.TryCatchHeight = -7;
            s.TextMarginWidth = -100;
            s.TextMarginHeight = -100;
            s.StatementDistance = -3;
            s.StartX = -10;
            s.StartY = INT32_MAX;
            s.TitleMarginWidth = INT32_MIN;
            s.ShowTitle = 1;
        });
    d.Draw();
    // The huge start is cut to the largest setting number, and the diagram
    // still has a size to scroll over.
    const CSize size = d.diagram->Size();
    EXPECT_GT(size.cx, 0);
    EXPECT_GT(size.cy, 1 << 16);
    EXPECT_LT(size.cy, 1 << 18);
    EXPECT_EQ(d.canvas.CountNot(RGB(255, 255, 255)), 0) << "all of it below the canvas";
}

// A switch that its list stretches keeps no gap under its cases: every case
// reaches the switch's bottom, its last block taking the extra height.
TEST(NSDDiagram, CasesReachTheBottomOfAStretchedSwitch)
{
    Diagram d("if (a) { switch (b) { case 1: c = 1; break; default: c = 2; } } "
              "else { c = 1; c = 2; c = 3; c = 4; c = 5; c = 6; c = 7; c = 8; }");
    const NSDBlock& sw = d.Block({0, 0});
    ASSERT_EQ(sw.kind, UNIT_SWITCH);
    ASSERT_EQ(sw.children.size(), 2u);
    // A case body of two lines needs 27 pixels; the else's eight lines make
    // the switch taller than that.
    EXPECT_GT(sw.height - sw.headerHeight - sw.children[0].headerHeight, 27);
    for (const NSDBlock& c : sw.children) {
        EXPECT_EQ(c.y + c.height, sw.y + sw.height) << Rect(c);
        EXPECT_EQ(c.children.back().y + c.children.back().height, sw.y + sw.height) << Rect(c);
    }
}

// Text exactly as tall as the negative margins take away gives blocks of no
// height: they share a height of nothing evenly instead of dividing by it.
TEST(NSDDiagram, BlocksOfNoHeightShareEvenly)
{
    Diagram d("a = 1; while (c) { d = 3; }", [](CNSDSetting& s) { s.TextMarginHeight = -6; });
    for (const NSDBlock& block : d.diagram->RootBlock().children)
        EXPECT_EQ(block.height, 0) << Rect(block);
    EXPECT_EQ(d.diagram->Size().cy, 40);
    d.Draw();
}

namespace {

// Widths that depend on every character and on the font; each font object
// is noted with the threads that measured in it.
class ContentMeasurer : public TextMeasurer {
public:
    CSize Measure(const CFont& font, std::string_view text) const override
    {
        {
            std::lock_guard lock(mutex);
            users[&font].insert(std::this_thread::get_id());
        }
        const int height = std::abs(font.Description().height) + 3;
        int width = 0;
        for (const char c : text)
            width += 3 + static_cast<unsigned char>(c) % 5;
        return {width + height % 4, height};
    }
    mutable std::mutex mutex;
    mutable std::map<const CFont*, std::set<std::thread::id>> users;
};

} // namespace

// A function with thousands of blocks has its headers measured on several
// threads: every case and plain header is sized as its own lines measured
// one by one would size it, and the setting's fonts stay on this thread.
TEST(NSDDiagram, HugeFunctionHeadersAreSizedAsEachAlone)
{
    std::string body = "switch (a) {";
    for (int k = 0; k < 3000; ++k) {
        body += " case " + std::to_string(k * 37 % 10007) + ":";
        if (k % 3 != 1)
            body += " b = " + std::to_string(k) + " * c; c += b;";
        if (k % 4 == 0)
            body += " break;";
    }
    body += " }";
    auto measurer = std::make_shared<ContentMeasurer>();
    ScopedTextMeasurer scoped(measurer);
    Canvas canvas {200, 100};
    AnalysedSource source(FunctionF(body));
    FunctionBody items;
    CFlowBuilder::BuildFunctionItems(items, source.Find("f"), 0);
    CNSDSetting setting;
    CNSDDiagram diagram(items.root, setting, "f");
    diagram.SetDC(&canvas.dc);
    diagram.Measure();

    const int mw = setting.TextMarginWidth;
    const int mh = setting.TextMarginHeight;
    const NSDBlock& block = diagram.RootBlock().children.at(0);
    ASSERT_EQ(block.kind, UNIT_SWITCH);
    ASSERT_EQ(block.children.size(), 3000u);
    size_t plain = 0;
    for (const NSDBlock& item : block.children) {
        ASSERT_EQ(item.kind, UNIT_CASE);
        ASSERT_EQ(item.lines.size(), 1u);
        const CSize label = measurer->Measure(*setting.CaseFont.font, item.lines[0]);
        EXPECT_EQ(item.textWidth, 2 * (label.cx + 2 * mw + 2) - 2) << item.lines[0];
        EXPECT_EQ(item.headerHeight, 2 * (label.cy + 2 * mh + 2) - 2) << item.lines[0];
        for (const NSDBlock& child : item.children) {
            if (child.kind != UNIT_EXPRESSION_STATEMENT)
                continue;
            ++plain;
            int widest = 0;
            int lines = 0;
            for (const std::string& line : child.lines) {
                const CSize extent = measurer->Measure(*setting.ProcessFont.font, line);
                widest = std::max(widest, extent.cx);
                lines += extent.cy;
            }
            const int gaps = static_cast<int>(child.lines.size()) - 1;
            EXPECT_EQ(child.textWidth, widest + 2 * mw + 2) << child.lines[0];
            EXPECT_EQ(child.headerHeight, lines + gaps * setting.StatementDistance + 2 * mh + 2);
        }
    }
    EXPECT_GT(plain, 2000u);
    // Other threads measure with fonts of their own.
    std::set<std::thread::id> threads;
    for (const auto& [font, users] : measurer->users)
        threads.insert(users.begin(), users.end());
    EXPECT_LE(threads.size(), 4u);
    for (const CFontHolder* font : {&setting.CaseFont, &setting.ProcessFont}) {
        const std::set<std::thread::id> users = measurer->users[font->font.get()];
        EXPECT_LE(users.size(), 1u) << "a font of the setting used by another thread";
        EXPECT_TRUE(users.empty() || *users.begin() == std::this_thread::get_id());
    }
}
