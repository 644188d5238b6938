#pragma once

#include "GdiTypes.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>

class CFont;

// A text and the font to measure it in.
struct TextInFont {
    const CFont* font = nullptr;
    std::string_view text;
};

// Measures the extent of a text in a font. Device contexts measure through the
// process-wide measurer, which tests may replace by one with fixed widths so
// that layouts do not depend on the fonts installed.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual CSize Measure(const CFont& font, std::string_view text) const = 0;
    // Measures a list into `out`, one extent a text (none for a text
    // without a font); one call at a time per font object.
    virtual void MeasureAll(std::span<const TextInFont> texts, CSize* out) const;
    // The measurer beneath any store of extents this one keeps (itself when
    // it keeps none), for texts too many to keep and mostly met once.
    virtual const TextMeasurer& Uncached() const { return *this; }
    // How many of the texts a store of extents already holds, so that they
    // would cost a look-up each (none without a store).
    virtual size_t CountKnown(std::span<const TextInFont> texts) const
    {
        (void)texts;
        return 0;
    }
};

// The measurer that asks the font itself (Qt's font metrics).
class FontTextMeasurer : public TextMeasurer {
public:
    CSize Measure(const CFont& font, std::string_view text) const override;
    // The same extents; a font's height is asked once for a run of texts in it.
    void MeasureAll(std::span<const TextInFont> texts, CSize* out) const override;
};

// Every byte is `charWidth` pixels wide; the height is `lineHeight`, or, when
// that is 0, the font's pixel height (the magnitude of its description's
// height, 13 for a font of height 0).
class FixedWidthTextMeasurer : public TextMeasurer {
public:
    FixedWidthTextMeasurer(int charWidth, int lineHeight)
        : charWidth_(charWidth), lineHeight_(lineHeight)
    {
    }
    CSize Measure(const CFont& font, std::string_view text) const override;

private:
    int charWidth_;
    int lineHeight_;
};

// The process-wide measurer (a FontTextMeasurer unless replaced).
const TextMeasurer& GetTextMeasurer();
// Replaces the process-wide measurer; null restores the font measurer.
// Returns the one it replaced.
std::shared_ptr<const TextMeasurer> SetTextMeasurer(std::shared_ptr<const TextMeasurer> measurer);

// Replaces the measurer for one scope and puts the old one back at its end.
class ScopedTextMeasurer {
public:
    explicit ScopedTextMeasurer(std::shared_ptr<const TextMeasurer> measurer)
        : previous_(SetTextMeasurer(std::move(measurer)))
    {
    }
    ~ScopedTextMeasurer() { SetTextMeasurer(previous_); }
    ScopedTextMeasurer(const ScopedTextMeasurer&) = delete;
    ScopedTextMeasurer& operator=(const ScopedTextMeasurer&) = delete;

private:
    std::shared_ptr<const TextMeasurer> previous_;
};
