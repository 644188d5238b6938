#include "MacroViewPicture.h"

#include "ElementStyleTable.h"
#include "MacroLayout.h"
#include "MacroLayoutTree.h"
#include "MacroMap.h"
#include "VisualSetting.h"

#include <algorithm>

MacroViewPicture::MacroViewPicture(std::vector<MacroLayoutNode>& nodes, MacroGroups& groups,
    MacroBoxBudget& boxes, CVisualSetting& fonts, const ElementStyleTable& style)
    : nodes_(nodes), groups_(groups), boxes_(boxes), fonts_(fonts), style_(style)
{
}

std::optional<CSize> MacroViewPicture::Update(const MacroViewSteps& steps, CModelScope* root,
    const MacroArrangeOptions& options, int width, CDC* dc)
{
    if (steps.build) {
        nodes_.clear();
        nodeCount_ = root != nullptr ? BuildMacroLayout(root, nodes_, groups_) : 0;
    }
    if (steps.build || steps.measure)
        MeasureLayout(nodes_, fonts_, style_, dc, kBorder);
    if (!steps.build && !steps.measure && !steps.arrange)
        return std::nullopt;
    CMacroLayout layout(
        nodes_, kBorder, style_.UnitSpace, std::max(0, width), style_.Grouping, options);
    return layout.Arrange();
}

void MacroViewPicture::Draw(CDC* dc)
{
    if (nodes_.empty())
        return;
    CMacroMap map(dc, nodes_, fonts_, style_, kBorder, boxes_);
    map.Draw();
}
