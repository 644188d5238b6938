#pragma once

#include "GdiTypes.h"

#include <span>
#include <string_view>
#include <vector>

class CFont;

// A text and the font to measure it in.
struct TextInFont {
    const CFont* font = nullptr;
    std::string_view text;
};

// Measures every text through the process-wide measurer, in order (a text
// without a font has no extent). From
// `kParallelTexts` texts on, the list is shared among up to `threads`
// threads: the calling thread measures in the fonts given, each other thread
// in fonts of its own made from the same descriptions (a font object must not
// be used by two threads at once), so the extents are those one thread would
// get. A thread that cannot be started leaves its share to the calling
// thread.
class TextBatch {
public:
    static constexpr size_t kParallelTexts = 4096;

    static std::vector<CSize> Measure(std::span<const TextInFont> texts, unsigned threads);
};
