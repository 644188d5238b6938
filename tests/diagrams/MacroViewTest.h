#pragma once

#include "MacroLayout.h"
#include "MacroGroups.h"
#include "MacroLayoutTree.h"
#include "HandBuiltModel.h"
#include "TestCanvas.h"
#include "TestFiles.h"

#include "ElementStyleTable.h"
#include "MacroViewDefaults.h"
#include "TextMeasurer.h"
#include "VisualSetting.h"

#include <gtest/gtest.h>

// The macro view's default styles and fonts (function mark off) over a
// hand-built model, text 6 pixels a character and 10 high, arranged by name,
// not at fixed size, placing every node, and a white 600 by 400 canvas.
class MacroViewTest : public ::testing::Test {
protected:
    MacroViewTest()
    {
        SetMacroViewDefaults(fonts, style);
        style.ContentType = 0;
        options.sort = 1;
        options.fixedSizeArrange = false;
        options.autoSort = true;
    }

    // The model's layout tree, numbered but not measured.
    std::vector<MacroLayoutNode> Tree()
    {
        std::vector<MacroLayoutNode> nodes;
        BuildMacroLayout(&model.root, nodes, groups);
        return nodes;
    }
    void Measure(std::vector<MacroLayoutNode>& nodes)
    {
        MeasureLayout(nodes, fonts, style, &dc, 1);
    }
    std::vector<MacroLayoutNode> Build()
    {
        std::vector<MacroLayoutNode> nodes = Tree();
        Measure(nodes);
        return nodes;
    }
    CSize Arrange(
        std::vector<MacroLayoutNode>& nodes, int width = 1000, int unitSpace = 4, int grouping = 0)
    {
        return CMacroLayout(nodes, 1, unitSpace, width, grouping, options).Arrange();
    }

    ScopedTextMeasurer measurer {std::make_shared<FixedWidthTextMeasurer>(6, 10)};
    MacroArrangeOptions options;
    MacroBoxBudget boxes;
    MacroGroups groups;
    HandBuiltModel model;
    CVisualSetting fonts;
    ElementStyleTable style;
    Canvas canvas {600, 400};
    CDC& dc = canvas.dc;
};
