#include "Prompt.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

TEST(PromptService, RecorderSeesMessagesAndScopesNest)
{
    RecordingPrompt outer;
    ShowPrompt("one");
    {
        RecordingPrompt inner;
        ShowPrompt("two", PromptKind::Info);
        EXPECT_EQ(inner.messages, std::vector<std::string> {"two"});
    }
    ShowPrompt("three");
    EXPECT_EQ(outer.messages, (std::vector<std::string> {"one", "three"}));
}

TEST(PromptService, WithoutServiceWritesToStandardError)
{
    Prompt* previous = SetPrompt(nullptr);
    ::testing::internal::CaptureStderr();
    ShowPrompt("The colour file could not be read.");
    std::string written = ::testing::internal::GetCapturedStderr();
    SetPrompt(previous);
    EXPECT_NE(written.find("Error: The colour file could not be read."), std::string::npos);
}
