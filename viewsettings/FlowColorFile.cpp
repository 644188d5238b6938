#include "ColorFileElements.h"
#include "XmlColorFiles.h"

namespace {

CXmlElement LayoutElement(const std::string& name, const CFlowLayout& layout)
{
    CXmlElement element(name);
    element.AddChild(FlagElement("ShowText", layout.ShowText));
    element.AddChild(NumberElement("XSize", layout.XSize));
    element.AddChild(NumberElement("YSize", layout.YSize));
    element.AddChild(NumberElement("XSpace", layout.XSpace));
    element.AddChild(NumberElement("YSpace", layout.YSpace));
    element.AddChild(NumberElement("ArrowSize", layout.ArrowSize));
    element.AddChild(NumberElement("ExplainType", layout.ExplainType));
    element.AddChild(FontElement("StartEndFont", layout.StartEndFont));
    element.AddChild(FontElement("ProcessingFont", layout.ProcessingFont));
    element.AddChild(FontElement("ConditionFont", layout.ConditionFont));
    element.AddChild(FontElement("LoopFont", layout.LoopFont));
    element.AddChild(FontElement("ExplainFont", layout.ExplainFont));
    return element;
}

void ReadLayout(const CXmlElement& root, const std::string& name, CFlowLayout& layout)
{
    const CXmlElement* element = root.FindChild(name);
    if (element == nullptr)
        return;
    ReadFlag(*element, "ShowText", layout.ShowText);
    ReadNumber(*element, "XSize", layout.XSize);
    ReadNumber(*element, "YSize", layout.YSize);
    ReadNumber(*element, "XSpace", layout.XSpace);
    ReadNumber(*element, "YSpace", layout.YSpace);
    ReadNumber(*element, "ArrowSize", layout.ArrowSize);
    ReadNumber(*element, "ExplainType", layout.ExplainType);
    ReadFont(*element, "StartEndFont", layout.StartEndFont);
    ReadFont(*element, "ProcessingFont", layout.ProcessingFont);
    ReadFont(*element, "ConditionFont", layout.ConditionFont);
    ReadFont(*element, "LoopFont", layout.LoopFont);
    ReadFont(*element, "ExplainFont", layout.ExplainFont);
}

} // namespace

bool SaveFlowColorFile(const std::string& path, const CFlowSetting& setting)
{
    CXmlDocument document;
    CXmlElement& root = document.root = ColorFileRoot("FlowviewColorXML", "1.0");
    root.AddChild(NumberElement("HighColorShading", setting.HighColorShading));
    root.AddChild(ColorElement("BackGroundColor", setting.BackGroundColor));
    root.AddChild(ColorElement("NormalLineColor", setting.NormalLineColor));
    root.AddChild(ColorElement("ReturnLineColor", setting.ReturnLineColor));
    root.AddChild(ColorElement("ConditionYesColor", setting.ConditionYesColor));
    root.AddChild(ColorElement("ConditionNoColor", setting.ConditionNoColor));
    root.AddChild(ColorElement("LoopArrowColor", setting.LoopArrowColor));
    root.AddChild(TripleElement("StartEndColor", setting.StartEndColor));
    root.AddChild(TripleElement("ProcessingColor", setting.ProcessingColor));
    root.AddChild(TripleElement("ConditionColor", setting.ConditionColor));
    root.AddChild(TripleElement("LoopColor", setting.LoopColor));
    root.AddChild(LayoutElement("Ratio1x", setting.Ratio1x));
    root.AddChild(LayoutElement("Ratio4x", setting.Ratio4x));
    root.AddChild(LayoutElement("Ratio16x", setting.Ratio16x));
    return SaveColorDocument(path, document);
}

bool LoadFlowColorFile(const std::string& path, CFlowSetting& setting)
{
    CXmlDocument document;
    if (!LoadColorDocument(path, document))
        return false;
    const CXmlElement& root = document.root;
    ReadNumber(root, "HighColorShading", setting.HighColorShading);
    ReadColor(root, "BackGroundColor", setting.BackGroundColor);
    ReadColor(root, "NormalLineColor", setting.NormalLineColor);
    ReadColor(root, "ReturnLineColor", setting.ReturnLineColor);
    ReadColor(root, "ConditionYesColor", setting.ConditionYesColor);
    ReadColor(root, "ConditionNoColor", setting.ConditionNoColor);
    ReadColor(root, "LoopArrowColor", setting.LoopArrowColor);
    ReadTriple(root, "StartEndColor", setting.StartEndColor);
    ReadTriple(root, "ProcessingColor", setting.ProcessingColor);
    ReadTriple(root, "ConditionColor", setting.ConditionColor);
    ReadTriple(root, "LoopColor", setting.LoopColor);
    ReadLayout(root, "Ratio1x", setting.Ratio1x);
    ReadLayout(root, "Ratio4x", setting.Ratio4x);
    ReadLayout(root, "Ratio16x", setting.Ratio16x);
    return true;
}
