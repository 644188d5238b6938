#pragma once

#include "Font.h"
#include "TextMeasurer.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Remembers the extents the fonts measured: a text measured again in the same
// font (a member name met in many classes, every name when the macro view is
// laid out again) costs a look-up instead of shaping the text anew. Fonts are
// told apart by their description, so a font made again from the same
// description shares the entries; each description has a table of its own,
// looked up by the text as it is given (nothing is built or copied to look).
// Any thread may measure.
class CachingTextMeasurer : public TextMeasurer {
public:
    static constexpr size_t kMaxEntries = 1u << 20;

    explicit CachingTextMeasurer(std::shared_ptr<const TextMeasurer> measurer);
    CSize Measure(const CFont& font, std::string_view text) const override;
    // Looks the whole list up and stores what was missing under one lock
    // each, so that threads measuring lists do not queue for every text.
    void MeasureAll(std::span<const TextInFont> texts, CSize* out) const override;
    const TextMeasurer& Uncached() const override { return *measurer_; }
    size_t CountKnown(std::span<const TextInFont> texts) const override;

private:
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const
        {
            return std::hash<std::string_view>()(text);
        }
    };
    using Extents = std::unordered_map<std::string, CSize, TextHash, std::equal_to<>>;
    struct FontExtents {
        LogFont description;
        Extents extents;
    };

    // The table of the font's description, made when there is none (under
    // the lock).
    Extents& TableOf(const LogFont& description) const;

    std::shared_ptr<const TextMeasurer> measurer_;
    mutable std::mutex mutex_;
    mutable std::vector<std::unique_ptr<FontExtents>> fonts_;
    mutable size_t lastFont_ = 0; // the table asked for last
    mutable size_t entries_ = 0; // in all tables
};
