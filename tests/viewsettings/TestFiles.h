#pragma once

#include "Prompt.h"

#include <string>
#include <utility>
#include <vector>

// A fresh folder under the temporary directory, removed with its content
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // The names of the files in the folder, sorted.
    std::vector<std::string> Names() const;

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Every message shown while it is installed.
class RecordingPrompt : public Prompt {
public:
    RecordingPrompt() : scope_(this) {}
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
