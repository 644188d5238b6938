#include "TestFiles.h"

#include "LanguageTable.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

FileSizeLimit::FileSizeLimit(unsigned long bytes)
{
    rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    oldSoft_ = limit.rlim_cur;
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = oldSoft_;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler_);
}

namespace {

// The texts of the messages come from language.ini beside the test program.
class LanguageEnvironment : public ::testing::Environment {
public:
    void SetUp() override { LoadLanguageFile(); }
    void TearDown() override { FreeLanguageFile(); }
};

const auto* const languageEnvironment = ::testing::AddGlobalTestEnvironment(new LanguageEnvironment);

} // namespace
