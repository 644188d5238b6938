#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One token of a source file: line number, token type and an owned,
// NUL-terminated copy of its characters (or none at all, which is not the same
// as an empty text).
//
// The text belongs to the token and is released only through it (destructor,
// FreeText, SetText, assignment). It is either a heap block of its own
// (malloc; assigning a malloc'd text to `text` hands it over) or a place in a
// shared block of a TokenTextStore. Never free a token's text directly.
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
    // Forgets the text without releasing it.
    void ClearText() { text = nullptr; }
    // Replaces the text by an own copy of the given characters (nullptr: none).
    void SetText(const char* newText);
};

// Whether the token is one of the words that say when a function or a
// variable is worked out (constexpr, consteval, constinit): names to C++98,
// and nothing the model keeps.
bool IsCompileTimeWord(const PPToken& token);

// Turns a directive-word token into an identifier spelled as the word.
void MakeIdentifierToken(PPToken& token, const char* word);

// Turns every directive word in [first, last) that does not follow '#' into
// an identifier, as the preprocessor does with the words it meets: for the
// tokens a macro puts in place, which it does not meet again, so that
// "VDECL(error, (int))" declares a function named error.
void MakeDirectiveWordsIdentifiers(PPToken* first, PPToken* last);

// Copies token texts into a few large shared blocks instead of one heap
// block per text: for tokens made in bulk, such as a whole file's tokens read
// back from the parse cache. A placed text is handed to exactly one token and
// from then on behaves like any other token text; a block goes when the store
// and every text placed in it are gone, whichever thread releases the last.
class TokenTextStore {
public:
    TokenTextStore() = default;
    ~TokenTextStore();
    TokenTextStore(const TokenTextStore&) = delete;
    TokenTextStore& operator=(const TokenTextStore&) = delete;

    // A NUL-terminated copy of `length` bytes, for one token's `text`.
    char* Place(const char* characters, size_t length);
    // Moves the texts of the tokens that have a heap block of their own into
    // the store's blocks (a text already in a block stays), which saves the
    // heap's per-block overhead on the many short texts of a kept file.
    void Pack(std::vector<PPToken>& tokens);

private:
    void Retire();

    char* block_ = nullptr; // the block being filled
    char* next_ = nullptr; // its first free byte
    size_t placed_ = 0; // texts placed in it
};
