#include "ColorFileFields.h"

#include "AtomicFile.h"
#include "FontSizeLimits.h"
#include "LanguageTable.h"
#include "NumberText.h"
#include "Prompt.h"
#include "TextHelpers.h"
#include "XmlDocument.h"

namespace {

std::string HexText(COLORREF color)
{
    return ColorToHexString(static_cast<int32_t>(color));
}

COLORREF HexColor(const std::string& text)
{
    return static_cast<COLORREF>(HexStringToInt(text));
}

uint8_t FlagOf(const std::string& text)
{
    return DecimalOrZero(text) == 1 ? 1 : 0;
}

} // namespace

void ColorFileWriter::Number(const char* name, int32_t value)
{
    element_.children.emplace_back(name, IntToString(value));
}

void ColorFileWriter::Color(const char* name, COLORREF color)
{
    element_.children.emplace_back(name, HexText(color));
}

void ColorFileWriter::Flag(const char* name, uint8_t flag)
{
    element_.children.emplace_back(name, flag == 1 ? "1" : "0");
}

void ColorFileWriter::Triple(const char* name, const ColorTriple& colors)
{
    element_.children.emplace_back(name).attributes = {
        {"Text", HexText(colors.text)},
        {"Border", HexText(colors.border)},
        {"Background", HexText(colors.background)},
    };
}

void ColorFileWriter::Font(const char* name, const CFontHolder& font)
{
    element_.children.emplace_back(name).attributes = {
        {"Name", font.faceName},
        {"Size", IntToString(font.size)},
        {"Bold", font.bold == 1 ? "1" : "0"},
    };
}

void ColorFileReader::Number(const char* name, int32_t& value) const
{
    if (const CXmlElement* element = element_.FindChild(name))
        value = DecimalOrZero(element->value);
}

void ColorFileReader::Color(const char* name, COLORREF& color) const
{
    if (const CXmlElement* element = element_.FindChild(name))
        color = HexColor(element->value);
}

void ColorFileReader::Flag(const char* name, uint8_t& flag) const
{
    if (const CXmlElement* element = element_.FindChild(name))
        flag = FlagOf(element->value);
}

void ColorFileReader::Triple(const char* name, ColorTriple& colors) const
{
    const CXmlElement* element = element_.FindChild(name);
    if (element == nullptr)
        return;
    if (const CXmlAttribute* text = element->FindAttribute("Text"))
        colors.text = HexColor(text->value);
    if (const CXmlAttribute* border = element->FindAttribute("Border"))
        colors.border = HexColor(border->value);
    if (const CXmlAttribute* background = element->FindAttribute("Background"))
        colors.background = HexColor(background->value);
}

void ColorFileReader::Font(const char* name, CFontHolder& font) const
{
    const CXmlElement* element = element_.FindChild(name);
    if (element == nullptr)
        return;
    const CXmlAttribute* face = element->FindAttribute("Name");
    const CXmlAttribute* size = element->FindAttribute("Size");
    const CXmlAttribute* bold = element->FindAttribute("Bold");
    if (face != nullptr && size != nullptr && bold != nullptr)
        font.Create(face->value, ClampFontSize(DecimalOrZero(size->value)), FlagOf(bold->value));
}

std::string ColorFileText(
    const char* rootName, const char* version, const std::function<void(ColorFileWriter&)>& fields)
{
    CXmlDocument document;
    document.root = CXmlElement(rootName);
    document.root.AddAttribute(CXmlAttribute("Version", version));
    ColorFileWriter writer(document.root);
    fields(writer);
    return document.Format();
}

bool SaveColorFile(const std::string& path, const char* rootName, const char* version,
    const std::function<void(ColorFileWriter&)>& fields)
{
    if (WriteFileAtomically(path, ColorFileText(rootName, version, fields)))
        return true;
    ShowPrompt(ColorFileWriteFailedText());
    return false;
}

bool LoadColorFile(const std::string& path, const std::function<void(ColorFileReader&)>& fields)
{
    CXmlDocument document;
    try {
        document.Load(path);
    } catch (const XmlFileError&) {
        ShowPrompt(ColorFileReadFailedText());
        return false;
    }
    ColorFileReader reader(document.root);
    fields(reader);
    return true;
}

std::string ColorFileReadFailedText()
{
    return GetLangString(210);
}

std::string ColorFileWriteFailedText()
{
    return std::string(GetLangString(3)) + ": " + GetLangString(209);
}
