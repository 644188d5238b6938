#include "ColorFileFields.h"
#include "XmlColorFiles.h"

namespace {

// Setting is const when writing.
template <typename Fields, typename Setting> void NSDFields(Fields& f, Setting& s)
{
    f.Number("HighColorShading", s.HighColorShading);
    f.Color("BackGroundColor", s.BackGroundColor);
    f.Flag("ShowTitle", s.ShowTitle);
    f.Number("StartX", s.StartX);
    f.Number("StartY", s.StartY);
    f.Number("LoopWidth", s.LoopWidth);
    f.Number("TryCatchWidth", s.TryCatchWidth);
    f.Number("TryCatchHeight", s.TryCatchHeight);
    f.Number("StatementDistance", s.StatementDistance);
    f.Number("TextMarginWidth", s.TextMarginWidth);
    f.Number("TextMarginHeight", s.TextMarginHeight);
    f.Number("TitleMarginWidth", s.TitleMarginWidth);
    f.Number("TitleMarginHeight", s.TitleMarginHeight);
    f.Color("ExceptionColor", s.ExceptionColor);
    f.Triple("TitleColor", s.TitleColor);
    f.Triple("ProcessColor", s.ProcessColor);
    f.Triple("IfColor", s.IfColor);
    f.Triple("IfYesColor", s.IfYesColor);
    f.Triple("IfNoColor", s.IfNoColor);
    f.Triple("SwitchColor", s.SwitchColor);
    f.Triple("CaseColor", s.CaseColor);
    f.Triple("LoopColor", s.LoopColor);
    f.Triple("TryCatchColor", s.TryCatchColor);
    f.Font("TitleFont", s.TitleFont);
    f.Font("ProcessFont", s.ProcessFont);
    f.Font("IfFont", s.IfFont);
    f.Font("IfYesFont", s.IfYesFont);
    f.Font("IfNoFont", s.IfNoFont);
    f.Font("SwitchFont", s.SwitchFont);
    f.Font("CaseFont", s.CaseFont);
    f.Font("LoopFont", s.LoopFont);
    f.Font("TryCatchFont", s.TryCatchFont);
}

} // namespace

bool SaveNSDColorFile(const std::string& path, const CNSDSetting& setting)
{
    return SaveColorFile(path, "NSDColorXML", "1.0", [&](auto& f) { NSDFields(f, setting); });
}

std::string NSDColorFileText(const CNSDSetting& setting)
{
    return ColorFileText("NSDColorXML", "1.0", [&](auto& f) { NSDFields(f, setting); });
}

bool LoadNSDColorFile(const std::string& path, CNSDSetting& setting)
{
    return LoadColorFile(path, [&](auto& f) { NSDFields(f, setting); });
}
