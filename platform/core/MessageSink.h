#pragma once

#include <sstream>
#include <string>
#include <string_view>

// What a message line is about; a sink may show kinds differently.
enum class MessageKind {
    Info, // progress and results of a run
    Error, // a file or step that failed
    Verbose, // details written only when asked for
};

// Where the libraries write their message lines (the log of a run, the dump).
// A line is handed over whole, without its line end; a sink never splits a
// line nor mixes it with a line another thread writes at the same time.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Write(MessageKind kind, std::string_view line) = 0;
};

// The standard output stream: each line is written with a newline and a
// flush under one lock shared by every thread.
MessageSink& StandardOutputSink();

// Lines appended to a stream of the caller's (tests, dumps to a file).
class StreamSink : public MessageSink {
public:
    explicit StreamSink(std::ostream& out) : out_(out) { }
    void Write(MessageKind kind, std::string_view line) override;

private:
    std::ostream& out_;
};

// Builds one line with << and hands it to the sink when it goes:
//     MessageLine(sink) << "Parsing : " << path;
class MessageLine {
public:
    explicit MessageLine(MessageSink& sink, MessageKind kind = MessageKind::Info)
        : sink_(sink), kind_(kind)
    {
    }
    // A line that cannot be handed over (the memory ran out while it was
    // copied or stored) is dropped: there is nowhere left to tell of it, and
    // the program goes on.
    ~MessageLine()
    {
        try {
            sink_.Write(kind_, text_.str());
        } catch (...) {
        }
    }
    MessageLine(const MessageLine&) = delete;
    MessageLine& operator=(const MessageLine&) = delete;

    template <typename T> MessageLine& operator<<(const T& value)
    {
        text_ << value;
        return *this;
    }

private:
    MessageSink& sink_;
    MessageKind kind_;
    std::ostringstream text_;
};
