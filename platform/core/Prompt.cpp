#include "Prompt.h"

#include <atomic>
#include <cstdio>

namespace {

std::atomic<Prompt*> installedPrompt {nullptr};

const char* KindLabel(PromptKind kind)
{
    switch (kind) {
    case PromptKind::Info:
        return "Info";
    case PromptKind::Warning:
        return "Warning";
    case PromptKind::Error:
        break;
    }
    return "Error";
}

} // namespace

void ShowPrompt(const std::string& text, PromptKind kind)
{
    Prompt* prompt = installedPrompt.load();
    if (prompt != nullptr) {
        prompt->Show(kind, text);
        return;
    }
    std::fprintf(stderr, "Kestrin %s: %s\n", KindLabel(kind), text.c_str());
    std::fflush(stderr);
}

Prompt* SetPrompt(Prompt* prompt)
{
    return installedPrompt.exchange(prompt);
}
