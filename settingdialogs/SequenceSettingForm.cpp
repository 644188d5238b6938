#include "SequenceSettingForm.h"

#include "FieldRef.h"
#include "XmlColorFiles.h"

SequenceSettingForm::SequenceSettingForm()
{
    constexpr Refresh kRebuild = Refresh::Rebuild;
    CSequenceSetting& w = working;
    choices_ = {{1137, ShadingItems(), FieldRef(w.HighColorShading), kRebuild}};
    colors_ = {
        {1138, FieldRef(w.BackGroundColor), kRebuild},
        {1085, FieldRef(w.ArrowLineColor), kRebuild},
        {1084, FieldRef(w.ObjectMiddleColor), kRebuild},
        {1179, FieldRef(w.ObjectColor.text), kRebuild},
        {1180, FieldRef(w.ObjectColor.border), kRebuild},
        {1181, FieldRef(w.ObjectColor.background), kRebuild},
        {1072, FieldRef(w.CallerTextColor), kRebuild},
        {1073, FieldRef(w.CalledColor.text), kRebuild},
        {1082, FieldRef(w.CalledColor.border), kRebuild},
        {1083, FieldRef(w.CalledColor.background), kRebuild},
    };
    fonts_ = {
        {1182, 1184, 1183, FieldRef(w.ObjectFont), kRebuild},
        {1074, 1077, 1075, FieldRef(w.CallerFont), kRebuild},
        {1079, 1080, 1081, FieldRef(w.CalledFont), kRebuild},
    };
    numbers_ = {
        {1086, FieldRef(w.StartX), kRebuild},
        {1087, FieldRef(w.StartY), kRebuild},
        {1088, FieldRef(w.ObjectSpaceX), kRebuild},
        {1089, FieldRef(w.ObjectSpaceY), kRebuild},
        {1090, FieldRef(w.StreamBoxSizeWidth), kRebuild},
        {1091, FieldRef(w.StreamBoxSizeHeight), kRebuild},
        {1092, FieldRef(w.MinimumObjectDistance), kRebuild},
        {1094, FieldRef(w.EachObjectInterval), kRebuild},
        {1093, FieldRef(w.MethodUpperSpace), kRebuild},
        {1095, FieldRef(w.MethodLowerSpace), kRebuild},
        {1096, FieldRef(w.ArrowSize), kRebuild},
        {1097, FieldRef(w.EachStreamSpace), kRebuild},
    };
}

bool SequenceSettingForm::LoadTheme(const std::string& path)
{
    return LoadSequenceColorFile(path, working);
}

bool SequenceSettingForm::SaveTheme(const std::string& path) const
{
    return SaveSequenceColorFile(path, working);
}
