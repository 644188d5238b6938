#include "ColorFileElements.h"
#include "XmlColorFiles.h"

#include <utility>
#include <vector>

namespace {

// The numbers, triples and fonts of the record in the order the file holds
// them, so that writing and reading cannot drift apart.
template <typename Setting, typename Field>
using Named = std::vector<std::pair<const char*, Field Setting::*>>;

const Named<CNSDSetting, int32_t> kNumbers = {
    {"StartX", &CNSDSetting::StartX},
    {"StartY", &CNSDSetting::StartY},
    {"LoopWidth", &CNSDSetting::LoopWidth},
    {"TryCatchWidth", &CNSDSetting::TryCatchWidth},
    {"TryCatchHeight", &CNSDSetting::TryCatchHeight},
    {"StatementDistance", &CNSDSetting::StatementDistance},
    {"TextMarginWidth", &CNSDSetting::TextMarginWidth},
    {"TextMarginHeight", &CNSDSetting::TextMarginHeight},
    {"TitleMarginWidth", &CNSDSetting::TitleMarginWidth},
    {"TitleMarginHeight", &CNSDSetting::TitleMarginHeight},
};

const Named<CNSDSetting, ColorTriple> kTriples = {
    {"TitleColor", &CNSDSetting::TitleColor},
    {"ProcessColor", &CNSDSetting::ProcessColor},
    {"IfColor", &CNSDSetting::IfColor},
    {"IfYesColor", &CNSDSetting::IfYesColor},
    {"IfNoColor", &CNSDSetting::IfNoColor},
    {"SwitchColor", &CNSDSetting::SwitchColor},
    {"CaseColor", &CNSDSetting::CaseColor},
    {"LoopColor", &CNSDSetting::LoopColor},
    {"TryCatchColor", &CNSDSetting::TryCatchColor},
};

const Named<CNSDSetting, CFontHolder> kFonts = {
    {"TitleFont", &CNSDSetting::TitleFont},
    {"ProcessFont", &CNSDSetting::ProcessFont},
    {"IfFont", &CNSDSetting::IfFont},
    {"IfYesFont", &CNSDSetting::IfYesFont},
    {"IfNoFont", &CNSDSetting::IfNoFont},
    {"SwitchFont", &CNSDSetting::SwitchFont},
    {"CaseFont", &CNSDSetting::CaseFont},
    {"LoopFont", &CNSDSetting::LoopFont},
    {"TryCatchFont", &CNSDSetting::TryCatchFont},
};

} // namespace

bool SaveNSDColorFile(const std::string& path, const CNSDSetting& setting)
{
    CXmlDocument document;
    CXmlElement& root = document.root = ColorFileRoot("NSDColorXML", "1.0");
    root.AddChild(NumberElement("HighColorShading", setting.HighColorShading));
    root.AddChild(ColorElement("BackGroundColor", setting.BackGroundColor));
    root.AddChild(FlagElement("ShowTitle", setting.ShowTitle));
    for (const auto& [name, field] : kNumbers)
        root.AddChild(NumberElement(name, setting.*field));
    root.AddChild(ColorElement("ExceptionColor", setting.ExceptionColor));
    for (const auto& [name, field] : kTriples)
        root.AddChild(TripleElement(name, setting.*field));
    for (const auto& [name, field] : kFonts)
        root.AddChild(FontElement(name, setting.*field));
    return SaveColorDocument(path, document);
}

bool LoadNSDColorFile(const std::string& path, CNSDSetting& setting)
{
    CXmlDocument document;
    if (!LoadColorDocument(path, document))
        return false;
    const CXmlElement& root = document.root;
    ReadNumber(root, "HighColorShading", setting.HighColorShading);
    ReadColor(root, "BackGroundColor", setting.BackGroundColor);
    ReadFlag(root, "ShowTitle", setting.ShowTitle);
    for (const auto& [name, field] : kNumbers)
        ReadNumber(root, name, setting.*field);
    ReadColor(root, "ExceptionColor", setting.ExceptionColor);
    for (const auto& [name, field] : kTriples)
        ReadTriple(root, name, setting.*field);
    for (const auto& [name, field] : kFonts)
        ReadFont(root, name, setting.*field);
    return true;
}
