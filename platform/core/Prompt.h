#pragma once

#include <string>

// Short messages for the user that need no answer: a failed colour file, a
// file that cannot be opened. Code below the user interface reports through
// ShowPrompt; the application points the service at a message box, tests at a
// recorder. Until then messages go to the standard error stream.

enum class PromptKind { Info, Warning, Error };

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual void Show(PromptKind kind, const std::string& text) = 0;
};

// Shows the text through the installed service (the standard error stream
// when none is installed).
void ShowPrompt(const std::string& text, PromptKind kind = PromptKind::Error);

// Installs a service (nullptr restores the standard error stream) and returns
// the one installed before. The caller keeps ownership.
Prompt* SetPrompt(Prompt* prompt);

// Installs a service for the lifetime of this object and then puts the
// previous one back.
class ScopedPrompt {
public:
    explicit ScopedPrompt(Prompt* prompt) : previous_(SetPrompt(prompt)) { }
    ~ScopedPrompt() { SetPrompt(previous_); }
    ScopedPrompt(const ScopedPrompt&) = delete;
    ScopedPrompt& operator=(const ScopedPrompt&) = delete;

private:
    Prompt* previous_;
};
