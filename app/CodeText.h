#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The text the code window shows: the file's characters, split into lines,
// with the colour class of every character and the places of the characters
// on a row. Kept apart from the window so that it can be checked without one.
//
// A file is read as UTF-8 when it is valid UTF-8, otherwise one character per
// byte (Latin-1). Two line ends are appended to every text, so that a text
// without a final line end still shows its last line.
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

    const std::u32string& Chars() const { return chars_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    Line GetLine(int line) const { return lines_[static_cast<size_t>(line)]; }

    // The classes of the characters, worked out on first use after SetText.
    const std::vector<uint8_t>& Classes();

    // The cells of a line: carriage returns and line feeds take no room; a
    // tab reaches the next stop of every four columns (each column a blank's
    // width); a wide character (CJK) counts as two columns. `width` measures
    // one character. Also returns the row's whole width in `rowWidth`.
    std::vector<Cell> LayOutLine(int line, const std::function<int(char32_t)>& width,
        int blankWidth, int* rowWidth = nullptr) const;

    // The word is one of the keywords coloured as such.
    static bool IsKeyword(std::u32string_view word);
    // The character is shown two columns wide.
    static bool IsWide(char32_t ch);

private:
    void Colour();

    std::u32string chars_;
    std::vector<Line> lines_;
    std::vector<uint8_t> classes_;
    bool coloured_ = false;
};

// Bytes read as UTF-8 when they are valid UTF-8, otherwise as Latin-1.
std::u32string DecodeSourceText(std::string_view bytes);
