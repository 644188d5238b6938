#include "NSDSettingForm.h"

#include "FieldRef.h"
#include "XmlColorFiles.h"

NSDSettingForm::NSDSettingForm()
{
    constexpr Refresh kRedraw = Refresh::Redraw;
    constexpr Refresh kRebuild = Refresh::Rebuild;
    CNSDSetting& w = working;
    choices_ = {{1137, ShadingItems(), FieldRef(w.HighColorShading), kRedraw}};
    colors_ = {
        {1094, FieldRef(w.BackGroundColor), kRedraw},
        {1117, FieldRef(w.ExceptionColor), kRedraw},
    };
    flags_ = {{1139, FieldRef(w.ShowTitle), kRebuild}};
    numbers_ = {
        {1118, FieldRef(w.StartX), kRebuild},
        {1119, FieldRef(w.StartY), kRebuild},
        {1134, FieldRef(w.TextMarginWidth), kRebuild},
        {1135, FieldRef(w.TextMarginHeight), kRebuild},
        {1121, FieldRef(w.StatementDistance), kRebuild},
        {1120, FieldRef(w.LoopWidth), kRebuild},
        {1123, FieldRef(w.TryCatchWidth), kRebuild},
        {1124, FieldRef(w.TryCatchHeight), kRebuild},
    };
    struct Row {
        CFontHolder& font;
        ColorTriple& colors;
        int face, bold, size, text, border, background;
    };
    const Row rows[] = {
        {w.TitleFont, w.TitleColor, 1198, 1199, 1200, 1201, 1202, 1203},
        {w.ProcessFont, w.ProcessColor, 1204, 1205, 1206, 1207, 1208, 1209},
        {w.IfFont, w.IfColor, 1210, 1211, 1212, 1213, 1214, 1215},
        {w.IfYesFont, w.IfYesColor, 1216, 1217, 1218, 1219, 1220, 1221},
        {w.IfNoFont, w.IfNoColor, 1222, 1223, 1224, 1225, 1226, 1227},
        {w.SwitchFont, w.SwitchColor, 1228, 1229, 1230, 1231, 1232, 1233},
        {w.CaseFont, w.CaseColor, 1234, 1235, 1236, 1237, 1238, 1239},
        {w.LoopFont, w.LoopColor, 1240, 1241, 1242, 1087, 1169, 1088},
        {w.TryCatchFont, w.TryCatchColor, 1125, 1129, 1130, 1131, 1132, 1133},
    };
    for (const Row& row : rows) {
        fonts_.push_back({row.face, row.bold, row.size, FieldRef(row.font), kRebuild});
        colors_.push_back({row.text, FieldRef(row.colors.text), kRedraw});
        colors_.push_back({row.border, FieldRef(row.colors.border), kRedraw});
        colors_.push_back({row.background, FieldRef(row.colors.background), kRedraw});
    }
}

bool NSDSettingForm::LoadTheme(const std::string& path)
{
    return LoadNSDColorFile(path, working);
}

bool NSDSettingForm::SaveTheme(const std::string& path) const
{
    return SaveNSDColorFile(path, working);
}
