#include "TextBatch.h"

#include "DistinctTexts.h"
#include "Font.h"
#include "TextMeasurer.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

const CFont* ShareFonts::For(const CFont* font)
{
    if (!copies_ || font == nullptr || !font->IsCreated())
        return font;
    for (const auto& [given, copy] : own_) {
        if (given == font)
            return copy.get();
    }
    auto copy = std::make_unique<CFont>();
    copy->CreateFontIndirect(font->Description());
    own_.emplace_back(font, std::move(copy));
    return own_.back().second.get();
}

void TextBatch::Share(size_t count, unsigned threads, const ShareWork& work)
{
    const size_t parts = std::clamp<size_t>(threads, 1, std::max<size_t>(count, 1));
    // Several runs a thread, taken in turn: a thread the system holds back
    // takes fewer of them instead of keeping the others waiting.
    const size_t run =
        std::max<size_t>(1, (count + kRunsPerThread * parts - 1) / (kRunsPerThread * parts));
    std::atomic<size_t> next {0};
    std::mutex failedMutex;
    std::exception_ptr failed; // the first a run threw, thrown again at the end
    auto take = [&](ShareFonts& fonts) {
        try {
            for (size_t from = next.fetch_add(run); from < count; from = next.fetch_add(run))
                work(from, std::min(count, from + run), fonts);
        } catch (...) {
            next = count; // the others stop after their current run
            std::lock_guard lock(failedMutex);
            if (!failed)
                failed = std::current_exception();
        }
    };
    std::vector<std::thread> workers;
    for (size_t i = 1; i < parts; ++i) {
        try {
            workers.emplace_back([&take] {
                ShareFonts fonts(true);
                take(fonts);
            });
        } catch (const std::exception&) {
            break; // the threads started and this one take the runs
        }
    }
    {
        ShareFonts given(false);
        take(given);
    }
    for (std::thread& worker : workers)
        worker.join();
    if (failed)
        std::rethrow_exception(failed);
}

std::vector<CSize> TextBatch::Measure(std::span<const TextInFont> texts, unsigned threads)
{
    return Measure(texts, threads, GetTextMeasurer());
}

std::vector<CSize> TextBatch::Measure(
    std::span<const TextInFont> texts, unsigned threads, const TextMeasurer& measurer)
{
    std::vector<CSize> extents(texts.size());
    if (texts.size() < kParallelTexts) {
        measurer.MeasureAll(texts, extents.data());
        return extents;
    }
    // Many lines repeat ("break;"): each text is measured once per font.
    DistinctTexts distinct;
    std::vector<size_t> which(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        which[i] = distinct.Add(texts[i]);
    const std::span<const TextInFont> list = distinct.Texts();
    std::vector<CSize> measured(list.size());
    // A few distinct texts are not worth the threads' fonts.
    Share(list.size(), list.size() < kParallelTexts ? 1 : threads,
        [&](size_t from, size_t to, ShareFonts& fonts) {
            std::vector<TextInFont> mine(list.begin() + from, list.begin() + to);
            for (TextInFont& text : mine)
                text.font = fonts.For(text.font);
            measurer.MeasureAll(mine, measured.data() + from);
        });
    for (size_t i = 0; i < texts.size(); ++i)
        extents[i] = measured[which[i]];
    return extents;
}
