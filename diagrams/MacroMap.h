#pragma once

#include "DeviceContext.h"
#include "DrawSurface.h"
#include "GdiTypes.h"
#include "MacroArrangeOptions.h"
#include "MacroItemPens.h"
#include "MacroLayoutNode.h"

#include <span>
#include <vector>

class CVisualSetting;
struct ElementStyleTable;

// Paints the arranged macro view into a device context: every node that
// meets the clip box, parents before their content, each as a shaded box
// with its caption, fold marker, function mark, dividers and shadow in the
// colours of its kind, access and content. Leaf boxes drawn wholly inside the
// clip box are kept as bitmaps (up to the view's budget) and copied back on
// later paints.
class CMacroMap {
public:
    CMacroMap(CDC* dc, std::vector<MacroLayoutNode>& nodes, CVisualSetting& fonts,
        const ElementStyleTable& style, int border, MacroBoxBudget& boxes);

    // Also collects, into `list`, the nodes that meet `rect` (the part of the
    // view on screen), in drawing order reversed like the draw list.
    void SetVisibleList(const CRect& rect, std::vector<MacroLayoutNode*>* list);

    void Draw();

    // The nodes drawn by the last Draw, highest running number first.
    const std::vector<MacroLayoutNode*>& DrawList() const { return drawList_; }

private:
    void Collect(std::span<MacroLayoutNode> list, const CRect& rect,
        std::vector<MacroLayoutNode*>& out) const;
    // The nodes that meet the rectangle, highest running number first.
    void CollectByNumber(const CRect& rect, std::vector<MacroLayoutNode*>& out) const;
    void DrawNode(MacroLayoutNode& node);
    bool DrawCached(MacroLayoutNode& node);
    void KeepBox(MacroLayoutNode& node);

    CDC* dc_;
    CMacroItemPens pens_;
    std::vector<MacroLayoutNode>& nodes_;
    int border_;
    DrawSurface surface_;
    CVisualSetting& fonts_;
    const ElementStyleTable& style_;
    CRect clip_;
    std::vector<MacroLayoutNode*> drawList_;
    CRect visibleRect_;
    std::vector<MacroLayoutNode*>* visibleList_ = nullptr;
    MacroBoxBudget& boxes_;
};

// The colour halfway between two colours, channel by channel.
COLORREF AverageColour(COLORREF a, COLORREF b);
