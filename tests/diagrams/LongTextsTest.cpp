#include "AnalysedSource.h"
#include "TestCanvas.h"

#include "DetailBoxDiagram.h"
#include "ElementStyleTable.h"
#include "FlowBuilder.h"
#include "FlowChartPainter.h"
#include "FlowSetting.h"
#include "MacroArrangeOptions.h"
#include "MacroGroups.h"
#include "MacroLayoutTree.h"
#include "MacroMap.h"
#include "MacroViewDefaults.h"
#include "MultiSeqDiagram.h"
#include "NSDDiagram.h"
#include "NSDSetting.h"
#include "SequenceDiagram.h"
#include "SequenceSetting.h"
#include "ShownText.h"
#include "TextMeasurer.h"
#include "UnitKind.h"
#include "VisualSetting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace {

// Measures 6 pixels a character, 10 high, and remembers the longest text it
// was asked for.
class RecordingMeasurer : public TextMeasurer {
public:
    CSize Measure(const CFont& font, std::string_view text) const override
    {
        size_t longest = longest_.load();
        while (text.size() > longest && !longest_.compare_exchange_weak(longest, text.size())) { }
        return fixed_.Measure(font, text);
    }
    size_t Longest() const { return longest_.load(); }

private:
    FixedWidthTextMeasurer fixed_ {6, 10};
    mutable std::atomic<size_t> longest_ {0};
};

// A function whose every kind of statement text holds a string of a million
// characters.
std::string HugeTextsBody()
{
    const std::string huge(1 << 20, 'w');
    const std::string literal = "\"" + huge + "\"";
    return "if (g(" + literal + ")) a = 1; else if (a == g(" + literal + ")) a = 2;\n" +
        "while (g(" + literal + ")) a--;\n" + "for (a = g(" + literal + "); a < g(" + literal +
        "); a += g(" + literal + ")) b++;\n" + "do { b--; } while (b < g(" + literal + "));\n" +
        "switch (g(" + literal + ")) { case sizeof(" + literal + "): a = 3; break; }\n" + "g(" +
        literal + ");\n";
}

} // namespace

// The boxes of a statement with a text of megabytes show its first part: no
// text longer than a line a box can show is built to be measured, at any
// zoom level of the flow chart, in its explanation box or in the
// Nassi-Shneiderman diagram.
TEST(LongTexts, HugeStatementTextsAreMeasuredOnlyAsFarAsTheyShow)
{
    auto measurer = std::make_shared<RecordingMeasurer>();
    ScopedTextMeasurer scoped(measurer);
    AnalysedSource source(FunctionF(HugeTextsBody()));
    const size_t longestLine = kLongestShownLine + 2;

    FunctionBody flowItems;
    CFlowBuilder::BuildFunctionItems(flowItems, source.Find("f"), 1);
    CFlowSetting flowSetting;
    CFlowChartPainter painter(&flowItems.root, flowSetting);
    painter.Layout();
    Canvas canvas(1200, 2400);
    for (const int zoom : {4, 16}) {
        painter.SetZoom(zoom);
        painter.SetDC(&canvas.dc);
        painter.Draw();
        EXPECT_LE(measurer->Longest(), longestLine) << "zoom " << zoom;
    }
    const CFlowItem& first = flowItems.root.children.front();
    EXPECT_NE(painter.ShowExplanation(CPoint(first.col, first.row), false), nullptr);
    EXPECT_LE(measurer->Longest(), longestLine) << "explanation";

    FunctionBody nsdItems;
    CFlowBuilder::BuildFunctionItems(nsdItems, source.Find("f"), 0);
    CNSDSetting nsdSetting;
    CNSDDiagram nsd(nsdItems.root, nsdSetting, "f");
    nsd.SetDC(&canvas.dc);
    nsd.Measure();
    nsd.DrawTitle();
    nsd.DrawTree(nsd.RootBlock());
    EXPECT_LE(measurer->Longest(), longestLine) << "NSD";
    // The last statement's line shows its first part and "..".
    const std::string& line = nsd.RootBlock().children.back().lines.at(0);
    EXPECT_TRUE(line == "g ( \"" + std::string(kLongestShownLine - 5, 'w') + "..")
        << line.size() << " bytes";
}

