#pragma once

#include "MessageSink.h"

#include <string>
#include <vector>

// Keeps every line written, errors apart from the rest.
class RecordingSink : public MessageSink {
public:
    void Write(MessageKind kind, std::string_view line) override
    {
        (kind == MessageKind::Error ? errors : infos).emplace_back(line);
    }
    std::vector<std::string> infos;
    std::vector<std::string> errors;
};
