#include "SettingCompare.h"


#include <sstream>
#include <type_traits>

namespace {

// Shows bytes as numbers, everything else as it is.
template <typename T>
auto Printable(const T& value)
{
    if constexpr (std::is_integral_v<T>)
        return +value;
    else
        return value;
}

// Collects the first difference.
class Differ {
public:
    template <typename T>
    Differ& Value(const char* name, const T& a, const T& b)
    {
        if (diff_.empty() && !(a == b)) {
            std::ostringstream out;
            out << name << ": " << Printable(a) << " != " << Printable(b);
            diff_ = out.str();
        }
        return *this;
    }
    Differ& Triple(const char* name, const ColorTriple& a, const ColorTriple& b)
    {
        Value((std::string(name) + ".text").c_str(), a.text, b.text);
        Value((std::string(name) + ".border").c_str(), a.border, b.border);
        return Value((std::string(name) + ".background").c_str(), a.background, b.background);
    }
    Differ& Font(const std::string& name, const CFontHolder& a, const CFontHolder& b)
    {
        if (diff_.empty()) {
            std::string d = DiffFonts(a, b);
            if (!d.empty())
                diff_ = name + "." + d;
        }
        return *this;
    }
    Differ& Text(const std::string& d)
    {
        if (diff_.empty())
            diff_ = d;
        return *this;
    }
    std::string Result() const { return diff_; }

private:
    std::string diff_;
};

std::string DiffLayouts(const char* name, const CFlowLayout& a, const CFlowLayout& b)
{
    std::string n = name;
    return Differ()
        .Value((n + ".ShowText").c_str(), a.ShowText, b.ShowText)
        .Font(n + ".StartEndFont", a.StartEndFont, b.StartEndFont)
        .Font(n + ".ProcessingFont", a.ProcessingFont, b.ProcessingFont)
        .Font(n + ".ConditionFont", a.ConditionFont, b.ConditionFont)
        .Font(n + ".LoopFont", a.LoopFont, b.LoopFont)
        .Font(n + ".ExplainFont", a.ExplainFont, b.ExplainFont)
        .Value((n + ".XSize").c_str(), a.XSize, b.XSize)
        .Value((n + ".YSize").c_str(), a.YSize, b.YSize)
        .Value((n + ".XSpace").c_str(), a.XSpace, b.XSpace)
        .Value((n + ".YSpace").c_str(), a.YSpace, b.YSpace)
        .Value((n + ".ArrowSize").c_str(), a.ArrowSize, b.ArrowSize)
        .Value((n + ".ExplainType").c_str(), a.ExplainType, b.ExplainType)
        .Result();
}

COLORREF Colour(int salt, int n)
{
    return static_cast<COLORREF>((0x102030 + salt * 0x0F0E0D + n * 0x010203) & 0xFFFFFF);
}

void ChangeFont(CFontHolder& font, int salt, int n)
{
    static const char* faces[] = {"DejaVu Sans", "Liberation Serif", "Courier New", "Noto Sans Mono"};
    font.Create(faces[(salt + n) % 4], 20 + (salt * 3 + n) % 13, font.bold == 1 ? 0 : 1);
}

void ChangeTriple(ColorTriple& t, int salt, int n)
{
    t = ColorTriple{Colour(salt, n), Colour(salt, n + 1), Colour(salt, n + 2)};
}

void ChangeLayout(CFlowLayout& l, int salt, int n)
{
    l.ShowText = l.ShowText == 1 ? 0 : 1;
    ChangeFont(l.StartEndFont, salt, n);
    ChangeFont(l.ProcessingFont, salt, n + 1);
    ChangeFont(l.ConditionFont, salt, n + 2);
    ChangeFont(l.LoopFont, salt, n + 3);
    ChangeFont(l.ExplainFont, salt, n + 4);
    l.XSize = 1000 + salt + n;
    l.YSize = 1001 + salt + n;
    l.XSpace = 1002 + salt + n;
    l.YSpace = -1003 - salt - n;
    l.ArrowSize = 1004 + salt + n;
    l.ExplainType = 3 + n;
}

} // namespace

