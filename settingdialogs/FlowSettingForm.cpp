#include "FlowSettingForm.h"

#include "FieldRef.h"
#include "XmlColorFiles.h"

const std::array<FlowSettingForm::LevelControls, 3>& FlowSettingForm::Levels()
{
    static const std::array<LevelControls, 3> levels = {{
        {1135, 1170, 1179,
            {1076, 1077, 1156, 1160, 1079, 1161, 1165, 1081, 1082, 1167, 1168, 1086, 1105, 1188,
                1106},
            1069},
        {1136, 1171, 1186,
            {1078, 1080, 1172, 1173, 1090, 1174, 1175, 1091, 1092, 1176, 1177, 1093, 1107, 1189,
                1108},
            1070},
        {1138, 1178, 1187,
            {1096, 1097, 1180, 1181, 1098, 1182, 1183, 1099, 1100, 1184, 1185, 1101, 1109, 1190,
                1110},
            1071},
    }};
    return levels;
}

std::vector<int> FlowSettingForm::TextControls(const LevelControls& level)
{
    std::vector<int> ids(level.fontControls.begin(), level.fontControls.end());
    ids.push_back(level.explain);
    return ids;
}

CFlowLayout& FlowSettingForm::Level(size_t index)
{
    return index == 0 ? working.Ratio1x : index == 1 ? working.Ratio4x : working.Ratio16x;
}

FlowSettingForm::FlowSettingForm()
{
    constexpr Refresh kRebuild = Refresh::Rebuild;
    CFlowSetting& w = working;
    colors_ = {
        {1104, FieldRef(w.BackGroundColor), kRebuild},
        {1113, FieldRef(w.NormalLineColor), kRebuild},
        {1115, FieldRef(w.ReturnLineColor), kRebuild},
        {1114, FieldRef(w.LoopArrowColor), kRebuild},
        {1111, FieldRef(w.ConditionYesColor), kRebuild},
        {1112, FieldRef(w.ConditionNoColor), kRebuild},
        {1157, FieldRef(w.StartEndColor.text), kRebuild},
        {1158, FieldRef(w.StartEndColor.border), kRebuild},
        {1159, FieldRef(w.StartEndColor.background), kRebuild},
        {1162, FieldRef(w.ProcessingColor.text), kRebuild},
        {1163, FieldRef(w.ProcessingColor.border), kRebuild},
        {1164, FieldRef(w.ProcessingColor.background), kRebuild},
        {1083, FieldRef(w.ConditionColor.text), kRebuild},
        {1166, FieldRef(w.ConditionColor.border), kRebuild},
        {1084, FieldRef(w.ConditionColor.background), kRebuild},
        {1087, FieldRef(w.LoopColor.text), kRebuild},
        {1169, FieldRef(w.LoopColor.border), kRebuild},
        {1088, FieldRef(w.LoopColor.background), kRebuild},
    };
    choices_ = {{1137, ShadingItems(), FieldRef(w.HighColorShading), kRebuild}};

    const std::array<std::array<int, 4>, 3> numberIds = {{
        {1129, 1130, 1131, 1132},
        {1133, 1134, 1139, 1140},
        {1141, 1142, 1143, 1144},
    }};
    const std::array<int, 3> arrowIds = {1072, 1073, 1074};
    for (size_t l = 0; l < Levels().size(); ++l) {
        const LevelControls& ids = Levels()[l];
        CFlowLayout& level = Level(l);
        flags_.push_back({ids.showText, FieldRef(level.ShowText), kRebuild});
        numbers_.push_back({numberIds[l][0], FieldRef(level.XSize), kRebuild});
        numbers_.push_back({numberIds[l][1], FieldRef(level.YSize), kRebuild});
        numbers_.push_back({numberIds[l][2], FieldRef(level.XSpace), kRebuild});
        numbers_.push_back({numberIds[l][3], FieldRef(level.YSpace), kRebuild});
        choices_.push_back({arrowIds[l], NumberItems(0, 50), FieldRef(level.ArrowSize), kRebuild});
        choices_.push_back(
            {ids.explain, {"None", "Short", "Full"}, FieldRef(level.ExplainType), kRebuild});
        CFontHolder* fonts[] = {&level.StartEndFont, &level.ProcessingFont, &level.ConditionFont,
            &level.LoopFont, &level.ExplainFont};
        for (size_t f = 0; f < 5; ++f) {
            fonts_.push_back({ids.fontControls[f * 3], ids.fontControls[f * 3 + 1],
                ids.fontControls[f * 3 + 2], FieldRef(*fonts[f]), kRebuild});
        }
    }
}

bool FlowSettingForm::LoadTheme(const std::string& path)
{
    return LoadFlowColorFile(path, working);
}

bool FlowSettingForm::SaveTheme(const std::string& path) const
{
    return SaveFlowColorFile(path, working);
}
