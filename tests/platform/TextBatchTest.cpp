#include "TextBatch.h"

#include "Font.h"
#include "TextMeasurer.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

// Hands every measurement on, noting which thread used which font object.
class ThreadRecorder : public TextMeasurer {
public:
    CSize Measure(const CFont& font, std::string_view text) const override
    {
        {
            std::lock_guard lock(mutex);
            users[&font].insert(std::this_thread::get_id());
            ++calls;
        }
        return FontTextMeasurer().Measure(font, text);
    }
    mutable std::mutex mutex;
    mutable std::map<const CFont*, std::set<std::thread::id>> users;
    mutable size_t calls = 0;
};

LogFont Description(int height, int weight)
{
    LogFont d;
    d.height = height;
    d.weight = weight;
    d.faceName = "DejaVu Sans";
    return d;
}

} // namespace

// A long list is measured on several threads, no font object on two of them,
// each text once per font, and gives the extents one thread gives; a short
// one stays on the caller.
TEST(TextBatchTest, SharedAmongThreadsAsOneThreadWouldMeasure)
{
    CFont plain;
    CFont bold;
    ASSERT_TRUE(plain.CreateFontIndirect(Description(-13, 400)));
    ASSERT_TRUE(bold.CreateFontIndirect(Description(-20, 700)));
    const CFont unmade;
    std::vector<std::string> words;
    std::vector<TextInFont> texts;
    for (size_t i = 0; i < 3 * TextBatch::kParallelTexts; ++i)
        words.push_back(i % 5 == 4
                ? "break;"
                : (i % 2 ? "acc += " : "case ") + std::to_string(i * 7919 % 100000) + ";");
    const CFont* fonts[] = {&plain, &bold, &unmade, nullptr};
    for (size_t i = 0; i < words.size(); ++i)
        texts.push_back({fonts[i % 7 == 6 ? 2 + i % 2 : i % 2], words[i]});

    auto recorder = std::make_shared<ThreadRecorder>();
    ScopedTextMeasurer scoped(recorder);
    const std::vector<CSize> alone = TextBatch::Measure(texts, 1);
    ASSERT_EQ(alone.size(), texts.size());
    for (size_t i = 0; i < texts.size(); i += 97) {
        const CSize expected = texts[i].font != nullptr
            ? FontTextMeasurer().Measure(*texts[i].font, words[i])
            : CSize();
        EXPECT_EQ(alone[i], expected) << words[i];
    }
    EXPECT_GT(alone[0].cx, 0);
    EXPECT_EQ(recorder->users.size(), 3u) << "one thread, the fonts given";

    recorder->users.clear();
    recorder->calls = 0;
    EXPECT_EQ(TextBatch::Measure(texts, 4), alone);
    std::set<std::pair<const CFont*, std::string_view>> distinct;
    for (const TextInFont& text : texts)
        if (text.font != nullptr)
            distinct.insert({text.font, text.text});
    EXPECT_EQ(recorder->calls, distinct.size()) << "a repeated text is measured once";
    // The fonts given stay on one thread; the others measure with copies of
    // their own. (A copy's address may come back for another thread's copy
    // once the first is gone, so copies are not told apart by address.)
    std::set<std::thread::id> threads;
    for (const auto& [font, users] : recorder->users)
        threads.insert(users.begin(), users.end());
    // Threads take runs of the list in turn, so one started late may find
    // none left.
    for (const CFont* given : {&plain, &bold}) {
        const std::set<std::thread::id>& users = recorder->users[given];
        EXPECT_LE(users.size(), 1u) << "a font given used by two threads";
        EXPECT_TRUE(users.empty() || *users.begin() == std::this_thread::get_id());
    }
    EXPECT_LE(threads.size(), 4u);

    recorder->users.clear();
    const std::span<const TextInFont> few(texts.data(), TextBatch::kParallelTexts - 1);
    const std::vector<CSize> short_ = TextBatch::Measure(few, 4);
    EXPECT_EQ(short_, std::vector<CSize>(alone.begin(), alone.begin() + few.size()));
    EXPECT_EQ(recorder->users[&plain], std::set {std::this_thread::get_id()});
}

// Every run is worked on once; the exception of a run that throws reaches
// the caller once all threads are done.
TEST(TextBatchTest, ShareWorksEachRunOnceAndPassesAFailureOn)
{
    std::vector<std::atomic<int>> seen(20000);
    TextBatch::Share(seen.size(), 4, [&](size_t from, size_t to, ShareFonts&) {
        for (size_t i = from; i < to; ++i)
            ++seen[i];
    });
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](const auto& n) { return n == 1; }));

    EXPECT_THROW(TextBatch::Share(20000, 4,
                     [&](size_t from, size_t, ShareFonts&) {
                         if (from == 0)
                             throw std::runtime_error("no room");
                     }),
        std::runtime_error);
}