std::string DiffFonts(const CFontHolder& a, const CFontHolder& b)
{
    return Differ()
        .Value("faceName", a.faceName, b.faceName)
        .Value("size", a.size, b.size)
        .Value("bold", a.bold, b.bold)
        .Text(a.font == nullptr || b.font == nullptr ? "no font object" : "")
        .Result();
}

std::string Diff(const CFlowSetting& a, const CFlowSetting& b)
{
    Differ d;
    d.Value("BackGroundColor", a.BackGroundColor, b.BackGroundColor)
        .Value("HighColorShading", a.HighColorShading, b.HighColorShading)
        .Value("NormalLineColor", a.NormalLineColor, b.NormalLineColor)
        .Value("LoopArrowColor", a.LoopArrowColor, b.LoopArrowColor)
        .Value("ConditionYesColor", a.ConditionYesColor, b.ConditionYesColor)
        .Value("ConditionNoColor", a.ConditionNoColor, b.ConditionNoColor)
        .Value("ReturnLineColor", a.ReturnLineColor, b.ReturnLineColor)
        .Triple("StartEndColor", a.StartEndColor, b.StartEndColor)
        .Triple("ProcessingColor", a.ProcessingColor, b.ProcessingColor)
        .Triple("ConditionColor", a.ConditionColor, b.ConditionColor)
        .Triple("LoopColor", a.LoopColor, b.LoopColor)
        .Text(DiffLayouts("Ratio1x", a.Ratio1x, b.Ratio1x))
        .Text(DiffLayouts("Ratio4x", a.Ratio4x, b.Ratio4x))
        .Text(DiffLayouts("Ratio16x", a.Ratio16x, b.Ratio16x));
    return d.Result();
}

std::string Diff(const CNSDSetting& a, const CNSDSetting& b)
{
    return Differ()
        .Value("BackGroundColor", a.BackGroundColor, b.BackGroundColor)
        .Value("HighColorShading", a.HighColorShading, b.HighColorShading)
        .Value("ShowTitle", a.ShowTitle, b.ShowTitle)
        .Value("ExceptionColor", a.ExceptionColor, b.ExceptionColor)
        .Triple("TitleColor", a.TitleColor, b.TitleColor)
        .Triple("ProcessColor", a.ProcessColor, b.ProcessColor)
        .Triple("IfColor", a.IfColor, b.IfColor)
        .Triple("IfYesColor", a.IfYesColor, b.IfYesColor)
        .Triple("IfNoColor", a.IfNoColor, b.IfNoColor)
        .Triple("SwitchColor", a.SwitchColor, b.SwitchColor)
        .Triple("CaseColor", a.CaseColor, b.CaseColor)
        .Triple("LoopColor", a.LoopColor, b.LoopColor)
        .Triple("TryCatchColor", a.TryCatchColor, b.TryCatchColor)
        .Font("TitleFont", a.TitleFont, b.TitleFont)
        .Font("ProcessFont", a.ProcessFont, b.ProcessFont)
        .Font("IfFont", a.IfFont, b.IfFont)
        .Font("IfYesFont", a.IfYesFont, b.IfYesFont)
        .Font("IfNoFont", a.IfNoFont, b.IfNoFont)
        .Font("SwitchFont", a.SwitchFont, b.SwitchFont)
        .Font("CaseFont", a.CaseFont, b.CaseFont)
        .Font("LoopFont", a.LoopFont, b.LoopFont)
        .Font("TryCatchFont", a.TryCatchFont, b.TryCatchFont)
        .Value("StartX", a.StartX, b.StartX)
        .Value("StartY", a.StartY, b.StartY)
        .Value("LoopWidth", a.LoopWidth, b.LoopWidth)
        .Value("TryCatchWidth", a.TryCatchWidth, b.TryCatchWidth)
        .Value("TryCatchHeight", a.TryCatchHeight, b.TryCatchHeight)
        .Value("StatementDistance", a.StatementDistance, b.StatementDistance)
        .Value("TextMarginWidth", a.TextMarginWidth, b.TextMarginWidth)
        .Value("TextMarginHeight", a.TextMarginHeight, b.TextMarginHeight)
        .Value("TitleMarginWidth", a.TitleMarginWidth, b.TitleMarginWidth)
        .Value("TitleMarginHeight", a.TitleMarginHeight, b.TitleMarginHeight)
        .Result();
}

