#pragma once

#include <cstddef>
#include <cstdint>

// One token of a source file: line number, token type and an owned,
// NUL-terminated copy of its characters (or none at all, which is not the same
// as an empty text).
struct PPToken {
    int32_t line = 0;
    int32_t type = 0;
    char* text = nullptr;

    PPToken() = default;
    PPToken(int32_t line, int32_t type, const char* text);
    // Takes the text of a known length (need not be NUL-terminated).
    PPToken(int32_t line, int32_t type, const char* text, size_t length);
    PPToken(const PPToken& other);
    PPToken(PPToken&& other) noexcept;
    PPToken& operator=(const PPToken& other);
    PPToken& operator=(PPToken&& other) noexcept;
    ~PPToken() { FreeText(); }

    // Frees the text and leaves none.
    void FreeText();
    // Forgets the text without freeing it (its characters now belong elsewhere).
    void ClearText() { text = nullptr; }
    // Replaces the text by an own copy of the given characters (nullptr: none).
    void SetText(const char* newText);
};

// Turns a directive-word token into an identifier spelled as the word.
void MakeIdentifierToken(PPToken& token, const char* word);
