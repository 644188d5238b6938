#pragma once

#include "GdiTypes.h"
#include "TextMeasurer.h"

#include <span>
#include <vector>

// Measures every text through the process-wide measurer, in order (a text
// without a font has no extent). From
// `kParallelTexts` texts on, the list is shared among up to `threads`
// threads: the calling thread measures in the fonts given, each other thread
// in fonts of its own made from the same descriptions (a font object must not
// be used by two threads at once), so the extents are those one thread would
// get; a text met again in the same font is measured once. A thread that
// cannot be started leaves its share to the calling thread.
class TextBatch {
public:
    static constexpr size_t kParallelTexts = 4096;

    static std::vector<CSize> Measure(std::span<const TextInFont> texts, unsigned threads);

private:
    // Shares the list among the threads as it is.
    static std::vector<CSize> MeasureShared(std::span<const TextInFont> texts, unsigned threads);
};
