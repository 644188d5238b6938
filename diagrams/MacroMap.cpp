#include "MacroMap.h"

#include "ElementStyleTable.h"
#include "ModelScope.h"
#include "ShownText.h"
#include "UnitKind.h"
#include "VisualSetting.h"

#include <algorithm>
#include <span>

COLORREF AverageColour(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
        (GetBValue(a) + GetBValue(b)) / 2);
}

CMacroMap::CMacroMap(CDC* dc, std::vector<MacroLayoutNode>& nodes, CVisualSetting& fonts,
    const ElementStyleTable& style, int border, MacroBoxBudget& boxes)
    : dc_(dc),
      pens_(dc, 1, style),
      nodes_(nodes),
      border_(border),
      surface_(dc, style.HighColorShading, 0xFFFFFF),
      fonts_(fonts),
      style_(style),
      clip_(dc->GetClipBox()),
      boxes_(boxes)
{
}

void CMacroMap::SetVisibleList(const CRect& rect, std::vector<MacroLayoutNode*>* list)
{
    visibleRect_ = rect;
    visibleList_ = list;
}

void CMacroMap::Collect(
    std::span<MacroLayoutNode> list, const CRect& rect, std::vector<MacroLayoutNode*>& out) const
{
    for (MacroLayoutNode& node : list) {
        if (node.absY > rect.bottom || node.absY + node.ShownHeight() < rect.top)
            continue;
        out.push_back(&node);
        if (node.open)
            Collect(node.children, rect, out);
    }
}

void CMacroMap::CollectByNumber(const CRect& rect, std::vector<MacroLayoutNode*>& out) const
{
    out.clear();
    Collect(nodes_, rect, out);
    std::stable_sort(out.begin(), out.end(),
        [](const MacroLayoutNode* a, const MacroLayoutNode* b) { return a->number > b->number; });
}

void CMacroMap::Draw()
{
    CollectByNumber(clip_, drawList_);
    if (visibleList_ != nullptr)
        CollectByNumber(visibleRect_, *visibleList_);
    fonts_.AttachDC(dc_);
    for (auto it = drawList_.rbegin(); it != drawList_.rend(); ++it) {
        MacroLayoutNode& node = **it;
        if (node.cached && DrawCached(node))
            continue;
        DrawNode(node);
    }
}

bool CMacroMap::DrawCached(MacroLayoutNode& node)
{
    if (node.boxCache &&
        dc_->BitBlt(
            node.absX, node.absY, node.boxW, node.ShownHeight(), &node.boxCache->dc, 0, 0, SRCCOPY))
        return true;
    node.DropCache();
    return false;
}

void CMacroMap::DrawNode(MacroLayoutNode& node)
{
    const CModelScope* scope = node.scope;
    if (scope == nullptr)
        return;
    const int32_t category = GetUnitCategory(scope->kind);
    pens_.SetItem(scope);
    const bool mark = category == UNIT_FUNCTION && style_.ContentType == 4;
    const int height = node.ShownHeight();

    // The box, and the shadow of a box with stacked members.
    const COLORREF fill = pens_.GetFillColour(scope);
    const COLORREF border = pens_.GetBorderColour(scope, node.grouped != 0);
    surface_.DrawShadedFramedBox(
        node.absX, node.absY, node.boxW, height, fill, border, scope->isTemplate ? 1 : 0);
    if (node.stackedMembers) {
        const COLORREF shadow =
            RGB(GetRValue(border) / 2, GetGValue(border) / 2, GetBValue(border) / 2);
        surface_.DrawStyledLine(node.absX, node.absY + height, node.absX + node.boxW,
            node.absY + height, shadow, 1, PS_SOLID);
        surface_.DrawStyledLine(node.absX + node.boxW, node.absY + 1, node.absX + node.boxW,
            node.absY + height + 1, shadow, 1, PS_SOLID);
    }

    // The caption.
    CFontHolder& font = fonts_.GetItemFont(category);
    font.SelectInto();
    const COLORREF text = pens_.GetTextColour(scope);
    int x = node.absX + border_ + 1;
    if (node.HasChildren())
        x += node.foldMark;
    if (mark)
        x += node.textH;
    std::string room;
    surface_.DrawTransparentText(x, node.absY + border_ + 1, text, ShownLine(scope->name, room));
    font.Restore();

    const COLORREF average = AverageColour(text, fill);
    if (node.HasChildren() && node.foldMark >= 9) {
        const int side = node.foldMark - 4;
        surface_.DrawRoundFrame(
            node.absX + 4, node.absY + 4, side, side, average, average, node.open ? 0 : 1);
    }
    if (mark) {
        const int side = node.textH - 4;
        surface_.DrawCapOval(node.absX + 4, node.absY + 4, side, side, average, text,
            scope->definitions.empty() ? 0 : 1);
    }

    if (node.open) {
        const COLORREF line = pens_.GetBorderColour(scope, false);
        const int base = node.absY + node.textH + border_;
        for (int s : node.separators)
            surface_.DrawStyledLine(
                node.absX, base + s, node.absX + node.boxW, base + s, line, 1, PS_SOLID);
    }

    if (!node.HasChildren())
        KeepBox(node);
}

void CMacroMap::KeepBox(MacroLayoutNode& node)
{
    const int height = node.ShownHeight();
    if (!(clip_.top < node.absY && clip_.left < node.absX && node.absY + height < clip_.bottom &&
            node.absX + node.boxW < clip_.right))
        return;
    if (boxes_.count >= boxes_.budget)
        return;
    auto cache = std::make_unique<MacroBoxCache>(nullptr);
    bool made = cache->dc.CreateCompatibleDC(dc_) &&
        cache->bitmap.CreateCompatibleBitmap(dc_, node.boxW + 1, height + 1);
    if (made) {
        cache->dc.SelectObject(&cache->bitmap);
        made = cache->dc.BitBlt(0, 0, node.boxW, height, dc_, node.absX, node.absY, SRCCOPY);
    }
    if (!made) {
        boxes_.budget = boxes_.count - 1;
        return;
    }
    cache->counter = &boxes_.count;
    ++boxes_.count;
    node.boxCache = std::move(cache);
    node.cached = 1;
}
