#include "ColorFileElements.h"
#include "MacroFileKinds.h"
#include "XmlColorFiles.h"

namespace {

CXmlElement ItemElement(const char* name, const ColorTriple& colors, const CFontHolder& font)
{
    CXmlElement element(name);
    element.AddChild(TripleElement("Color", colors));
    element.AddChild(FontElement("Font", font));
    return element;
}

void ReadItem(const CXmlElement& root, const char* name, ColorTriple& colors, CFontHolder& font)
{
    const CXmlElement* element = root.FindChild(name);
    if (element == nullptr)
        return;
    ReadTriple(*element, "Color", colors);
    ReadFont(*element, "Font", font);
}

} // namespace

bool SaveMacroColorFile(const std::string& path, const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    CXmlDocument document;
    CXmlElement& root = document.root = ColorFileRoot("MacroviewColorXML", "1.3");
    root.AddChild(NumberElement("HighColorShading", styles.HighColorShading));
    root.AddChild(NumberElement("UnitSpace", styles.UnitSpace));
    root.AddChild(NumberElement("Grouping", styles.Grouping));
    root.AddChild(ColorElement("BackGroundColor", styles.BackGroundColor));
    root.AddChild(NumberElement("ContentType", styles.ContentType));
    root.AddChild(ColorElement("ContentColor", styles.ContentColor));
    root.AddChild(NumberElement("PublicType", styles.PublicType));
    // Files in use spell the public colour "PubllcColor"; it stays so.
    root.AddChild(ColorElement("PubllcColor", styles.PublicColor));
    root.AddChild(NumberElement("ProtectedType", styles.ProtectedType));
    root.AddChild(ColorElement("ProtectedColor", styles.ProtectedColor));
    root.AddChild(NumberElement("PrivateType", styles.PrivateType));
    root.AddChild(ColorElement("PrivateColor", styles.PrivateColor));
    root.AddChild(ItemElement("UnknownType", styles.defaultColors, fonts.defaultFont));
    for (const MacroFileKind& item : kMacroFileKinds)
        root.AddChild(ItemElement(item.name, styles.GetColors(item.kind), fonts.GetItemFont(item.kind)));
    return SaveColorDocument(path, document);
}

bool LoadMacroColorFile(const std::string& path, CVisualSetting& fonts, ElementStyleTable& styles)
{
    CXmlDocument document;
    if (!LoadColorDocument(path, document))
        return false;
    const CXmlElement& root = document.root;
    ReadNumber(root, "HighColorShading", styles.HighColorShading);
    ReadNumber(root, "UnitSpace", styles.UnitSpace);
    ReadNumber(root, "Grouping", styles.Grouping);
    ReadColor(root, "BackGroundColor", styles.BackGroundColor);
    ReadNumber(root, "ContentType", styles.ContentType);
    ReadColor(root, "ContentColor", styles.ContentColor);
    ReadNumber(root, "PublicType", styles.PublicType);
    ReadColor(root, "PubllcColor", styles.PublicColor);
    ReadNumber(root, "ProtectedType", styles.ProtectedType);
    ReadColor(root, "ProtectedColor", styles.ProtectedColor);
    ReadNumber(root, "PrivateType", styles.PrivateType);
    ReadColor(root, "PrivateColor", styles.PrivateColor);
    ReadItem(root, "UnknownType", styles.defaultColors, fonts.defaultFont);
    for (const MacroFileKind& item : kMacroFileKinds)
        ReadItem(root, item.name, styles.GetColors(item.kind), fonts.GetItemFont(item.kind));
    return true;
}
