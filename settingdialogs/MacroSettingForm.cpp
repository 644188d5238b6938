#include "MacroSettingForm.h"

#include "FieldRef.h"
#include "MacroViewDefaults.h"
#include "TextColorFile.h"
#include "XmlColorFiles.h"

#include <cctype>

MacroSettingForm::MacroSettingForm()
{
    SetMacroViewDefaults(working.fonts, working.styles);
    constexpr Refresh kRedraw = Refresh::Redraw;
    constexpr Refresh kRebuild = Refresh::Rebuild;
    ElementStyleTable& s = working.styles;
    const std::vector<std::string> marks = {"Nothing", "Font", "Border", "Background"};
    std::vector<std::string> contentMarks = marks;
    contentMarks.push_back("Symbol");
    choices_ = {
        {1137, ShadingItems(), FieldRef(s.HighColorShading), kRedraw},
        {1127, NumberItems(0, 32), FieldRef(s.UnitSpace), kRebuild},
        {1154, {"None", "Grouping", "Border Grouping"}, FieldRef(s.Grouping), kRebuild},
        {1117, contentMarks, FieldRef(s.ContentType), kRedraw},
        {1119, marks, FieldRef(s.PublicType), kRedraw},
        {1121, marks, FieldRef(s.ProtectedType), kRedraw},
        {1123, marks, FieldRef(s.PrivateType), kRedraw},
    };
    colors_ = {
        {1094, FieldRef(s.BackGroundColor), kRedraw},
        {1118, FieldRef(s.ContentColor), kRedraw},
        {1120, FieldRef(s.PublicColor), kRedraw},
        {1122, FieldRef(s.ProtectedColor), kRedraw},
        {1124, FieldRef(s.PrivateColor), kRedraw},
    };
    struct Row {
        int kind; // 0: the default entry
        int face, bold, size, text, border, background;
    };
    const Row rows[] = {
        {8, 1068, 1076, 1069, 1070, 1078, 1071},
        {4, 1072, 1077, 1073, 1074, 1110, 1075},
        {5, 1080, 1079, 1081, 1082, 1111, 1083},
        {6, 1084, 1092, 1085, 1086, 1112, 1087},
        {12, 1088, 1093, 1089, 1090, 1113, 1091},
        {18, 1096, 1095, 1097, 1098, 1114, 1099},
        {7, 1100, 1108, 1101, 1102, 1115, 1103},
        {kUnknownRow, 1104, 1109, 1105, 1106, 1116, 1107},
    };
    // The pair's maps are replaced whole by a theme or the snapshot, so the
    // entries are looked up at each change.
    for (const Row& row : rows) {
        const int kind = row.kind;
        auto font = [this, kind]() -> CFontHolder& {
            return kind == kUnknownRow ? working.fonts.defaultFont
                                       : working.fonts.GetItemFont(kind);
        };
        auto colors = [this, kind]() -> ColorTriple& {
            return kind == kUnknownRow ? working.styles.defaultColors
                                       : working.styles.GetColors(kind);
        };
        fonts_.push_back({row.face, row.bold, row.size, font, kRebuild});
        colors_.push_back({row.text, [colors]() -> COLORREF& { return colors().text; }, kRedraw});
        colors_.push_back(
            {row.border, [colors]() -> COLORREF& { return colors().border; }, kRedraw});
        colors_.push_back(
            {row.background, [colors]() -> COLORREF& { return colors().background; }, kRedraw});
    }
}

void MacroSettingForm::TakeSnapshot()
{
    snapshot.fonts = working.fonts;
    snapshot.styles = working.styles;
}

void MacroSettingForm::RestoreSnapshot()
{
    working.fonts = snapshot.fonts;
    working.styles = snapshot.styles;
}

bool MacroSettingForm::LoadTheme(const std::string& path)
{
    std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".cif")
        return LoadColorInfoFile(path, working.fonts, working.styles);
    return LoadMacroColorFile(path, working.fonts, working.styles);
}

bool MacroSettingForm::SaveTheme(const std::string& path) const
{
    return SaveMacroColorFile(path, working.fonts, working.styles);
}