std::string Diff(const CSequenceSetting& a, const CSequenceSetting& b)
{
    return Differ()
        .Value("BackGroundColor", a.BackGroundColor, b.BackGroundColor)
        .Value("HighColorShading", a.HighColorShading, b.HighColorShading)
        .Value("ArrowLineColor", a.ArrowLineColor, b.ArrowLineColor)
        .Value("ObjectMiddleColor", a.ObjectMiddleColor, b.ObjectMiddleColor)
        .Triple("ObjectColor", a.ObjectColor, b.ObjectColor)
        .Value("CallerTextColor", a.CallerTextColor, b.CallerTextColor)
        .Triple("CalledColor", a.CalledColor, b.CalledColor)
        .Font("ObjectFont", a.ObjectFont, b.ObjectFont)
        .Font("CallerFont", a.CallerFont, b.CallerFont)
        .Font("CalledFont", a.CalledFont, b.CalledFont)
        .Value("StartX", a.StartX, b.StartX)
        .Value("StartY", a.StartY, b.StartY)
        .Value("ObjectSpaceX", a.ObjectSpaceX, b.ObjectSpaceX)
        .Value("ObjectSpaceY", a.ObjectSpaceY, b.ObjectSpaceY)
        .Value("StreamBoxSizeWidth", a.StreamBoxSizeWidth, b.StreamBoxSizeWidth)
        .Value("StreamBoxSizeHeight", a.StreamBoxSizeHeight, b.StreamBoxSizeHeight)
        .Value("MinimumObjectDistance", a.MinimumObjectDistance, b.MinimumObjectDistance)
        .Value("EachObjectInterval", a.EachObjectInterval, b.EachObjectInterval)
        .Value("MethodUpperSpace", a.MethodUpperSpace, b.MethodUpperSpace)
        .Value("MethodLowerSpace", a.MethodLowerSpace, b.MethodLowerSpace)
        .Value("ArrowSize", a.ArrowSize, b.ArrowSize)
        .Value("EachStreamSpace", a.EachStreamSpace, b.EachStreamSpace)
        .Result();
}

std::string Diff(const CVisualSetting& a, const CVisualSetting& b)
{
    Differ d;
    d.Font("defaultFont", a.defaultFont, b.defaultFont)
        .Value("itemFonts.size", a.itemFonts.size(), b.itemFonts.size());
    for (const auto& [kind, font] : a.itemFonts) {
        auto other = b.itemFonts.find(kind);
        if (other == b.itemFonts.end())
            d.Text("itemFonts: kind " + std::to_string(kind) + " missing");
        else
            d.Font("itemFonts[" + std::to_string(kind) + "]", font, other->second);
    }
    return d.Result();
}

std::string Diff(const ElementStyleTable& a, const ElementStyleTable& b)
{
    Differ d;
    d.Triple("defaultColors", a.defaultColors, b.defaultColors)
        .Value("BackGroundColor", a.BackGroundColor, b.BackGroundColor)
        .Value("ContentType", a.ContentType, b.ContentType)
        .Value("ContentColor", a.ContentColor, b.ContentColor)
        .Value("PublicType", a.PublicType, b.PublicType)
        .Value("PublicColor", a.PublicColor, b.PublicColor)
        .Value("PrivateType", a.PrivateType, b.PrivateType)
        .Value("PrivateColor", a.PrivateColor, b.PrivateColor)
        .Value("ProtectedType", a.ProtectedType, b.ProtectedType)
        .Value("ProtectedColor", a.ProtectedColor, b.ProtectedColor)
        .Value("HighColorShading", a.HighColorShading, b.HighColorShading)
        .Value("UnitSpace", a.UnitSpace, b.UnitSpace)
        .Value("Grouping", a.Grouping, b.Grouping)
        .Value("itemColors.size", a.itemColors.size(), b.itemColors.size());
    for (const auto& [kind, colors] : a.itemColors) {
        auto other = b.itemColors.find(kind);
        if (other == b.itemColors.end())
            d.Text("itemColors: kind " + std::to_string(kind) + " missing");
        else
            d.Triple(("itemColors[" + std::to_string(kind) + "]").c_str(), colors, other->second);
    }
    return d.Result();
}

