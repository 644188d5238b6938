#include "TextColorFile.h"

#include "AtomicFile.h"
#include "ColorFileFields.h"
#include "TextHelpers.h"
#include "MacroFileFields.h"
#include "MacroSizeLimits.h"
#include "NumberText.h"
#include "Prompt.h"
#include "TextLines.h"

#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr size_t kMaxColorInfoFileSize = 1024 * 1024;

// Fonts and Styles are const when writing. After the global values come a
// line of three colours per entry, then three lines per font; the last colour
// line alone has no blank before its line end.
template <typename Fields, typename Fonts, typename Styles>
void ColorInfoFields(Fields& f, Fonts& fonts, Styles& styles)
{
    MacroGlobalFields(f, styles);
    f.Triple("DefaultColor", styles.defaultColors, false);
    for (const MacroFileKind& item : kMacroFileKinds)
        f.Triple(std::string(item.name) + "Color", styles.GetColors(item.kind),
            &item == &kMacroFileKinds.back());
    f.Font("DefaultFont", fonts.defaultFont);
    for (const MacroFileKind& item : kMacroFileKinds)
        f.Font(std::string(item.name) + "Font", fonts.GetItemFont(item.kind));
}

class ColorInfoWriter {
public:
    void Number(std::string_view key, int32_t value) { Line(key, std::to_string(value)); }
    void Color(std::string_view key, COLORREF color) { Line(key, FormatColor(color)); }

    void Triple(std::string_view key, const ColorTriple& colors, bool last)
    {
        Line(key,
            FormatColor(colors.text) + ' ' + FormatColor(colors.border) + ' ' +
                FormatColor(colors.background) + (last ? "" : " "));
    }

    void Font(std::string_view key, const CFontHolder& font)
    {
        text.append(key).append("\r\n").append(font.faceName).append("\r\n");
        text.append(std::to_string(font.size)).append(font.bold == 1 ? " 1\r\n" : " 0\r\n");
    }

    std::string text = "Color Information File Version 1.2\r\n";

private:
    void Line(std::string_view key, const std::string& values)
    {
        text.append(key).append(" ").append(values).append("\r\n");
    }
};

COLORREF ColorFromNumbers(const int32_t* rgb)
{
    int64_t value =
        (int64_t(rgb[0]) % 256 + 256) % 256 + int64_t(rgb[1]) * 256 + int64_t(rgb[2]) * 65536;
    return static_cast<COLORREF>(static_cast<uint64_t>(value));
}

// Reads the values by position: a key word is skipped whatever it says,
// numbers and words are separated by white space, font faces are whole lines
// (CR LF or LF). From the first value that is missing or not a number on,
// nothing more is read and Ok() is false. Fonts are only noted; Apply makes
// them.
class ColorInfoReader {
public:
    explicit ColorInfoReader(std::string text) : text_(std::move(text))
    {
        std::string header;
        ok_ = ReadLine(header);
        // From version 1.2 on a "Grouping" line follows "UnitSpace".
        hasGrouping_ = !header.empty() && static_cast<unsigned char>(header.back()) >= '2';
    }

    bool Ok() const { return ok_; }

    // A file before version 1.2 has no grouping line; its grouping is 0.
    void Number(std::string_view key, int32_t& value)
    {
        if (key == "Grouping" && !hasGrouping_)
            value = 0;
        else
            ReadKeyAndNumbers(&value, 1);
    }

    void Color(std::string_view, COLORREF& color)
    {
        int32_t rgb[3];
        if (ReadKeyAndNumbers(rgb, 3))
            color = ColorFromNumbers(rgb);
    }

    void Triple(std::string_view, ColorTriple& colors, bool)
    {
        int32_t n[9];
        if (ReadKeyAndNumbers(n, 9))
            colors =
                ColorTriple {ColorFromNumbers(n), ColorFromNumbers(n + 3), ColorFromNumbers(n + 6)};
    }

    // The end of the previous line, the key line, the face line, then size
    // and bold.
    void Font(std::string_view, CFontHolder& font)
    {
        Pending& next = fonts_.emplace_back();
        next.holder = &font;
        std::string rest, key;
        ok_ = ok_ && ReadLine(rest) && ReadLine(key) && ReadLine(next.face) &&
            ReadNumber(next.size) && ReadNumber(next.bold);
    }

    // Makes the fonts read.
    void Apply() const
    {
        for (const Pending& font : fonts_)
            font.holder->Create(font.face, font.size, font.bold == 1 ? 1 : 0);
    }

private:
    struct Pending {
        CFontHolder* holder = nullptr;
        std::string face;
        int32_t size = 0;
        int32_t bold = 0;
    };

    static bool IsWhiteSpace(char c)
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

    // The rest of the current line, without its line end; false at the end
    // of the text.
    bool ReadLine(std::string& line)
    {
        if (pos_ >= text_.size())
            return false;
        line = NextLine(text_, pos_);
        return true;
    }

    bool ReadNumber(int32_t& value)
    {
        const std::optional<NumberRead> number = ReadDecimal(std::string_view(text_).substr(pos_));
        if (!number)
            return false;
        value = number->value;
        pos_ += number->length;
        return true;
    }

    // A word of any characters but white space, then `count` numbers.
    bool ReadKeyAndNumbers(int32_t* values, size_t count)
    {
        while (pos_ < text_.size() && IsWhiteSpace(text_[pos_]))
            ++pos_;
        size_t start = pos_;
        while (pos_ < text_.size() && !IsWhiteSpace(text_[pos_]))
            ++pos_;
        ok_ = ok_ && pos_ > start;
        for (size_t i = 0; ok_ && i < count; ++i)
            ok_ = ReadNumber(values[i]);
        return ok_;
    }

    std::string text_;
    size_t pos_ = 0;
    bool ok_ = false;
    bool hasGrouping_ = false;
    std::vector<Pending> fonts_;
};

} // namespace

std::string FormatColor(COLORREF color)
{
    char buffer[40];
    std::snprintf(
        buffer, sizeof buffer, "%d %d %d", GetRValue(color), GetGValue(color), GetBValue(color));
    return buffer;
}

bool LoadColorInfoFile(const std::string& path, CVisualSetting& fonts, ElementStyleTable& styles)
{
    std::string text;
    if (ReadWholeFile(path, text, kMaxColorInfoFileSize) == ReadResult::CannotOpen)
        return false;
    // A file that could not be read whole arrives empty and fails at its header.
    ColorInfoReader reader(std::move(text));
    ElementStyleTable read = styles;
    ColorInfoFields(reader, fonts, read);
    if (!reader.Ok()) {
        ShowPrompt(ColorFileReadFailedText());
        return false;
    }
    styles = read;
    reader.Apply();
    ClampMacroSizes(fonts, styles);
    return true;
}

std::string ColorInfoFileText(const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    ColorInfoWriter writer;
    ColorInfoFields(writer, fonts, styles);
    return writer.text;
}

bool SaveColorInfoFile(
    const std::string& path, const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    if (WriteFileAtomically(path, ColorInfoFileText(fonts, styles)))
        return true;
    ShowPrompt(ColorFileWriteFailedText());
    return false;
}
