#include "ViewsFixture.h"

#include "ElementStyleTable.h"
#include "KestrinDoc.h"
#include "VisualSetting.h"

namespace {

constexpr COLORREF kPink = RGB(250, 200, 210);

// The colour of the detail view's top-left window pixel.
COLORREF CornerColour(CDetailView& detail)
{
    return FromQRgb(detail.viewport()->grab().toImage().pixel(0, 0));
}

} // namespace

// A changed flow, NSD or sequence setting is kept by the detail view, which
// marks the diagram for a rebuild; the next paint draws it in the new setting.
TEST(ApplySetting, DetailViewKeepsTheRecordAndRebuildsAtTheNextPaint)
{
    ViewsFixture f;
    CDetailView& detail = f.Detail();
    CKestrinDoc& doc = f.program.Doc();
    f.Choose(kFlow4);
    f.Select("Plan");
    const CSize flowSize = detail.Diagram().DiagramSize();
    ASSERT_FALSE(doc.dirty);

    CFlowSetting flow = detail.FlowSetting();
    flow.Ratio4x.YSpace += 20;
    detail.ApplyFlowSetting(flow);
    EXPECT_EQ(detail.FlowSetting().Ratio4x.YSpace, flow.Ratio4x.YSpace);
    EXPECT_TRUE(doc.dirty);
    EXPECT_EQ(detail.Diagram().DiagramSize(), flowSize) << "nothing is laid out before the paint";
    detail.RedrawNow();
    EXPECT_FALSE(doc.dirty);
    EXPECT_EQ(detail.Diagram().DiagramSize().cx, flowSize.cx);
    EXPECT_GT(detail.Diagram().DiagramSize().cy,
        flowSize.cy + 20 * detail.Diagram().FlowPainter()->Rows())
        << "every row further apart";

    f.Choose(kNSD);
    const CSize nsdSize = detail.Diagram().DiagramSize();
    CNSDSetting nsd = detail.NSDSetting();
    nsd.ShowTitle = nsd.ShowTitle == 1 ? 0 : 1;
    detail.ApplyNSDSetting(nsd);
    EXPECT_EQ(detail.NSDSetting().ShowTitle, nsd.ShowTitle);
    EXPECT_TRUE(doc.dirty);
    detail.RedrawNow();
    EXPECT_NE(detail.Diagram().DiagramSize().cy, nsdSize.cy) << "the title's band";

    f.Choose(kSequence);
    ASSERT_NE(CornerColour(detail), kPink);
    CSequenceSetting sequence = detail.SequenceSetting();
    sequence.BackGroundColor = kPink;
    detail.ApplySequenceSetting(sequence);
    EXPECT_EQ(detail.SequenceSetting().BackGroundColor, kPink);
    EXPECT_TRUE(doc.dirty);
    detail.RedrawNow();
    EXPECT_EQ(CornerColour(detail), kPink);
}

// Changed macro fonts and colours are kept; the next paint measures every box
// again, and the detail box is rebuilt in them.
TEST(ApplySetting, MacroViewKeepsFontsAndColoursAndMeasuresAgain)
{
    ViewsFixture f;
    CTotalView& macro = f.Macro();
    const MacroLayoutNode* plan = FindNode(macro.Nodes(), "Plan");
    ASSERT_NE(plan, nullptr);
    const int width = plan->textW;
    f.program.Doc().dirty = false;

    CVisualSetting fonts = macro.Fonts();
    ElementStyleTable style = macro.Style();
    ASSERT_NE(style.ContentType, 4);
    style.ContentType = 4; // room for the function mark
    style.BackGroundColor = kPink;
    macro.ApplyMacroSetting(fonts, style);
    EXPECT_EQ(macro.Style().ContentType, 4);
    EXPECT_TRUE(f.program.Doc().dirty);
    EXPECT_EQ(FindNode(macro.Nodes(), "Plan")->textW, width) << "measured at the paint";

    macro.RedrawNow();
    plan = FindNode(macro.Nodes(), "Plan");
    ASSERT_NE(plan, nullptr);
    EXPECT_GT(plan->textW, width);
    EXPECT_EQ(FromQRgb(macro.viewport()->grab().toImage().pixel(0, 0)), kPink);
}
