#pragma once

#include "TextMeasurer.h"

#include <cstdint>
#include <span>
#include <vector>

// Texts in fonts, each pair of font and text kept once: a list of lines in
// which "break;" comes back thousands of times is measured as one text. The
// texts are viewed, not copied; they must outlive the list.
class DistinctTexts {
public:
    // The index of the pair among those kept, adding it when it is new.
    size_t Add(TextInFont text);
    std::span<const TextInFont> Texts() const { return texts_; }

private:
    size_t SlotOf(const TextInFont& text) const;
    void Grow();

    std::vector<TextInFont> texts_;
    std::vector<uint32_t> table_; // open addressing: 1 + index into texts_, 0 free
};
