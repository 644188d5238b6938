#include "DetailKinds.h"

#include "AnalysedProject.h"
#include "DetailDiagram.h"
#include "ElementStyleTable.h"
#include "FlowSetting.h"
#include "MacroViewDefaults.h"
#include "NSDSetting.h"
#include "SequenceSetting.h"
#include "TestCanvas.h"
#include "VisualSetting.h"

#include <gtest/gtest.h>

// The detail diagram's entry draws the sequence, multi-sequence and type box
// kinds through the engines registered with it, each setting the diagram
// and scroll size, and switches between them with the view selector.
TEST(DetailKinds, EveryKindDrawsThroughTheEntry)
{
    AnalysedProject project(AnalysedProject::DataFiles("fleet"));
    CFlowSetting flow;
    CNSDSetting nsd;
    CSequenceSetting sequenceSetting;
    CVisualSetting fonts;
    ElementStyleTable style;
    SetMacroViewDefaults(fonts, style);
    CMultiSeqDiagram multi;
    CMacroDetail box;
    auto engine = [&project] { return &project.Engine(); };
    SequenceKind sequence(engine, sequenceSetting);
    MultiSequenceKind multiKind(multi, engine);
    DetailBoxKind boxKind(
        box, [&project]() -> const CModelScope* { return project.Root(); }, fonts, style);
    CDetailDiagram diagram(flow, nsd);
    diagram.SetKind(CDetailDiagram::kSequence, &sequence);
    diagram.SetKind(CDetailDiagram::kMultiSequence, &multiKind);
    diagram.SetTypeDiagram(&boxKind);

    const CModelScope* function = project.Find("fleet::Garage::ServiceAll");
    const CModelScope* type = project.Find("fleet::Car");
    ASSERT_NE(function, nullptr);
    ASSERT_NE(type, nullptr);
    struct Case {
        const CModelScope* selection;
        int mode;
        int viewKind;
    };
    for (const Case& c : {Case {function, CDetailDiagram::kFunctionMode, CDetailDiagram::kSequence},
             Case {function, CDetailDiagram::kFunctionMode, CDetailDiagram::kMultiSequence},
             Case {type, CDetailDiagram::kTypeMode, CDetailDiagram::kFlowChart}}) {
        Canvas canvas(900, 700);
        ScrollRecord scroll(CSize(900, 700));
        diagram.Select(c.selection, c.mode);
        diagram.ChooseView(c.viewKind, 4);
        diagram.DrawContents(&canvas.dc, scroll);
        const CSize size = diagram.DiagramSize();
        EXPECT_GT(size.cx, 100) << c.viewKind << " " << c.mode;
        EXPECT_GT(size.cy, 50) << c.viewKind << " " << c.mode;
        EXPECT_EQ(scroll.total, size);
        EXPECT_GT(canvas.CountNot(RGB(255, 255, 255)), 500) << c.viewKind << " " << c.mode;
    }
    // The multi-sequence engine kept its first column; forgetting the model
    // empties it.
    EXPECT_FALSE(multi.Columns().empty());
    multi.Reset();
    box.Reset();
    EXPECT_TRUE(multi.Columns().empty());
    EXPECT_EQ(box.Tree(), nullptr);
}

// The sequence diagram is kept between paints; a changed setting takes
// effect once the view marks the diagram dirty, as it does for every change.
TEST(DetailKinds, TheSequenceDiagramFollowsAChangedSettingOnceMarkedDirty)
{
    AnalysedProject project(AnalysedProject::DataFiles("fleet"));
    CFlowSetting flow;
    CNSDSetting nsd;
    CSequenceSetting setting;
    SequenceKind sequence([&project] { return &project.Engine(); }, setting);
    CDetailDiagram diagram(flow, nsd);
    diagram.SetKind(CDetailDiagram::kSequence, &sequence);
    diagram.Select(project.Find("fleet::Garage::ServiceAll"), CDetailDiagram::kFunctionMode);
    diagram.ChooseView(CDetailDiagram::kSequence, 4);
    Canvas canvas(900, 700);
    ScrollRecord scroll(CSize(900, 700));
    diagram.DrawContents(&canvas.dc, scroll);
    const CSize before = diagram.DiagramSize();

    setting.StartY += 100;
    diagram.MarkDirty();
    Canvas moved(900, 700);
    diagram.DrawContents(&moved.dc, scroll);
    EXPECT_EQ(diagram.DiagramSize(), CSize(before.cx, before.cy + 100));
    EXPECT_EQ(scroll.total, diagram.DiagramSize());
}
