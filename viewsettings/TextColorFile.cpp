#include "TextColorFile.h"

#include "AtomicFile.h"
#include "ColorFileFields.h"
#include "DecimalText.h"
#include "MacroFileKinds.h"
#include "Prompt.h"

#include <array>
#include <cstdio>

namespace {

constexpr size_t kMaxColorInfoFileSize = 1024 * 1024;

// Reads the file's text the way the format is scanned: words and numbers
// separated by white space, and whole lines. Line ends may be CR LF or LF.
class ColorInfoScanner {
public:
    explicit ColorInfoScanner(std::string text) : text_(std::move(text)) {}

    // The rest of the current line, without its line end; false at the end
    // of the text.
    bool ReadLine(std::string& line)
    {
        if (pos_ >= text_.size())
            return false;
        size_t end = text_.find('\n', pos_);
        if (end == std::string::npos)
            end = text_.size();
        line.assign(text_, pos_, end - pos_);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        pos_ = end < text_.size() ? end + 1 : end;
        return true;
    }

    // One word of any characters but white space; false when none is left.
    bool SkipWord()
    {
        SkipWhiteSpace();
        size_t start = pos_;
        while (pos_ < text_.size() && !IsWhiteSpace(text_[pos_]))
            ++pos_;
        return pos_ > start;
    }

    bool ReadNumber(int32_t& value)
    {
        size_t used = 0;
        if (!ScanDecimal(std::string_view(text_).substr(pos_), value, used))
            return false;
        pos_ += used;
        return true;
    }

    // A word (whatever it says) and then `count` numbers.
    bool ReadKeyAndNumbers(int32_t* values, size_t count)
    {
        if (!SkipWord())
            return false;
        for (size_t i = 0; i < count; ++i) {
            if (!ReadNumber(values[i]))
                return false;
        }
        return true;
    }

private:
    static bool IsWhiteSpace(char c)
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

    void SkipWhiteSpace()
    {
        while (pos_ < text_.size() && IsWhiteSpace(text_[pos_]))
            ++pos_;
    }

    std::string text_;
    size_t pos_ = 0;
};

COLORREF ColorFromNumbers(int32_t red, int32_t green, int32_t blue)
{
    int64_t value = (int64_t(red) % 256 + 256) % 256 + int64_t(green) * 256 + int64_t(blue) * 65536;
    return static_cast<COLORREF>(static_cast<uint64_t>(value));
}

struct FontValues {
    std::string face;
    int32_t size = 0;
    int32_t bold = 0;
};

using Rgb = std::array<int32_t, 3>;
using RgbTriple = std::array<int32_t, 9>;

// Everything the file holds, gathered before any of it is applied.
struct ColorInfoValues {
    bool hasGrouping = false;
    int32_t shading = 0, unitSpace = 0, grouping = 0;
    int32_t contentType = 0, publicType = 0, protectedType = 0, privateType = 0;
    Rgb background{}, contentColor{}, publicColor{}, protectedColor{}, privateColor{};
    std::array<RgbTriple, 8> triples{}; // the default entry, then the kinds in file order
    std::array<FontValues, 8> fonts{};
};

COLORREF ColorOf(const Rgb& rgb)
{
    return ColorFromNumbers(rgb[0], rgb[1], rgb[2]);
}

ColorTriple TripleOf(const RgbTriple& n)
{
    return ColorTriple{ColorFromNumbers(n[0], n[1], n[2]), ColorFromNumbers(n[3], n[4], n[5]),
                       ColorFromNumbers(n[6], n[7], n[8])};
}

bool ScanColorInfo(ColorInfoScanner& scanner, ColorInfoValues& v)
{
    std::string header;
    if (!scanner.ReadLine(header))
        return false;
    // From version 1.2 on a "Grouping" line follows "UnitSpace".
    v.hasGrouping = !header.empty() && static_cast<unsigned char>(header.back()) >= '2';

    auto one = [&scanner](int32_t& value) { return scanner.ReadKeyAndNumbers(&value, 1); };
    auto rgb = [&scanner](Rgb& value) { return scanner.ReadKeyAndNumbers(value.data(), value.size()); };
    if (!one(v.shading) || !one(v.unitSpace) || (v.hasGrouping && !one(v.grouping))
        || !rgb(v.background) || !one(v.contentType) || !rgb(v.contentColor)
        || !one(v.publicType) || !rgb(v.publicColor) || !one(v.protectedType)
        || !rgb(v.protectedColor) || !one(v.privateType) || !rgb(v.privateColor))
        return false;
    for (RgbTriple& triple : v.triples) {
        if (!scanner.ReadKeyAndNumbers(triple.data(), triple.size()))
            return false;
    }
    for (FontValues& font : v.fonts) {
        // The end of the previous line, the key line, the face line.
        std::string rest, key;
        if (!scanner.ReadLine(rest) || !scanner.ReadLine(key) || !scanner.ReadLine(font.face))
            return false;
        if (!scanner.ReadNumber(font.size) || !scanner.ReadNumber(font.bold))
            return false;
    }
    return true;
}

void ApplyColorInfo(const ColorInfoValues& v, CVisualSetting& fonts, ElementStyleTable& styles)
{
    styles.HighColorShading = v.shading;
    styles.UnitSpace = v.unitSpace;
    styles.Grouping = v.hasGrouping ? v.grouping : 0;
    styles.BackGroundColor = ColorOf(v.background);
    styles.ContentType = v.contentType;
    styles.ContentColor = ColorOf(v.contentColor);
    styles.PublicType = v.publicType;
    styles.PublicColor = ColorOf(v.publicColor);
    styles.ProtectedType = v.protectedType;
    styles.ProtectedColor = ColorOf(v.protectedColor);
    styles.PrivateType = v.privateType;
    styles.PrivateColor = ColorOf(v.privateColor);

    styles.defaultColors = TripleOf(v.triples[0]);
    for (size_t i = 0; i < kMacroFileKinds.size(); ++i)
        styles.GetColors(kMacroFileKinds[i].kind) = TripleOf(v.triples[i + 1]);

    auto create = [](CFontHolder& holder, const FontValues& font) {
        holder.Create(font.face, font.size, font.bold == 1 ? 1 : 0);
    };
    create(fonts.defaultFont, v.fonts[0]);
    for (size_t i = 0; i < kMacroFileKinds.size(); ++i)
        create(fonts.GetItemFont(kMacroFileKinds[i].kind), v.fonts[i + 1]);
}

} // namespace

