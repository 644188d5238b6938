#include "SourceFileFreeing.h"

#include <gtest/gtest.h>

#include <mutex>
#include <set>

namespace {

// A record that tells when it is freed.
class CountedFile : public CSourceFile {
public:
    CountedFile(int number, std::multiset<int>& freed, std::mutex& mutex)
        : number_(number), freed_(freed), mutex_(mutex)
    {
    }
    ~CountedFile() override
    {
        const std::lock_guard lock(mutex_);
        freed_.insert(number_);
    }

private:
    int number_;
    std::multiset<int>& freed_;
    std::mutex& mutex_;
};

} // namespace

TEST(SourceFileFreeing, EveryRecordIsFreedOnceAndTheListIsLeftEmpty)
{
    for (const int count : {0, 3, 500}) {
        std::multiset<int> freed;
        std::mutex mutex;
        SourceFileList files;
        for (int i = 0; i < count; ++i) {
            if (i % 7 == 3)
                files.push_back(nullptr); // a header slot without a record
            else
                files.push_back(std::make_unique<CountedFile>(i, freed, mutex));
        }
        FreeSourceFiles(files);
        EXPECT_TRUE(files.empty()) << count;
        std::multiset<int> expected;
        for (int i = 0; i < count; ++i) {
            if (i % 7 != 3)
                expected.insert(i);
        }
        EXPECT_EQ(freed, expected) << count;
    }
}

TEST(SourceFileFreeing, TwoListsAreFreedInOneSpreadWithTheCallAlongside)
{
    for (const int count : {0, 5, 300}) {
        std::multiset<int> freed;
        std::mutex mutex;
        SourceFileList projects;
        SourceFileList headers;
        for (int i = 0; i < count; ++i) {
            projects.push_back(std::make_unique<CountedFile>(i, freed, mutex));
            headers.push_back(std::make_unique<CountedFile>(count + i, freed, mutex));
        }
        headers.push_back(nullptr);
        int calls = 0;
        FreeSourceFiles(projects, headers, [&calls] { ++calls; });
        EXPECT_EQ(calls, 1) << count;
        EXPECT_TRUE(projects.empty() && headers.empty()) << count;
        std::multiset<int> expected;
        for (int i = 0; i < 2 * count; ++i)
            expected.insert(i);
        EXPECT_EQ(freed, expected) << count;
    }
}
