#pragma once

#include "TextMeasurer.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

// Remembers the extents the fonts measured: a text measured again in the same
// font (a member name met in many classes, every name when the macro view is
// laid out again) costs a look-up instead of shaping the text anew. Fonts are
// told apart by their description, so a font made again from the same
// description shares the entries. Any thread may measure.
class CachingTextMeasurer : public TextMeasurer {
public:
    static constexpr size_t kMaxEntries = 1u << 20;

    explicit CachingTextMeasurer(std::shared_ptr<const TextMeasurer> measurer);
    CSize Measure(const CFont& font, std::string_view text) const override;

private:
    std::shared_ptr<const TextMeasurer> measurer_;
    mutable std::mutex mutex_;
    mutable std::unordered_map<std::string, CSize> extents_;
};
