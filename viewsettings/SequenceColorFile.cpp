#include "ColorFileElements.h"
#include "XmlColorFiles.h"

#include <utility>
#include <vector>

namespace {

// The twelve placement numbers in the order the file holds them. The file
// spells the stream box height "StreamBoxSizeHeihgt"; files in use keep it.
const std::vector<std::pair<const char*, int32_t CSequenceSetting::*>> kNumbers = {
    {"StartX", &CSequenceSetting::StartX},
    {"StartY", &CSequenceSetting::StartY},
    {"ObjectSpaceX", &CSequenceSetting::ObjectSpaceX},
    {"ObjectSpaceY", &CSequenceSetting::ObjectSpaceY},
    {"StreamBoxSizeWidth", &CSequenceSetting::StreamBoxSizeWidth},
    {"StreamBoxSizeHeihgt", &CSequenceSetting::StreamBoxSizeHeight},
    {"MinimumObjectDistance", &CSequenceSetting::MinimumObjectDistance},
    {"EachObjectInterval", &CSequenceSetting::EachObjectInterval},
    {"MethodUpperSpace", &CSequenceSetting::MethodUpperSpace},
    {"MethodLowerSpace", &CSequenceSetting::MethodLowerSpace},
    {"ArrowSize", &CSequenceSetting::ArrowSize},
    {"EachStreamSpace", &CSequenceSetting::EachStreamSpace},
};

} // namespace

bool SaveSequenceColorFile(const std::string& path, const CSequenceSetting& setting)
{
    CXmlDocument document;
    CXmlElement& root = document.root = ColorFileRoot("SequenceviewColorXML", "1.0");
    root.AddChild(NumberElement("HighColorShading", setting.HighColorShading));
    root.AddChild(ColorElement("BackGroundColor", setting.BackGroundColor));
    root.AddChild(ColorElement("ArrowLineColor", setting.ArrowLineColor));
    root.AddChild(ColorElement("ObjectMiddleColor", setting.ObjectMiddleColor));
    root.AddChild(TripleElement("ObjectColor", setting.ObjectColor));
    root.AddChild(ColorElement("CallerTextColor", setting.CallerTextColor));
    root.AddChild(TripleElement("CalledColor", setting.CalledColor));
    root.AddChild(FontElement("ObjectFont", setting.ObjectFont));
    root.AddChild(FontElement("CallerFont", setting.CallerFont));
    root.AddChild(FontElement("CalledFont", setting.CalledFont));
    for (const auto& [name, field] : kNumbers)
        root.AddChild(NumberElement(name, setting.*field));
    return SaveColorDocument(path, document);
}

bool LoadSequenceColorFile(const std::string& path, CSequenceSetting& setting)
{
    CXmlDocument document;
    if (!LoadColorDocument(path, document))
        return false;
    const CXmlElement& root = document.root;
    ReadNumber(root, "HighColorShading", setting.HighColorShading);
    ReadColor(root, "BackGroundColor", setting.BackGroundColor);
    ReadColor(root, "ArrowLineColor", setting.ArrowLineColor);
    ReadColor(root, "ObjectMiddleColor", setting.ObjectMiddleColor);
    ReadTriple(root, "ObjectColor", setting.ObjectColor);
    ReadColor(root, "CallerTextColor", setting.CallerTextColor);
    ReadTriple(root, "CalledColor", setting.CalledColor);
    ReadFont(root, "ObjectFont", setting.ObjectFont);
    ReadFont(root, "CallerFont", setting.CallerFont);
    ReadFont(root, "CalledFont", setting.CalledFont);
    for (const auto& [name, field] : kNumbers)
        ReadNumber(root, name, setting.*field);
    return true;
}
