#include "CodeText.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <unordered_set>

namespace {

// The words coloured as keywords. A word is a run of letters, so the entries
// with underscores or digits never match a whole word; they are kept so the
// list reads as the language's reserved words.
constexpr std::array<std::string_view, 88> kKeywords = {"__asm", "__assume", "__based", "__cdecl",
    "__declspec", "__except", "__fastcall", "__finally", "__inline", "__int16", "__int32",
    "__int64", "__int8", "__leave", "__multiple_inheritance", "__single_inheritance", "__stdcall",
    "__try", "__uuidof", "__virtual_inheritance", "auto", "bool", "break", "case", "catch", "char",
    "class", "const", "const_cast", "continue", "declaration", "default", "delete", "directive",
    "dllexport", "dllimport", "do", "double", "dynamic_cast", "else", "enum", "explicit", "extern",
    "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable", "naked",
    "namespace", "new", "noreturn", "operator", "private", "protected", "public", "register",
    "reinterpret_cast", "return", "short", "signed", "sizeof", "static", "static_cast", "struct",
    "switch", "template", "this", "thread", "throw", "true", "try", "typedef", "typeid", "typename",
    "union", "unsigned", "using", "uuid", "virtual", "void", "volatile", "while"};

bool IsLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
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

// The text is valid UTF-8 throughout.
bool IsUtf8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        char32_t ch = 0;
        const int length = DecodeUtf8(bytes, i, ch);
        if (length == 0)
            return false;
        i += static_cast<size_t>(length);
    }
    return true;
}

// Appends the decoded bytes to `text`.
void DecodeInto(std::u32string& text, std::string_view bytes)
{
    const size_t start = text.size();
    for (size_t i = 0; i < bytes.size();) {
        char32_t ch = 0;
        const int length = DecodeUtf8(bytes, i, ch);
        if (length == 0) {
            // Not UTF-8: every byte is one character.
            text.resize(start);
            for (const char byte : bytes)
                text.push_back(static_cast<unsigned char>(byte));
            return;
        }
        text.push_back(ch);
        i += static_cast<size_t>(length);
    }
}

} // namespace

std::u32string DecodeSourceText(std::string_view bytes)
{
    std::u32string text;
    text.reserve(bytes.size());
    DecodeInto(text, bytes);
    return text;
}

CodeText::CodeText()
{
    SetText({});
}

void CodeText::SetText(std::string_view bytes)
{
    // The old text goes first, so that two texts of a large file are never
    // held at once.
    bytes_.clear();
    bytes_.shrink_to_fit();
    classes_.clear();
    classes_.shrink_to_fit();
    marks_.clear();
    bytes_.reserve(bytes.size() + 4);
    bytes_.append(bytes);
    bytes_ += "\r\n\r\n";
    utf8_ = IsUtf8(bytes_);
    lines_.clear();
    int start = 0;
    const int count = static_cast<int>(bytes_.size());
    for (int i = 0; i < count; ++i) {
        if (bytes_[static_cast<size_t>(i)] == '\n' || i == count - 1) {
            lines_.push_back({start, i});
            start = i + 1;
        }
    }
    classes_.assign(bytes_.size(), kPlain);
    coloured_ = false;
}

char32_t CodeText::CharAt(size_t i, int& length) const
{
    char32_t ch = static_cast<unsigned char>(bytes_[i]);
    length = 1;
    if (utf8_ && ch >= 0x80)
        length = std::max(1, DecodeUtf8(bytes_, i, ch));
    return ch;
}

int CodeText::DrawnCount(int line) const
{
    if (line < 0 || line >= LineCount())
        return 0;
    const Line range = lines_[static_cast<size_t>(line)];
    int drawn = 0;
    for (int i = range.first; i <= range.last;) {
        int length = 1;
        const char32_t ch = CharAt(static_cast<size_t>(i), length);
        if (ch != U'\r' && ch != U'\n')
            ++drawn;
        i += length;
    }
    return drawn;
}

const std::vector<uint8_t>& CodeText::Classes()
{
    if (!coloured_)
        Colour();
    return classes_;
}

bool CodeText::IsKeyword(std::string_view word)
{
    // Looked up for every word of the text: a long name of words joined by
    // underscores has millions of them.
    static const std::unordered_set<std::string_view> keywords(kKeywords.begin(), kKeywords.end());
    static const size_t longest =
        std::max_element(kKeywords.begin(), kKeywords.end(), [](auto a, auto b) {
            return a.size() < b.size();
        })->size();
    return word.size() <= longest && keywords.count(word) > 0;
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
    char quote = 0;
    char previous = 0;
    const auto mark = [this](size_t from, size_t to, uint8_t cls) {
        std::fill(classes_.begin() + static_cast<std::ptrdiff_t>(from),
            classes_.begin() + static_cast<std::ptrdiff_t>(to) + 1, cls);
    };
    for (size_t i = 0; i < bytes_.size(); ++i) {
        const char ch = bytes_[i];
        switch (state) {
        case State::Word:
            if (IsLetter(ch))
                break;
            if (IsKeyword(std::string_view(bytes_).substr(start, i - start)))
                mark(start, i - 1, kKeyword);
            state = State::Plain;
            [[fallthrough]];
        case State::Plain:
            if (IsLetter(ch)) {
                state = State::Word, start = i;
            } else if (ch == '"' || ch == '\'') {
                state = State::Literal, start = i, quote = ch;
                previous = 0;
                continue;
            } else if (ch == '*' && previous == '/') {
                state = State::Block, start = i - 1;
                previous = 0; // "/*/" does not end the comment
                continue;
            } else if (ch == '/' && previous == '/') {
                state = State::Line, start = i - 1;
            }
            break;
        case State::Block:
            if (ch == '/' && previous == '*') {
                mark(start, i, kComment);
                state = State::Plain;
                previous = 0;
                continue;
            }
            break;
        case State::Line:
            if (ch == '\n') {
                mark(start, i, kComment);
                state = State::Plain;
            }
            break;
        case State::Literal:
            if (ch == quote && previous != '\\') {
                mark(start, i, kString);
                state = State::Plain;
                previous = 0;
                continue;
            }
            if (ch == '\\' && previous == '\\') {
                previous = 0; // an escaped backslash escapes nothing
                continue;
            }
            break;
        }
        previous = ch;
    }
    coloured_ = true;
}

