#include "CodeText.h"

#include <algorithm>
#include <array>

namespace {

// The words coloured as keywords. A word is a run of letters, so the entries
// with underscores or digits never match a whole word; they are kept so the
// list reads as the language's reserved words.
constexpr std::array<std::u32string_view, 88> kKeywords = {U"__asm", U"__assume", U"__based",
    U"__cdecl", U"__declspec", U"__except", U"__fastcall", U"__finally", U"__inline", U"__int16",
    U"__int32", U"__int64", U"__int8", U"__leave", U"__multiple_inheritance",
    U"__single_inheritance", U"__stdcall", U"__try", U"__uuidof", U"__virtual_inheritance", U"auto",
    U"bool", U"break", U"case", U"catch", U"char", U"class", U"const", U"const_cast", U"continue",
    U"declaration", U"default", U"delete", U"directive", U"dllexport", U"dllimport", U"do",
    U"double", U"dynamic_cast", U"else", U"enum", U"explicit", U"extern", U"false", U"float",
    U"for", U"friend", U"goto", U"if", U"inline", U"int", U"long", U"mutable", U"naked",
    U"namespace", U"new", U"noreturn", U"operator", U"private", U"protected", U"public",
    U"register", U"reinterpret_cast", U"return", U"short", U"signed", U"sizeof", U"static",
    U"static_cast", U"struct", U"switch", U"template", U"this", U"thread", U"throw", U"true",
    U"try", U"typedef", U"typeid", U"typename", U"union", U"unsigned", U"using", U"uuid",
    U"virtual", U"void", U"volatile", U"while"};

bool IsLetter(char32_t ch)
{
    return (ch >= U'A' && ch <= U'Z') || (ch >= U'a' && ch <= U'z');
}

// The length of a valid UTF-8 sequence at `i` and its code point; 0 when the
// bytes there are no valid sequence (overlong forms and surrogates included).
int DecodeUtf8(std::string_view s, size_t i, char32_t& out)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    int length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + static_cast<size_t>(length) > s.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + static_cast<size_t>(k));
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    out = value;
    return length;
}

} // namespace

std::u32string DecodeSourceText(std::string_view bytes)
{
    std::u32string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        char32_t ch = 0;
        const int length = DecodeUtf8(bytes, i, ch);
        if (length == 0) {
            // Not UTF-8: every byte is one character.
            text.assign(bytes.begin(), bytes.end());
            for (size_t k = 0; k < bytes.size(); ++k)
                text[k] = static_cast<unsigned char>(bytes[k]);
            return text;
        }
        text.push_back(ch);
        i += static_cast<size_t>(length);
    }
    return text;
}

CodeText::CodeText()
{
    SetText({});
}

void CodeText::SetText(std::string_view bytes)
{
    chars_ = DecodeSourceText(bytes);
    chars_ += U"\r\n\r\n";
    lines_.clear();
    int start = 0;
    const int count = static_cast<int>(chars_.size());
    for (int i = 0; i < count; ++i) {
        if (chars_[static_cast<size_t>(i)] == U'\n' || i == count - 1) {
            lines_.push_back({start, i});
            start = i + 1;
        }
    }
    classes_.assign(chars_.size(), kPlain);
    coloured_ = false;
}

const std::vector<uint8_t>& CodeText::Classes()
{
    if (!coloured_)
        Colour();
    return classes_;
}

bool CodeText::IsKeyword(std::u32string_view word)
{
    return std::find(kKeywords.begin(), kKeywords.end(), word) != kKeywords.end();
}

bool CodeText::IsWide(char32_t ch)
{
    return (ch >= 0x1100 && ch <= 0x115F) || (ch >= 0x2E80 && ch <= 0xA4CF && ch != 0x303F) ||
        (ch >= 0xAC00 && ch <= 0xD7A3) || (ch >= 0xF900 && ch <= 0xFAFF) ||
        (ch >= 0xFE30 && ch <= 0xFE4F) || (ch >= 0xFF00 && ch <= 0xFF60) ||
        (ch >= 0xFFE0 && ch <= 0xFFE6) || (ch >= 0x20000 && ch <= 0x3FFFD);
}

// One walk over the text: words of letters that are keywords, block and line
// comments, and string and character literals (a backslash escapes the
// quote, a doubled backslash escapes nothing). What is unfinished at the end
// of the text stays plain.
void CodeText::Colour()
{
    enum class State { Plain, Word, Block, Line, Literal };
    State state = State::Plain;
    size_t start = 0;
    char32_t quote = 0;
    char32_t previous = 0;
    const auto mark = [this](size_t from, size_t to, uint8_t cls) {
        std::fill(classes_.begin() + static_cast<std::ptrdiff_t>(from),
            classes_.begin() + static_cast<std::ptrdiff_t>(to) + 1, cls);
    };
    for (size_t i = 0; i < chars_.size(); ++i) {
        const char32_t ch = chars_[i];
        switch (state) {
        case State::Word:
            if (IsLetter(ch))
                break;
            if (IsKeyword(std::u32string_view(chars_).substr(start, i - start)))
                mark(start, i - 1, kKeyword);
            state = State::Plain;
            [[fallthrough]];
        case State::Plain:
            if (IsLetter(ch)) {
                state = State::Word, start = i;
            } else if (ch == U'"' || ch == U'\'') {
                state = State::Literal, start = i, quote = ch;
                previous = 0;
                continue;
            } else if (ch == U'*' && previous == U'/') {
                state = State::Block, start = i - 1;
                previous = 0; // "/*/" does not end the comment
                continue;
            } else if (ch == U'/' && previous == U'/') {
                state = State::Line, start = i - 1;
            }
            break;
        case State::Block:
            if (ch == U'/' && previous == U'*') {
                mark(start, i, kComment);
                state = State::Plain;
                previous = 0;
                continue;
            }
            break;
        case State::Line:
            if (ch == U'\n') {
                mark(start, i, kComment);
                state = State::Plain;
            }
            break;
        case State::Literal:
            if (ch == quote && previous != U'\\') {
                mark(start, i, kString);
                state = State::Plain;
                previous = 0;
                continue;
            }
            if (ch == U'\\' && previous == U'\\') {
                previous = 0; // an escaped backslash escapes nothing
                continue;
            }
            break;
        }
        previous = ch;
    }
    coloured_ = true;
}

std::vector<CodeText::Cell> CodeText::LayOutLine(
    int line, const std::function<int(char32_t)>& width, int blankWidth, int* rowWidth) const
{
    std::vector<Cell> cells;
    int x = 0;
    int column = 0;
    if (line >= 0 && line < LineCount()) {
        const Line range = lines_[static_cast<size_t>(line)];
        cells.reserve(static_cast<size_t>(range.last - range.first + 1));
        for (int i = range.first; i <= range.last; ++i) {
            const char32_t ch = chars_[static_cast<size_t>(i)];
            if (ch == U'\r' || ch == U'\n')
                continue;
            Cell cell {x, 0, i, ch};
            if (ch == U'\t') {
                const int columns = 4 - column % 4;
                cell.width = columns * blankWidth;
                column += columns;
            } else {
                cell.width = width(ch);
                column += IsWide(ch) ? 2 : 1;
            }
            x += cell.width;
            cells.push_back(cell);
        }
    }
    if (rowWidth != nullptr)
        *rowWidth = x;
    return cells;
}