// A flow chart box shows of a long text what it showed when the whole text
// was measured and drawn: the pictures of a text of a few hundred characters
// and of one of some hundred thousand that begins the same are the same, at
// both zoom levels that show texts, in the fonts themselves.
TEST(LongTexts, AFlowChartBoxShowsALongTextAsItShowedTheWholeText)
{
    const auto picture = [](size_t characters, int zoom) {
        const std::string literal = "\"" + std::string(characters, 'w') + "\"";
        AnalysedSource source(FunctionF("if (a == g(" + literal + ")) a = 1;\nwhile (g(" + literal +
            ")) a--;\nswitch (a) { case sizeof(" + literal + "): break; }\ng(" + literal + ");\n"));
        FunctionBody items;
        CFlowBuilder::BuildFunctionItems(items, source.Find("f"), 1);
        CFlowSetting setting;
        CFlowChartPainter painter(&items.root, setting);
        painter.Layout();
        painter.SetZoom(zoom);
        const CSize size = painter.DiagramSize();
        auto canvas = std::make_unique<Canvas>(size.cx, size.cy);
        painter.SetDC(&canvas->dc);
        painter.Draw();
        return canvas;
    };
    for (const int zoom : {4, 16}) {
        const auto shortText = picture(600, zoom);
        const auto longText = picture(300000, zoom);
        EXPECT_TRUE(shortText->bitmap.Image() == longText->bitmap.Image()) << "zoom " << zoom;
    }
}

// Names of a megabyte (a variable, a struct member, a function and its call)
// are measured only as far as a box shows them: in the macro view, the
// sequence and multi-sequence diagrams and the detail box. The macro view's
// box is as wide as its name's shown line.
TEST(LongTexts, HugeNamesAreMeasuredOnlyAsFarAsTheyShow)
{
    auto measurer = std::make_shared<RecordingMeasurer>();
    ScopedTextMeasurer scoped(measurer);
    const auto huge = [](char first) { return first + std::string((1 << 20) - 1, 'q'); };
    const std::string function = huge('f');
    AnalysedSource source("int " + huge('v') + ";\nstruct s { int " + huge('m') + "; };\nint " +
        function + "(int a) { return a; }\nint caller(int b) { return " + function + "(b); }\n");
    const size_t longestLine = kLongestShownLine + 2;
    Canvas canvas(800, 600);

    MacroGroups groups;
    std::vector<MacroLayoutNode> nodes;
    BuildMacroLayout(source.Root(), nodes, groups);
    CVisualSetting fonts;
    ElementStyleTable style;
    SetMacroViewDefaults(fonts, style);
    style.ContentType = 0;
    ASSERT_TRUE(MeasureLayout(nodes, fonts, style, &canvas.dc, 1));
    EXPECT_LE(measurer->Longest(), longestLine) << "macro view";
    const MacroLayoutNode* variables = nullptr;
    for (const MacroLayoutNode& node : nodes)
        if (node.scope->kind == UNIT_GLOBAL_VARIABLES)
            variables = &node;
    ASSERT_NE(variables, nullptr);
    ASSERT_EQ(variables->children.size(), 1u);
    // 6 pixels a character, 2 more and a border of 1 on either side.
    EXPECT_EQ(variables->children.front().boxW, 6 * static_cast<int>(longestLine) + 4);
    MacroBoxBudget boxes;
    CMacroMap(&canvas.dc, nodes, fonts, style, 1, boxes).Draw();

    CSequenceSetting sequence;
    DrawSequenceDiagram(canvas.dc, source.Find("caller"), source.Engine(), sequence);
    EXPECT_LE(measurer->Longest(), longestLine) << "sequence";
    CMultiSeqDiagram multiSequence;
    multiSequence.Draw(canvas.dc, source.Find("caller"), source.Engine(), true);
    EXPECT_LE(measurer->Longest(), longestLine) << "multi-sequence";
    CMacroDetail detail;
    detail.Draw(canvas.dc, source.Find("s"), source.Root(), fonts, style, false);
    EXPECT_LE(measurer->Longest(), longestLine) << "detail box";
}