template <typename Visit>
int CodeText::Walk(int line, size_t mark, const CharWidth& width, int blankWidth, Visit visit) const
{
    if (line < 0 || line >= LineCount())
        return 0;
    const Line range = lines_[static_cast<size_t>(line)];
    Mark at {range.first, 0, 0, 0};
    if (mark > 0) {
        const auto found = marks_.find(line);
        if (found != marks_.end() && mark < found->second.size())
            at = found->second[mark];
    }
    // A walk may cover millions of characters: each ASCII character's width
    // is asked once.
    std::array<int, 128> ascii;
    constexpr int kUnknown = std::numeric_limits<int>::min();
    ascii.fill(kUnknown);
    for (int length = 1; at.index <= range.last; at.index += length) {
        const char32_t ch = CharAt(static_cast<size_t>(at.index), length);
        if (ch == U'\r' || ch == U'\n')
            continue;
        Cell cell {at.x, 0, at.index, ch};
        int columns = 1;
        if (ch == U'\t') {
            columns = 4 - at.column % 4;
            cell.width = columns * blankWidth;
        } else if (ch < ascii.size()) {
            int& known = ascii[ch];
            if (known == kUnknown)
                known = width(ch);
            cell.width = known;
        } else {
            cell.width = width(ch);
            columns = IsWide(ch) ? 2 : 1;
        }
        if (!visit(cell, at))
            return at.x;
        at.x += cell.width;
        at.column += columns;
        ++at.drawn;
    }
    return at.x;
}

size_t CodeText::MarkBefore(int line, int x) const
{
    const auto found = marks_.find(line);
    if (found == marks_.end())
        return 0;
    const std::vector<Mark>& marks = found->second;
    const auto after = std::upper_bound(
        marks.begin(), marks.end(), x, [](int value, const Mark& mark) { return value < mark.x; });
    return after == marks.begin() ? 0 : static_cast<size_t>(after - marks.begin() - 1);
}

std::vector<CodeText::Cell> CodeText::LayOutLine(
    int line, const CharWidth& width, int blankWidth, int* rowWidth) const
{
    std::vector<Cell> cells;
    if (line >= 0 && line < LineCount()) {
        const Line range = lines_[static_cast<size_t>(line)];
        cells.reserve(static_cast<size_t>(range.last - range.first + 1));
    }
    const int x = Walk(line, 0, width, blankWidth, [&](const Cell& cell, const Mark&) {
        cells.push_back(cell);
        return true;
    });
    if (rowWidth != nullptr)
        *rowWidth = x;
    return cells;
}

int CodeText::MeasureRows(const CharWidth& width, int blankWidth)
{
    marks_.clear();
    int widest = 0;
    for (int line = 0; line < LineCount(); ++line) {
        const Line range = lines_[static_cast<size_t>(line)];
        const bool isLong = range.last - range.first + 1 > kMarkStep;
        std::vector<Mark> marks;
        const int row = Walk(line, 0, width, blankWidth, [&](const Cell&, const Mark& at) {
            if (isLong && at.drawn % kMarkStep == 0)
                marks.push_back(at);
            return true;
        });
        widest = std::max(widest, row);
        if (marks.size() > 1)
            marks_.emplace(line, std::move(marks));
    }
    return widest;
}

std::vector<CodeText::Cell> CodeText::LayOutPart(
    int line, const CharWidth& width, int blankWidth, int left, int right) const
{
    std::vector<Cell> cells;
    Walk(line, MarkBefore(line, left), width, blankWidth, [&](const Cell& cell, const Mark&) {
        if (cell.x > right)
            return false;
        cells.push_back(cell);
        return true;
    });
    return cells;
}

int CodeText::ColumnX(int line, int column, const CharWidth& width, int blankWidth) const
{
    std::optional<int> x;
    const size_t mark = column > 0 ? static_cast<size_t>(column / kMarkStep) : 0;
    const int end = Walk(line, mark, width, blankWidth, [&](const Cell& cell, const Mark& at) {
        if (at.drawn < column)
            return true;
        x = cell.x;
        return false;
    });
    return x.value_or(end);
}

int CodeText::ColumnNear(int line, int x, const CharWidth& width, int blankWidth) const
{
    std::optional<int> column;
    std::optional<Cell> previous;
    int drawn = 0;
    Walk(line, MarkBefore(line, x), width, blankWidth, [&](const Cell& cell, const Mark& at) {
        if (cell.x > x) {
            const bool nearerBefore = previous && x - previous->x < cell.x - x;
            column = nearerBefore ? at.drawn - 1 : at.drawn;
            return false;
        }
        previous = cell;
        drawn = at.drawn + 1;
        return true;
    });
    return column.value_or(drawn);
}
