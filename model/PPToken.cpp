#include "PPToken.h"

#include "TokenType.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// A text in a store's block starts at an odd address; a text of its own heap
// block at an even one (malloc aligns to at least alignof(max_align_t)).
static_assert(alignof(std::max_align_t) % 2 == 0);

constexpr size_t kBlockSize = size_t {1} << 16;
// Longer texts get a heap block of their own.
constexpr size_t kLongestPlacedText = kBlockSize / 16;

// The head of a store's block, at its (block-aligned) start. `holds` starts
// at the most texts a block can take plus one for the store; the store gives
// back the part it did not use when it moves on, each text one when it goes.
struct TextBlockHead {
    std::atomic<size_t> holds;
};

constexpr size_t kTextsStart = sizeof(TextBlockHead);
constexpr size_t kMostTexts = kBlockSize;

bool InStoreBlock(const char* text)
{
    return (reinterpret_cast<uintptr_t>(text) & 1) != 0;
}

void Release(TextBlockHead* head, size_t holds)
{
    if (head->holds.fetch_sub(holds, std::memory_order_acq_rel) == holds) {
        head->~TextBlockHead();
        std::free(head);
    }
}

void ReleaseText(char* text)
{
    if (!text) {
        return;
    }
    if (InStoreBlock(text)) {
        auto* head = reinterpret_cast<TextBlockHead*>(
            reinterpret_cast<uintptr_t>(text) & ~(uintptr_t {kBlockSize} - 1));
        Release(head, 1);
    } else {
        std::free(text);
    }
}

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

PPToken::PPToken(PPToken&& other) noexcept : line(other.line), type(other.type), text(other.text)
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
    ReleaseText(text);
    text = nullptr;
}

void PPToken::SetText(const char* newText)
{
    char* copy = DuplicateText(newText);
    FreeText();
    text = copy;
}

bool IsCompileTimeWord(const PPToken& token)
{
    // Most names are ruled out by their first letter.
    return token.type == IDENTIFIER && token.text != nullptr && token.text[0] == 'c' &&
        (std::strcmp(token.text, "constexpr") == 0 || std::strcmp(token.text, "consteval") == 0 ||
            std::strcmp(token.text, "constinit") == 0);
}

void MakeIdentifierToken(PPToken& token, const char* word)
{
    token.type = IDENTIFIER;
    token.SetText(word);
}

void MakeDirectiveWordsIdentifiers(PPToken* first, PPToken* last)
{
    int32_t previous = -1;
    for (PPToken* token = first; token != last; ++token) {
        const int32_t type = token->type;
        if (previous != SHARP) {
            if (const char* word = DirectiveOnlyWordSpelling(type)) {
                MakeIdentifierToken(*token, word);
            }
        }
        previous = type;
    }
}

TokenTextStore::~TokenTextStore()
{
    Retire();
}

void TokenTextStore::Retire()
{
    if (block_) {
        // Keep the holds of the texts placed; give back the rest and the
        // store's own.
        Release(reinterpret_cast<TextBlockHead*>(block_), kMostTexts + 1 - placed_);
        block_ = next_ = nullptr;
        placed_ = 0;
    }
}

char* TokenTextStore::Place(const char* characters, size_t length)
{
    if (length > kLongestPlacedText) {
        return DuplicateText(characters, length);
    }
    // An odd start, the characters and the NUL.
    auto fits = [&] {
        if (!block_) {
            return false;
        }
        const size_t pad = (reinterpret_cast<uintptr_t>(next_) & 1) ? 0 : 1;
        return static_cast<size_t>(block_ + kBlockSize - next_) >= pad + length + 1;
    };
    if (!fits()) {
        Retire();
        void* memory = std::aligned_alloc(kBlockSize, kBlockSize);
        if (!memory) {
            throw std::bad_alloc();
        }
        new (memory) TextBlockHead {kMostTexts + 1};
        block_ = static_cast<char*>(memory);
        next_ = block_ + kTextsStart;
    }
    if ((reinterpret_cast<uintptr_t>(next_) & 1) == 0) {
        ++next_;
    }
    char* text = next_;
    std::memcpy(text, characters, length);
    text[length] = '\0';
    next_ += length + 1;
    ++placed_;
    return text;
}

void TokenTextStore::Pack(std::vector<PPToken>& tokens)
{
    for (PPToken& token : tokens) {
        if (token.text == nullptr || InStoreBlock(token.text)) {
            continue;
        }
        const size_t length = std::strlen(token.text);
        if (length > kLongestPlacedText) {
            continue;
        }
        char* placed = Place(token.text, length);
        std::free(token.text);
        token.text = placed;
    }
}
