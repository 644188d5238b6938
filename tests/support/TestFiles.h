#pragma once

#include "Prompt.h"
#include "TempFolder.h"

#include <string>
#include <utility>
#include <vector>

// Every message shown while it is installed.
class RecordingPrompt : public Prompt {
public:
    RecordingPrompt() : scope_(this) { }
    void Show(PromptKind kind, const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> messages;

private:
    ScopedPrompt scope_;
};

// Makes every file write beyond the given size fail, as a full disk does,
// until the object goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();

private:
    unsigned long oldSoft_;
    void (*oldHandler_)(int);
};
