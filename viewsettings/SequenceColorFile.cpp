#include "ColorFileFields.h"
#include "XmlColorFiles.h"

namespace {

// Setting is const when writing. The file spells the stream box height
// "StreamBoxSizeHeihgt"; files in use keep it.
template <typename Fields, typename Setting> void SequenceFields(Fields& f, Setting& s)
{
    f.Number("HighColorShading", s.HighColorShading);
    f.Color("BackGroundColor", s.BackGroundColor);
    f.Color("ArrowLineColor", s.ArrowLineColor);
    f.Color("ObjectMiddleColor", s.ObjectMiddleColor);
    f.Triple("ObjectColor", s.ObjectColor);
    f.Color("CallerTextColor", s.CallerTextColor);
    f.Triple("CalledColor", s.CalledColor);
    f.Font("ObjectFont", s.ObjectFont);
    f.Font("CallerFont", s.CallerFont);
    f.Font("CalledFont", s.CalledFont);
    f.Number("StartX", s.StartX);
    f.Number("StartY", s.StartY);
    f.Number("ObjectSpaceX", s.ObjectSpaceX);
    f.Number("ObjectSpaceY", s.ObjectSpaceY);
    f.Number("StreamBoxSizeWidth", s.StreamBoxSizeWidth);
    f.Number("StreamBoxSizeHeihgt", s.StreamBoxSizeHeight);
    f.Number("MinimumObjectDistance", s.MinimumObjectDistance);
    f.Number("EachObjectInterval", s.EachObjectInterval);
    f.Number("MethodUpperSpace", s.MethodUpperSpace);
    f.Number("MethodLowerSpace", s.MethodLowerSpace);
    f.Number("ArrowSize", s.ArrowSize);
    f.Number("EachStreamSpace", s.EachStreamSpace);
}

} // namespace

std::string SequenceColorFileText(const CSequenceSetting& setting)
{
    return ColorFileText(
        "SequenceviewColorXML", "1.0", [&](auto& f) { SequenceFields(f, setting); });
}

bool SaveSequenceColorFile(const std::string& path, const CSequenceSetting& setting)
{
    return SaveColorFile(
        path, "SequenceviewColorXML", "1.0", [&](auto& f) { SequenceFields(f, setting); });
}

bool LoadSequenceColorFile(const std::string& path, CSequenceSetting& setting)
{
    return LoadColorFile(path, [&](auto& f) { SequenceFields(f, setting); });
}
