#include "ColorFileElements.h"

#include "DecimalText.h"
#include "LanguageTable.h"
#include "Prompt.h"
#include "TextHelpers.h"

CXmlElement NumberElement(const std::string& name, int32_t value)
{
    return CXmlElement(name, IntToString(value));
}

CXmlElement ColorElement(const std::string& name, COLORREF color)
{
    return CXmlElement(name, ColorToHexString(static_cast<int32_t>(color)));
}

CXmlElement FlagElement(const std::string& name, uint8_t flag)
{
    return CXmlElement(name, flag == 1 ? "1" : "0");
}

CXmlElement TripleElement(const std::string& name, const ColorTriple& colors)
{
    CXmlElement element(name);
    element.AddAttribute(CXmlAttribute("Text", ColorToHexString(static_cast<int32_t>(colors.text))));
    element.AddAttribute(CXmlAttribute("Border", ColorToHexString(static_cast<int32_t>(colors.border))));
    element.AddAttribute(CXmlAttribute("Background", ColorToHexString(static_cast<int32_t>(colors.background))));
    return element;
}

CXmlElement FontElement(const std::string& name, const CFontHolder& font)
{
    CXmlElement element(name);
    element.AddAttribute(CXmlAttribute("Name", font.faceName));
    element.AddAttribute(CXmlAttribute("Size", IntToString(font.size)));
    element.AddAttribute(CXmlAttribute("Bold", font.bold == 1 ? "1" : "0"));
    return element;
}

void ReadNumber(const CXmlElement& parent, const std::string& name, int32_t& value)
{
    if (const CXmlElement* element = parent.FindChild(name))
        value = DecimalTextToInt(element->value);
}

void ReadColor(const CXmlElement& parent, const std::string& name, COLORREF& color)
{
    if (const CXmlElement* element = parent.FindChild(name))
        color = static_cast<COLORREF>(HexStringToInt(element->value));
}

void ReadFlag(const CXmlElement& parent, const std::string& name, uint8_t& flag)
{
    if (const CXmlElement* element = parent.FindChild(name))
        flag = DecimalTextToInt(element->value) == 1 ? 1 : 0;
}

void ReadTriple(const CXmlElement& parent, const std::string& name, ColorTriple& colors)
{
    const CXmlElement* element = parent.FindChild(name);
    if (element == nullptr)
        return;
    if (const CXmlAttribute* text = element->FindAttribute("Text"))
        colors.text = static_cast<COLORREF>(HexStringToInt(text->value));
    if (const CXmlAttribute* border = element->FindAttribute("Border"))
        colors.border = static_cast<COLORREF>(HexStringToInt(border->value));
    if (const CXmlAttribute* background = element->FindAttribute("Background"))
        colors.background = static_cast<COLORREF>(HexStringToInt(background->value));
}

void ReadFont(const CXmlElement& parent, const std::string& name, CFontHolder& font)
{
    const CXmlElement* element = parent.FindChild(name);
    if (element == nullptr)
        return;
    const CXmlAttribute* face = element->FindAttribute("Name");
    const CXmlAttribute* size = element->FindAttribute("Size");
    const CXmlAttribute* bold = element->FindAttribute("Bold");
    if (face == nullptr || size == nullptr || bold == nullptr)
        return;
    font.Create(face->value, DecimalTextToInt(size->value), DecimalTextToInt(bold->value) == 1 ? 1 : 0);
}

CXmlElement ColorFileRoot(const std::string& name, const std::string& version)
{
    CXmlElement root(name);
    root.AddAttribute(CXmlAttribute("Version", version));
    return root;
}

std::string ColorFileReadFailedText()
{
    return GetLangString(210);
}

std::string ColorFileWriteFailedText()
{
    return std::string(GetLangString(3)) + ": " + GetLangString(209);
}

bool LoadColorDocument(const std::string& path, CXmlDocument& document)
{
    try {
        document.Load(path);
        return true;
    } catch (const XmlFileError&) {
        ShowPrompt(ColorFileReadFailedText());
        return false;
    }
}

bool SaveColorDocument(const std::string& path, const CXmlDocument& document)
{
    try {
        document.Save(path);
        return true;
    } catch (const XmlFileError&) {
        ShowPrompt(ColorFileWriteFailedText());
        return false;
    }
}
