#include "ColorFileFields.h"
#include "XmlColorFiles.h"

namespace {

// Layout and Setting are const when writing.
template <typename Fields, typename Layout> void LayoutFields(Fields& f, Layout& layout)
{
    f.Flag("ShowText", layout.ShowText);
    f.Number("XSize", layout.XSize);
    f.Number("YSize", layout.YSize);
    f.Number("XSpace", layout.XSpace);
    f.Number("YSpace", layout.YSpace);
    f.Number("ArrowSize", layout.ArrowSize);
    f.Number("ExplainType", layout.ExplainType);
    f.Font("StartEndFont", layout.StartEndFont);
    f.Font("ProcessingFont", layout.ProcessingFont);
    f.Font("ConditionFont", layout.ConditionFont);
    f.Font("LoopFont", layout.LoopFont);
    f.Font("ExplainFont", layout.ExplainFont);
}

template <typename Fields, typename Setting> void FlowFields(Fields& f, Setting& s)
{
    f.Number("HighColorShading", s.HighColorShading);
    f.Color("BackGroundColor", s.BackGroundColor);
    f.Color("NormalLineColor", s.NormalLineColor);
    f.Color("ReturnLineColor", s.ReturnLineColor);
    f.Color("ConditionYesColor", s.ConditionYesColor);
    f.Color("ConditionNoColor", s.ConditionNoColor);
    f.Color("LoopArrowColor", s.LoopArrowColor);
    f.Triple("StartEndColor", s.StartEndColor);
    f.Triple("ProcessingColor", s.ProcessingColor);
    f.Triple("ConditionColor", s.ConditionColor);
    f.Triple("LoopColor", s.LoopColor);
    f.Group("Ratio1x", [&](Fields& g) { LayoutFields(g, s.Ratio1x); });
    f.Group("Ratio4x", [&](Fields& g) { LayoutFields(g, s.Ratio4x); });
    f.Group("Ratio16x", [&](Fields& g) { LayoutFields(g, s.Ratio16x); });
}

} // namespace

bool SaveFlowColorFile(const std::string& path, const CFlowSetting& setting)
{
    return SaveColorFile(path, "FlowviewColorXML", "1.0", [&](auto& f) { FlowFields(f, setting); });
}

std::string FlowColorFileText(const CFlowSetting& setting)
{
    return ColorFileText("FlowviewColorXML", "1.0", [&](auto& f) { FlowFields(f, setting); });
}

bool LoadFlowColorFile(const std::string& path, CFlowSetting& setting)
{
    return LoadColorFile(path, [&](auto& f) { FlowFields(f, setting); });
}
