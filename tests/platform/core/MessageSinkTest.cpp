#include "MessageSink.h"

#include "CapturedOutput.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>
#include <vector>

TEST(MessageSink, LinesOfSeveralThreadsReachTheOutputWhole)
{
    CapturedOutput capture;
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([t] {
            for (int i = 0; i < 500; ++i)
                MessageLine(StandardOutputSink()) << "writer " << t << " line " << i << " end";
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    std::istringstream lines(capture.str());
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        ASSERT_EQ(line.rfind("writer ", 0), 0u) << line;
        ASSERT_EQ(line.substr(line.size() - 4), " end") << line;
    }
    EXPECT_EQ(count, 2000);
}

TEST(MessageSink, ALineTheSinkCannotTakeIsDropped)
{
    struct FullSink : MessageSink {
        void Write(MessageKind, std::string_view) override { throw std::bad_alloc(); }
    } full;
    // Ending the program here would be the failure.
    MessageLine(full, MessageKind::Error) << "lost";
    SUCCEED();
}
