#include "PPToken.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

char* DuplicateText(const char* text, size_t length)
{
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy == nullptr)
        throw std::bad_alloc();
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

char* DuplicateText(const char* text)
{
    return text ? DuplicateText(text, std::strlen(text)) : nullptr;
}

} // namespace

PPToken::PPToken(int32_t line, int32_t type, const char* text)
    : line(line), type(type), text(DuplicateText(text))
{
}

PPToken::PPToken(int32_t line, int32_t type, const char* text, size_t length)
    : line(line), type(type), text(DuplicateText(text, length))
{
}

PPToken::PPToken(const PPToken& other)
    : line(other.line), type(other.type), text(DuplicateText(other.text))
{
}

PPToken::PPToken(PPToken&& other) noexcept
    : line(other.line), type(other.type), text(other.text)
{
    other.text = nullptr;
}

PPToken& PPToken::operator=(const PPToken& other)
{
    if (this != &other) {
        char* copy = DuplicateText(other.text);
        FreeText();
        line = other.line;
        type = other.type;
        text = copy;
    }
    return *this;
}

PPToken& PPToken::operator=(PPToken&& other) noexcept
{
    if (this != &other) {
        FreeText();
        line = other.line;
        type = other.type;
        text = other.text;
        other.text = nullptr;
    }
    return *this;
}

void PPToken::FreeText()
{
    std::free(text);
    text = nullptr;
}

void PPToken::SetText(const char* newText)
{
    char* copy = DuplicateText(newText);
    FreeText();
    text = copy;
}

void MakeIdentifierToken(PPToken& token, const char* word)
{
    token.type = 46; // IDENTIFIER
    token.SetText(word);
}
