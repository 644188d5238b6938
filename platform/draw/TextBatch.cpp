#include "TextBatch.h"

#include "Font.h"
#include "TextMeasurer.h"

#include <algorithm>
#include <map>
#include <memory>
#include <system_error>
#include <cstdint>
#include <functional>
#include <thread>

namespace {

void MeasureSlice(std::span<const TextInFont> texts, CSize* out)
{
    GetTextMeasurer().MeasureAll(texts, out);
}

// The same, in fonts made on this thread from the descriptions of those given
// (a font that was never made carries no Qt font and is read as it is).
void MeasureSliceInOwnFonts(std::span<const TextInFont> texts, CSize* out)
{
    std::map<const CFont*, std::unique_ptr<CFont>> own;
    std::vector<TextInFont> mine(texts.begin(), texts.end());
    for (TextInFont& text : mine) {
        if (text.font == nullptr || !text.font->IsCreated())
            continue;
        std::unique_ptr<CFont>& copy = own[text.font];
        if (copy == nullptr) {
            copy = std::make_unique<CFont>();
            copy->CreateFontIndirect(text.font->Description());
        }
        text.font = copy.get();
    }
    GetTextMeasurer().MeasureAll(mine, out);
}

} // namespace

std::vector<CSize> TextBatch::Measure(std::span<const TextInFont> texts, unsigned threads)
{
    if (texts.size() < kParallelTexts)
        return MeasureShared(texts, 1);
    // Many lines repeat ("break;"): each text is measured once per font. An
    // open table of indexes into `distinct`, at least twice as long as the list.
    size_t tableSize = 1;
    while (tableSize < 2 * texts.size())
        tableSize *= 2;
    std::vector<size_t> table(tableSize, SIZE_MAX);
    std::vector<TextInFont> distinct;
    std::vector<size_t> which(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const TextInFont& text = texts[i];
        size_t slot =
            (std::hash<std::string_view>()(text.text) ^ std::hash<const CFont*>()(text.font) * 31) &
            (tableSize - 1);
        while (table[slot] != SIZE_MAX &&
            (distinct[table[slot]].font != text.font || distinct[table[slot]].text != text.text))
            slot = (slot + 1) & (tableSize - 1);
        if (table[slot] == SIZE_MAX) {
            table[slot] = distinct.size();
            distinct.push_back(text);
        }
        which[i] = table[slot];
    }
    const std::vector<CSize> measured = MeasureShared(distinct, threads);
    std::vector<CSize> extents(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        extents[i] = measured[which[i]];
    return extents;
}

std::vector<CSize> TextBatch::MeasureShared(std::span<const TextInFont> texts, unsigned threads)
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
