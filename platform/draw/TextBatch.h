#pragma once

#include "GdiTypes.h"
#include "TextMeasurer.h"

#include <functional>
#include <memory>
#include <span>
#include <utility>
#include <vector>

// The fonts one share of a batch measures in: on the calling thread the
// fonts given, on any other thread copies made from their descriptions, one
// per font (a font object must not be used by two threads at once). A font
// that was never made carries no Qt font and is used as it is.
class ShareFonts {
public:
    explicit ShareFonts(bool copies) : copies_(copies) { }
    const CFont* For(const CFont* font);

private:
    bool copies_;
    std::vector<std::pair<const CFont*, std::unique_ptr<CFont>>> own_;
};

// Measures every text through the process-wide measurer, in order (a text
// without a font has no extent). From `kParallelTexts` texts on, the list is
// shared among up to `threads` threads, each measuring in the fonts its
// ShareFonts gives, so the extents are those one thread would get; a text
// met again in the same font is measured once.
class TextBatch {
public:
    static constexpr size_t kParallelTexts = 4096;
    static constexpr size_t kRunsPerThread = 8;

    static std::vector<CSize> Measure(std::span<const TextInFont> texts, unsigned threads);
    // The same through `measurer`.
    static std::vector<CSize> Measure(
        std::span<const TextInFont> texts, unsigned threads, const TextMeasurer& measurer);

    // Cuts [0, count) into runs of about equal length and calls
    // work(from, to, fonts) for each, on the calling thread and up to
    // `threads` - 1 threads of its own, which take the runs in turn; returns
    // when all are done. Without threads (or when none can be started) the
    // calling thread takes every run. When a run throws, no new runs are
    // begun and the exception is thrown again once every thread is done.
    using ShareWork = std::function<void(size_t from, size_t to, ShareFonts& fonts)>;
    static void Share(size_t count, unsigned threads, const ShareWork& work);
};
