#include "DetailBoxPainter.h"

#include "DetailBox.h"
#include "ElementStyleTable.h"
#include "ModelScope.h"
#include "SafeDrawing.h"
#include "UnitKind.h"
#include "VisualSetting.h"

#include <cstdlib>

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr int kArrowUp = 0;
constexpr int kConnectorHead = 6;
// How far above the lower box a bent line runs across.
constexpr int kBendAbove = 16;
constexpr int kDiamond = 10;

} // namespace

DetailBoxPainter::DetailBoxPainter(
    CDC& dc, const CVisualSetting& fonts, const ElementStyleTable& style, int inset)
    : dc_(dc),
      fonts_(fonts),
      style_(style),
      inset_(inset),
      pens_(&dc, 1, style),
      surface_(&dc, style.HighColorShading, 0xFFFFFF)
{
}

COLORREF DetailBoxPainter::AccessColour(int access)
{
    switch (access) {
    case ACCESS_PUBLIC:
        return kPublicLine;
    case ACCESS_PROTECTED:
        return kProtectedLine;
    case ACCESS_PRIVATE:
        return kPrivateLine;
    default:
        return kBlack;
    }
}

void DetailBoxPainter::DrawBox(const DetailBox& box)
{
    pens_.SetItem(box.scope);
    const COLORREF border = pens_.GetBorderColour(box.scope, false);
    surface_.FrameBox(box.x + inset_ / 2, box.y + inset_ / 2, box.width - inset_,
        box.height - inset_, border, inset_);
    surface_.FillShadedBox(
        box.foldX, box.foldY, box.contentW, box.captionH, pens_.GetFillColour(box.scope));
    if (box.open)
        DrawSectionBands(box);
    DrawTexts(box);
    DrawFoldSquares(box);
    if (box.open && box.sections[DetailBox::kNested].open) {
        for (const DetailBox& nested : box.nested)
            DrawBox(nested);
    }
}

void DetailBoxPainter::DrawSectionBands(const DetailBox& box)
{
    for (int s = 0; s < 3; ++s) {
        if (!box.HasEntries(s))
            continue;
        const DetailSection& section = box.sections[static_cast<size_t>(s)];
        surface_.FillShadedBox(section.headerX, section.headerY, box.contentW, section.headerH,
            style_.GetColors(DetailBox::kSectionKinds[s]).background);
    }
}

void DetailBoxPainter::DrawTexts(const DetailBox& box)
{
    {
        SelectedFont font(dc_, DetailCaptionFont(box.scope, fonts_));
        DrawClippedText(surface_, box.foldX + 1 + box.foldSize, box.foldY + 1,
            pens_.GetTextColour(box.scope),
            box.scope != nullptr ? std::string_view(box.scope->name) : std::string_view());
    }
    if (!box.open)
        return;
    for (int s = 0; s < 3; ++s) {
        if (!box.HasEntries(s))
            continue;
        const DetailSection& section = box.sections[static_cast<size_t>(s)];
        SelectedFont font(dc_, fonts_.GetItemFont(DetailBox::kSectionKinds[s]));
        DrawClippedText(surface_, section.headerX + 1 + section.square, section.headerY + 1,
            style_.GetColors(DetailBox::kSectionKinds[s]).text, DetailBox::kSectionCaptions[s]);
        if (!section.open)
            continue;
        const int x = section.headerX + section.square;
        int y = section.headerY + section.headerH;
        if (s == DetailBox::kAttributes) {
            for (const DetailAttribute& line : box.attributes) {
                DrawClippedText(surface_, x, y, kBlack, line.text);
                y += line.height;
            }
        } else if (s == DetailBox::kMethods) {
            for (const DetailMethod& method : box.methods) {
                DrawClippedText(surface_, x, y, kBlack, method.name);
                DrawClippedText(
                    surface_, x + method.nameW, y, kParamsColour, box.ShownParams(method));
                DrawClippedText(surface_, x + method.nameW + method.paramsW + 2, y, kTypeColour,
                    box.ShownType(method));
                y += method.height;
            }
        }
    }
}

void DetailBoxPainter::DrawFoldSquares(const DetailBox& box)
{
    if (box.foldSize > 0) {
        const int side = box.foldSize - 3;
        surface_.DrawRoundFrame(
            box.foldX + 3, box.foldY + 3, side, side, kBlack, kBlack, box.open ? 0 : 1);
    }
    if (!box.open)
        return;
    for (int s = 0; s < 3; ++s) {
        if (!box.HasEntries(s))
            continue;
        const DetailSection& section = box.sections[static_cast<size_t>(s)];
        const int side = section.square - 2;
        const int y = section.headerY + 2;
        surface_.DrawRoundFrame(
            section.headerX + 2, y, side, side, kBlack, kBlack, section.open ? 0 : 1);
        if (s != DetailBox::kMethods)
            continue;
        // The two squares at the header's right end start where a click
        // finds them.
        const int right = section.headerX + section.headerW;
        surface_.DrawRoundFrame(
            right - 2 * section.square, y, side, side, kBlack, kBlack, box.showParams ? 0 : 1);
        surface_.DrawRoundFrame(
            right - section.square, y, side, side, kBlack, kBlack, box.showTypes ? 0 : 1);
    }
}

void DetailBoxPainter::DrawConnector(
    const DetailBox& upper, const DetailBox& lower, COLORREF colour, bool dotted, bool diamond)
{
    const int ax = upper.x + upper.width / 2;
    const int ay = upper.y + upper.height;
    const int bx = lower.x + lower.width / 2;
    const int by = lower.y;
    const int style = dotted ? PS_DOT : PS_SOLID;
    {
        SelectedPen pen(dc_, colour);
        DrawClippedArrowHead(surface_, ax, ay, kArrowUp, kConnectorHead, 1);
    }
    const int start = ay + kConnectorHead;
    if (std::abs(ax - bx) >= 3) {
        const int bend = by - kBendAbove;
        DrawAxisLine(surface_, ax, start, ax, bend, colour, style);
        DrawAxisLine(surface_, ax, bend, bx, bend, colour, style);
        DrawAxisLine(surface_, bx, bend, bx, by, colour, style);
    } else {
        DrawAxisLine(surface_, ax, start, bx, by, colour, style);
    }
    if (diamond)
        surface_.DrawDiamond(bx - kDiamond / 2, by - kDiamond, kDiamond, kDiamond, colour);
}