std::string FormatColor(COLORREF color)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%d %d %d", GetRValue(color), GetGValue(color), GetBValue(color));
    return buffer;
}

bool LoadColorInfoFile(const std::string& path, CVisualSetting& fonts, ElementStyleTable& styles)
{
    std::string text;
    ReadResult read = ReadWholeFile(path, text, kMaxColorInfoFileSize);
    if (read == ReadResult::CannotOpen)
        return false;
    ColorInfoValues values;
    ColorInfoScanner scanner(std::move(text));
    if (read != ReadResult::Ok || !ScanColorInfo(scanner, values)) {
        ShowPrompt(ColorFileReadFailedText());
        return false;
    }
    ApplyColorInfo(values, fonts, styles);
    return true;
}

bool SaveColorInfoFile(const std::string& path, const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    std::string out = "Color Information File Version 1.2\r\n";
    auto number = [&out](const char* key, int32_t value) {
        out += key;
        out += ' ';
        out += std::to_string(value);
        out += "\r\n";
    };
    auto color = [&out](const char* key, COLORREF value) {
        out += key;
        out += ' ';
        out += FormatColor(value);
        out += "\r\n";
    };
    auto triple = [&out](const std::string& key, const ColorTriple& colors, bool last) {
        out += key + ' ' + FormatColor(colors.text) + ' ' + FormatColor(colors.border) + ' '
            + FormatColor(colors.background) + (last ? "\r\n" : " \r\n");
    };
    auto font = [&out](const std::string& key, const CFontHolder& holder) {
        out += key + "\r\n" + holder.faceName + "\r\n" + std::to_string(holder.size) + ' '
            + (holder.bold == 1 ? "1" : "0") + "\r\n";
    };

    number("HighColorShading", styles.HighColorShading);
    number("UnitSpace", styles.UnitSpace);
    number("Grouping", styles.Grouping);
    color("BackGroundColor", styles.BackGroundColor);
    number("ContentType", styles.ContentType);
    color("ContentColor", styles.ContentColor);
    number("PublicType", styles.PublicType);
    // Files in use spell the public colour "PubllcColor"; it stays so.
    color("PubllcColor", styles.PublicColor);
    number("ProtectedType", styles.ProtectedType);
    color("ProtectedColor", styles.ProtectedColor);
    number("PrivateType", styles.PrivateType);
    color("PrivateColor", styles.PrivateColor);

    triple("DefaultColor", styles.defaultColors, false);
    for (size_t i = 0; i < kMacroFileKinds.size(); ++i) {
        const MacroFileKind& item = kMacroFileKinds[i];
        triple(std::string(item.name) + "Color", styles.GetColors(item.kind), i + 1 == kMacroFileKinds.size());
    }
    font("DefaultFont", fonts.defaultFont);
    for (const MacroFileKind& item : kMacroFileKinds)
        font(std::string(item.name) + "Font", fonts.GetItemFont(item.kind));

    if (WriteFileAtomically(path, out))
        return true;
    ShowPrompt(ColorFileWriteFailedText());
    return false;
}
