#include "TextBatch.h"

#include "Font.h"
#include "TextMeasurer.h"

#include <algorithm>
#include <map>
#include <memory>
#include <system_error>
#include <thread>

namespace {

void MeasureSlice(std::span<const TextInFont> texts, CSize* out)
{
    const TextMeasurer& measurer = GetTextMeasurer();
    for (size_t i = 0; i < texts.size(); ++i)
        out[i] =
            texts[i].font != nullptr ? measurer.Measure(*texts[i].font, texts[i].text) : CSize();
}

// The same, in fonts made on this thread from the descriptions of those given
// (a font that was never made carries no Qt font and is read as it is).
void MeasureSliceInOwnFonts(std::span<const TextInFont> texts, CSize* out)
{
    const TextMeasurer& measurer = GetTextMeasurer();
    std::map<const CFont*, std::unique_ptr<CFont>> own;
    for (size_t i = 0; i < texts.size(); ++i) {
        const CFont* font = texts[i].font;
        if (font == nullptr) {
            out[i] = CSize();
            continue;
        }
        if (font->IsCreated()) {
            std::unique_ptr<CFont>& copy = own[font];
            if (copy == nullptr) {
                copy = std::make_unique<CFont>();
                copy->CreateFontIndirect(font->Description());
            }
            font = copy.get();
        }
        out[i] = measurer.Measure(*font, texts[i].text);
    }
}

} // namespace

std::vector<CSize> TextBatch::Measure(std::span<const TextInFont> texts, unsigned threads)
{
    std::vector<CSize> extents(texts.size());
    const size_t parts = texts.size() < kParallelTexts ? 1 : std::max(1u, threads);
    const size_t share = (texts.size() + parts - 1) / parts;
    // The first share and whatever no thread took are measured here.
    std::vector<std::thread> workers;
    size_t taken = share;
    for (size_t from = share; parts > 1 && from < texts.size(); from += share) {
        const size_t count = std::min(share, texts.size() - from);
        try {
            workers.emplace_back(
                MeasureSliceInOwnFonts, texts.subspan(from, count), extents.data() + from);
        } catch (const std::system_error&) {
            break;
        }
        taken = from + count;
    }
    MeasureSlice(texts.first(std::min(share, texts.size())), extents.data());
    if (taken < texts.size())
        MeasureSlice(texts.subspan(taken), extents.data() + taken);
    for (std::thread& worker : workers)
        worker.join();
    return extents;
}
