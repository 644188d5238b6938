#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The text the code window shows: the file's characters, split into lines,
// with the colour class of every character and the places of the characters
// on a row. Kept apart from the window so that it can be checked without one.
//
// A file is read as UTF-8 when it is valid UTF-8, otherwise one character per
// byte (Latin-1). Two line ends are appended to every text, so that a text
// without a final line end still shows its last line. The text is kept as
// its bytes, and a character is known by the index of its first byte: a
// file of 50 MB takes some 100 MB here with its colour classes.
class CodeText {
public:
    // Colour classes of characters.
    enum CharClass : uint8_t { kPlain = 0, kKeyword = 1, kComment = 2, kString = 3 };

    // A line: the index of its first character and of its last one (the line
    // feed, or the text's last character).
    struct Line {
        int first = 0;
        int last = 0;
    };

    // One drawn character of a row: its x from the row's start (before
    // horizontal scrolling), its width, and the character index it begins at.
    struct Cell {
        int x = 0;
        int width = 0;
        int index = 0;
        char32_t ch = 0;
    };

    CodeText();

    // Replaces the text (bytes as read, carriage returns already removed or
    // not: they are never drawn).
    void SetText(std::string_view bytes);

    // The text's bytes.
    const std::string& Bytes() const { return bytes_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    Line GetLine(int line) const { return lines_[static_cast<size_t>(line)]; }

    // The classes of the characters, worked out on first use after SetText:
    // one a byte, a character's at the index of its first byte.
    const std::vector<uint8_t>& Classes();
    // How many characters of the line are drawn (all but its line end).
    int DrawnCount(int line) const;

    // Measures one character.
    using CharWidth = std::function<int(char32_t)>;

    // The cells of a line: carriage returns and line feeds take no room; a
    // tab reaches the next stop of every four columns (each column a blank's
    // width); a wide character (CJK) counts as two columns. `width` measures
    // one character. Also returns the row's whole width in `rowWidth`.
    std::vector<Cell> LayOutLine(
        int line, const CharWidth& width, int blankWidth, int* rowWidth = nullptr) const;

    // The widest row with these widths. Remembers, along every long line,
    // where a walk over it may start, so that the calls below look only at
    // the part of a line of megabytes that they need; they must be given the
    // same widths until the rows are measured again.
    int MeasureRows(const CharWidth& width, int blankWidth);
    // The cells of a line that may meet the x range from `left` to `right`
    // (before horizontal scrolling): a few more at either end, none of the
    // rest.
    std::vector<Cell> LayOutPart(
        int line, const CharWidth& width, int blankWidth, int left, int right) const;
    // The x of a column's character (the columns are the drawn characters
    // of a line), or of the end of the row for a column beyond it.
    int ColumnX(int line, int column, const CharWidth& width, int blankWidth) const;
    // The column whose character boundary is nearest to x, or the column
    // after the row's last character when x lies beyond it.
    int ColumnNear(int line, int x, const CharWidth& width, int blankWidth) const;

    // The word is one of the keywords coloured as such.
    static bool IsKeyword(std::string_view word);
    // The character is shown two columns wide.
    static bool IsWide(char32_t ch);

private:
    // Where a walk over a line stands before one of its cells: the cell's
    // character index, its x, the tab column counter and the number of
    // cells before it. A long line keeps one for every kMarkStep cells.
    struct Mark {
        int index = 0;
        int x = 0;
        int column = 0;
        int drawn = 0;
    };
    static constexpr int kMarkStep = 4096;

    void Colour();
    // The character at byte `i` and the number of its bytes.
    char32_t CharAt(size_t i, int& length) const;
    // Calls visit(cell, mark before it) for the line's cells from the mark
    // `mark` on, while it returns true; returns the x after the last cell
    // visited.
    template <typename Visit>
    int Walk(int line, size_t mark, const CharWidth& width, int blankWidth, Visit visit) const;
    // The last mark of the line whose x is at most `x`; 0 when there is none.
    size_t MarkBefore(int line, int x) const;

    std::string bytes_;
    bool utf8_ = true; // else one character a byte
    std::vector<Line> lines_;
    std::vector<uint8_t> classes_;
    bool coloured_ = false;
    std::unordered_map<int, std::vector<Mark>> marks_; // of the long lines
};

// Bytes read as UTF-8 when they are valid UTF-8, otherwise as Latin-1.
std::u32string DecodeSourceText(std::string_view bytes);
