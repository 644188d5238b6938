#include "MessageSink.h"

#include <iostream>
#include <mutex>

namespace {

class StandardOutput : public MessageSink {
public:
    void Write(MessageKind, std::string_view line) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // Looked up at each line, so that a redirected stream is followed.
        std::cout << line << std::endl;
    }

private:
    std::mutex mutex_;
};

} // namespace

MessageSink& StandardOutputSink()
{
    static StandardOutput sink;
    return sink;
}

void StreamSink::Write(MessageKind, std::string_view line)
{
    out_ << line << '\n';
}
