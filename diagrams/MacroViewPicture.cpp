#include "MacroViewPicture.h"

#include "DeviceContext.h"
#include "ElementStyleTable.h"
#include "MacroLayout.h"
#include "MacroLayoutTree.h"
#include "MacroMap.h"
#include "VisualSetting.h"

#include <algorithm>
#include <utility>

MacroViewPicture::MacroViewPicture(std::vector<MacroLayoutNode>& nodes, MacroGroups& groups,
    MacroBoxBudget& boxes, CVisualSetting& fonts, const ElementStyleTable& style)
    : nodes_(nodes), groups_(groups), boxes_(boxes), fonts_(fonts), style_(style)
{
}

MacroViewPicture::PrepareJob::PrepareJob(CVisualSetting fonts, const ElementStyleTable& style,
    MacroGroups& groups, const MacroArrangeOptions& options, int width, int tallerThan,
    int widthIfTaller)
    : fonts_(std::move(fonts)),
      style_(style),
      groups_(&groups),
      options_(options),
      width_(std::max(0, width)),
      tallerThan_(tallerThan),
      widthIfTaller_(std::max(0, widthIfTaller))
{
}

std::optional<PreparedMacroTree> MacroViewPicture::PrepareJob::Run(
    CModelScope* root, const std::atomic<bool>& stop)
{
    PreparedMacroTree tree;
    tree.root = root;
    tree.options = options_;
    tree.width = width_;
    tree.nodeCount = root != nullptr ? BuildMacroLayout(root, tree.nodes, *groups_) : 0;
    // Measuring needs no picture: a device context of this thread's own.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const bool measured = MeasureLayout(tree.nodes, fonts_, style_, &dc, kBorder, &stop);
    fonts_.AttachDC(nullptr);
    if (!measured)
        return std::nullopt;
    CMacroLayout layout(tree.nodes, kBorder, style_.UnitSpace, width_, style_.Grouping, options_);
    tree.size = layout.Arrange();
    if (tree.size.cy > tallerThan_ && widthIfTaller_ != width_) {
        CMacroLayout narrower(
            tree.nodes, kBorder, style_.UnitSpace, widthIfTaller_, style_.Grouping, options_);
        tree.size = narrower.Arrange();
        tree.width = widthIfTaller_;
    }
    return tree;
}

MacroViewPicture::PrepareJob MacroViewPicture::MakePrepareJob(
    const MacroArrangeOptions& options, int width, int tallerThan, int widthIfTaller) const
{
    return PrepareJob(fonts_, style_, groups_, options, width, tallerThan, widthIfTaller);
}

MacroViewPicture::ArrangeJob::ArrangeJob(std::vector<MacroLayoutNode>& nodes,
    const ElementStyleTable& style, const MacroArrangeOptions& options, int width)
    : nodes_(&nodes),
      unitSpace_(style.UnitSpace),
      grouping_(style.Grouping),
      options_(options),
      width_(std::max(0, width))
{
}

std::optional<MacroArrangement> MacroViewPicture::ArrangeJob::Run(
    const std::atomic<bool>& stop) const
{
    CMacroLayout layout(*nodes_, kBorder, unitSpace_, width_, grouping_, options_);
    layout.stop = &stop;
    MacroArrangement arrangement;
    layout.ArrangeInto(arrangement);
    if (stop)
        return std::nullopt;
    return arrangement;
}

MacroViewPicture::ArrangeJob MacroViewPicture::MakeArrangeJob(
    const MacroArrangeOptions& options, int width) const
{
    return ArrangeJob(nodes_, style_, options, width);
}

std::optional<CSize> MacroViewPicture::TakeArrangement(const MacroArrangement& arrangement)
{
    if (!::TakeArrangement(nodes_, arrangement))
        return std::nullopt;
    return arrangement.size;
}

std::optional<CSize> MacroViewPicture::Update(const MacroViewSteps& steps, CModelScope* root,
    const MacroArrangeOptions& options, int width, CDC* dc,
    std::optional<PreparedMacroTree> prepared)
{
    width = std::max(0, width);
    if (steps.build && prepared && prepared->root == root) {
        nodes_ = std::move(prepared->nodes);
        nodeCount_ = prepared->nodeCount;
        if (steps.measure)
            MeasureLayout(nodes_, fonts_, style_, dc, kBorder);
        if (!steps.measure && !steps.arrange && prepared->width == width &&
            prepared->options == options)
            return prepared->size;
    } else {
        if (steps.build) {
            nodes_.clear();
            nodeCount_ = root != nullptr ? BuildMacroLayout(root, nodes_, groups_) : 0;
        }
        if (steps.build || steps.measure)
            MeasureLayout(nodes_, fonts_, style_, dc, kBorder);
        if (!steps.build && !steps.measure && !steps.arrange)
            return std::nullopt;
    }
    ++arrangements_;
    CMacroLayout layout(nodes_, kBorder, style_.UnitSpace, width, style_.Grouping, options);
    return layout.Arrange();
}

void MacroViewPicture::Draw(CDC* dc)
{
    if (nodes_.empty())
        return;
    CMacroMap map(dc, nodes_, fonts_, style_, kBorder, boxes_);
    map.Draw();
}