void ChangeEveryField(CFlowSetting& s, int salt)
{
    s.BackGroundColor = Colour(salt, 1);
    s.HighColorShading = 2 + salt % 3;
    s.NormalLineColor = Colour(salt, 2);
    s.LoopArrowColor = Colour(salt, 3);
    s.ConditionYesColor = Colour(salt, 4);
    s.ConditionNoColor = Colour(salt, 5);
    s.ReturnLineColor = Colour(salt, 6);
    ChangeTriple(s.StartEndColor, salt, 10);
    ChangeTriple(s.ProcessingColor, salt, 20);
    ChangeTriple(s.ConditionColor, salt, 30);
    ChangeTriple(s.LoopColor, salt, 40);
    ChangeLayout(s.Ratio1x, salt, 1);
    ChangeLayout(s.Ratio4x, salt, 11);
    ChangeLayout(s.Ratio16x, salt, 21);
}

void ChangeEveryField(CNSDSetting& s, int salt)
{
    s.BackGroundColor = Colour(salt, 1);
    s.HighColorShading = salt % 3;
    s.ShowTitle = 0;
    s.ExceptionColor = Colour(salt, 2);
    int n = 10;
    for (ColorTriple* t : {&s.TitleColor, &s.ProcessColor, &s.IfColor, &s.IfYesColor, &s.IfNoColor,
                           &s.SwitchColor, &s.CaseColor, &s.LoopColor, &s.TryCatchColor})
        ChangeTriple(*t, salt, n += 3);
    for (CFontHolder* f : {&s.TitleFont, &s.ProcessFont, &s.IfFont, &s.IfYesFont, &s.IfNoFont,
                           &s.SwitchFont, &s.CaseFont, &s.LoopFont, &s.TryCatchFont})
        ChangeFont(*f, salt, ++n);
    for (int32_t* v : {&s.StartX, &s.StartY, &s.LoopWidth, &s.TryCatchWidth, &s.TryCatchHeight,
                       &s.StatementDistance, &s.TextMarginWidth, &s.TextMarginHeight,
                       &s.TitleMarginWidth, &s.TitleMarginHeight})
        *v = 500 + salt + ++n;
}

void ChangeEveryField(CSequenceSetting& s, int salt)
{
    s.BackGroundColor = Colour(salt, 1);
    s.HighColorShading = salt % 3;
    s.ArrowLineColor = Colour(salt, 2);
    s.ObjectMiddleColor = Colour(salt, 3);
    ChangeTriple(s.ObjectColor, salt, 4);
    s.CallerTextColor = Colour(salt, 8);
    ChangeTriple(s.CalledColor, salt, 9);
    ChangeFont(s.ObjectFont, salt, 1);
    ChangeFont(s.CallerFont, salt, 2);
    ChangeFont(s.CalledFont, salt, 3);
    int n = 0;
    for (int32_t* v : {&s.StartX, &s.StartY, &s.ObjectSpaceX, &s.ObjectSpaceY, &s.StreamBoxSizeWidth,
                       &s.StreamBoxSizeHeight, &s.MinimumObjectDistance, &s.EachObjectInterval,
                       &s.MethodUpperSpace, &s.MethodLowerSpace, &s.ArrowSize, &s.EachStreamSpace})
        *v = 700 + salt + ++n;
}

void ChangeEveryField(CVisualSetting& fonts, ElementStyleTable& styles, int salt)
{
    ChangeTriple(styles.defaultColors, salt, 1);
    styles.BackGroundColor = Colour(salt, 5);
    styles.ContentType = 4;
    styles.ContentColor = Colour(salt, 6);
    styles.PublicType = 3;
    styles.PublicColor = Colour(salt, 7);
    styles.PrivateType = 2;
    styles.PrivateColor = Colour(salt, 8);
    styles.ProtectedType = 0;
    styles.ProtectedColor = Colour(salt, 9);
    styles.HighColorShading = 4;
    styles.UnitSpace = 17 + salt;
    styles.Grouping = 2;
    int n = 20;
    for (auto& [kind, colors] : styles.itemColors)
        ChangeTriple(colors, salt, n += 3);
    ChangeFont(fonts.defaultFont, salt, 0);
    for (auto& [kind, font] : fonts.itemFonts)
        ChangeFont(font, salt, ++n);
}
