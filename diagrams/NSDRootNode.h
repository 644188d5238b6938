#pragma once

#include "DrawSurface.h"
#include "GdiTypes.h"
#include "NSDBlock.h"
#include "NSDSetting.h"
#include "TextBatch.h"

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CFlowItem;

// The measured Nassi-Shneiderman diagram of one function: the block tree,
// the whole size, the title, and the extents of the fixed words the blocks
// use. Measuring gives every block its header text, size and place; drawing
// paints each block before its children, so that children cover the inner
// part of their parent.
class NSDRootNode {
public:
    // The setting stays owned by the caller and must outlive the node.
    NSDRootNode(const CFlowItem& rootItem, CNSDSetting& setting, std::string_view function);

    // A new drawing surface on the context; the setting's fonts measure and
    // draw on it.
    void SetDC(CDC* context);
    // Header texts, natural sizes, stretching, heights, title and places.
    void Measure();
    // The title box, when the setting shows one.
    void DrawTitle();
    // Paints every child of the block by its kind, each before its own
    // children.
    void DrawTree(const NSDBlock& block);

    CDC* dc = nullptr;
    std::unique_ptr<DrawSurface> surface;
    int width = 10;
    int height = 10;
    NSDBlock root;
    CNSDSetting& settings;
    CSize tryExtent;
    CSize yesExtent;
    CSize noExtent;
    CSize defaultExtent;
    int titleWidth = 0;
    int titleHeight = 0;
    std::string title;
    // The function's name, as far as the title can show it.
    std::string functionName;

private:
    // The setting's sizes and margins, each kept within 65536 pixels either
    // way, so that no place or size of a block overflows.
    struct Sizes {
        int startX = 0;
        int startY = 0;
        int loopWidth = 0;
        int tryCatchWidth = 0;
        int tryCatchHeight = 0;
        int statementDistance = 0;
        int marginWidth = 0;
        int marginHeight = 0;
        int titleMarginWidth = 0;
        int titleMarginHeight = 0;
    };
    struct Extent {
        int64_t width = 0;
        int64_t height = 0;
    };
    CSize TextExtent(CFontHolder& font, const std::string& text);
    // The font object each header font measures in.
    using HeaderFonts = std::map<const CFontHolder*, const CFont*>;
    // Gives every block of the lists its header lines, measures them and
    // sizes the headers; a huge function's blocks on several threads.
    void MakeHeaders(std::vector<NSDBlock>& blocks);
    void MakeHeaderRun(
        std::span<NSDBlock* const> blocks, const HeaderFonts& given, ShareFonts& fonts);
    void MakeHeaderLines(NSDBlock& block);
    void MakeIfLines(NSDBlock& block, int from);
    // The font a block's header is measured in; null for the blocks whose
    // header is a fixed word or nothing.
    CFontHolder* HeaderFont(int32_t kind);
    static const CFont* MeasuringFont(const CFontHolder& holder);
    // The header's size from the extents of its measured lines.
    void SizeHeader(NSDBlock& block, std::span<const CSize> extents);
    void SizeOneLineHeader(NSDBlock& block, CSize extent);
    Extent NaturalSize(std::vector<NSDBlock>& blocks);
    void MeasureChain(std::vector<NSDBlock>& blocks, size_t first, size_t end);
    void Stretch(std::vector<NSDBlock>& blocks, int64_t width);
    void StretchCases(NSDBlock& block);
    void ShareHeights(std::vector<NSDBlock>& blocks, int64_t available);
    void FillCases(NSDBlock& block);
    void Place(std::vector<NSDBlock>& blocks, int64_t x, int64_t y);

    void Paint(const NSDBlock& block);
    void PaintPlain(const NSDBlock& block);
    void PaintIf(const NSDBlock& block);
    void PaintLoop(const NSDBlock& block);
    void PaintSwitch(const NSDBlock& block);
    void PaintCase(const NSDBlock& block);
    void PaintTryCatch(const NSDBlock& block);
    void Text(CFontHolder& font, COLORREF colour, int x, int y, const std::string& text);
    void Line(int x1, int y1, int x2, int y2, COLORREF colour);
    void Box(int x, int y, int w, int h, const ColorTriple& colour);

    Sizes sizes;
};
