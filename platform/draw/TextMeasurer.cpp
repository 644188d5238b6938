#include "TextMeasurer.h"

#include "Font.h"
#include "GuiSession.h"

#include <cstdlib>

CSize FontTextMeasurer::Measure(const CFont& font, std::string_view text) const
{
    if (!font.IsCreated())
        return {};
    const QFontMetrics& metrics = font.Metrics();
    int width = text.empty() ? 0 : metrics.horizontalAdvance(ToQString(text));
    return {width, metrics.height()};
}

void FontTextMeasurer::MeasureAll(std::span<const TextInFont> texts, CSize* out) const
{
    const CFont* last = nullptr;
    int height = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        const CFont* font = texts[i].font;
        if (font == nullptr || !font->IsCreated()) {
            out[i] = CSize();
            continue;
        }
        const QFontMetrics& metrics = font->Metrics();
        if (font != last) {
            last = font;
            height = metrics.height();
        }
        const std::string_view text = texts[i].text;
        out[i] = {text.empty() ? 0 : metrics.horizontalAdvance(ToQString(text)), height};
    }
}

void TextMeasurer::MeasureAll(std::span<const TextInFont> texts, CSize* out) const
{
    for (size_t i = 0; i < texts.size(); ++i)
        out[i] = texts[i].font != nullptr ? Measure(*texts[i].font, texts[i].text) : CSize();
}

CSize FixedWidthTextMeasurer::Measure(const CFont& font, std::string_view text) const
{
    int height = lineHeight_;
    if (height == 0) {
        int32_t h = font.IsCreated() ? font.Description().height : 0;
        height = h == 0 ? 13 : std::abs(h);
    }
    return {static_cast<int>(text.size()) * charWidth_, height};
}

namespace {

std::shared_ptr<const TextMeasurer>& CurrentMeasurer()
{
    static std::shared_ptr<const TextMeasurer> measurer = std::make_shared<FontTextMeasurer>();
    return measurer;
}

} // namespace

const TextMeasurer& GetTextMeasurer()
{
    return *CurrentMeasurer();
}

std::shared_ptr<const TextMeasurer> SetTextMeasurer(std::shared_ptr<const TextMeasurer> measurer)
{
    auto previous = CurrentMeasurer();
    CurrentMeasurer() = measurer ? std::move(measurer) : std::make_shared<FontTextMeasurer>();
    return previous;
}
