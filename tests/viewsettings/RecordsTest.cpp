#include "ElementStyleTable.h"
#include "FlowSetting.h"
#include "MacroViewDefaults.h"
#include "NSDSetting.h"
#include "SequenceSetting.h"
#include "SettingCompare.h"
#include "UnitKind.h"
#include "VisualSetting.h"

#include <gtest/gtest.h>

namespace {

void ExpectFont(const CFontHolder& font, const char* face, int32_t size, uint8_t bold)
{
    EXPECT_EQ(font.faceName, face);
    EXPECT_EQ(font.size, size);
    EXPECT_EQ(font.bold, bold);
    EXPECT_NE(font.font, nullptr);
}

} // namespace

TEST(FlowSettingRecord, BuiltInValues)
{
    CFlowSetting s;
    EXPECT_EQ(s.HighColorShading, 1);
    EXPECT_EQ(s.LoopArrowColor, 0x800000u);
    EXPECT_EQ(s.ConditionNoColor, 0x000080u);
    EXPECT_EQ(s.ConditionColor, (ColorTriple{0x800000, 0xC8E6E6, 0xC8E6E6}));
    EXPECT_EQ(s.LoopColor, (ColorTriple{0x000000, 0xE6E6C8, 0xE6E6C8}));

    EXPECT_EQ(s.Ratio1x.ShowText, 0);
    EXPECT_EQ(s.Ratio1x.XSpace, 50);
    EXPECT_EQ(s.Ratio1x.ArrowSize, 3);
    ExpectFont(s.Ratio1x.StartEndFont, "Arial", 8, 0);
    ExpectFont(s.Ratio1x.ExplainFont, "Arial", 7, 0);
    EXPECT_EQ(s.Ratio4x.ExplainType, 1);
    EXPECT_EQ(s.Ratio4x.YSpace, 80);
    ExpectFont(s.Ratio4x.ExplainFont, "Arial", 11, 0);
    EXPECT_EQ(s.Ratio16x.XSize, 180);
    EXPECT_EQ(s.Ratio16x.ExplainType, 2);
    ExpectFont(s.Ratio16x.StartEndFont, "Arial", 18, 1);
    ExpectFont(s.Ratio16x.LoopFont, "Arial", 13, 0);
    ExpectFont(s.Ratio16x.ExplainFont, "Arial", 14, 1);

    EXPECT_EQ(&s.LayoutForZoom(1), &s.Ratio1x);
    EXPECT_EQ(&s.LayoutForZoom(4), &s.Ratio4x);
    EXPECT_EQ(&s.LayoutForZoom(16), &s.Ratio16x);
    EXPECT_EQ(&s.LayoutForZoom(0), &s.Ratio1x);
}

TEST(FlowSettingRecord, CopiesOwnTheirFonts)
{
    CFlowSetting source;
    ChangeEveryField(source, 3);
    CFlowSetting copy;
    copy = source;
    EXPECT_EQ(Diff(copy, source), "");
    EXPECT_NE(copy.Ratio4x.ProcessingFont.font.get(), source.Ratio4x.ProcessingFont.font.get());

    copy.Ratio4x.ProcessingFont.Create("Verdana", 30, 1);
    EXPECT_NE(source.Ratio4x.ProcessingFont.faceName, "Verdana");
    EXPECT_NE(source.Ratio4x.ProcessingFont.font, nullptr);

    CFlowSetting constructed(source);
    EXPECT_EQ(Diff(constructed, source), "");
    constructed = constructed;
    EXPECT_EQ(Diff(constructed, source), "");
}

TEST(NSDSettingRecord, BuiltInValuesAndCopy)
{
    CNSDSetting s;
    EXPECT_EQ(s.HighColorShading, 3);
    EXPECT_EQ(s.ShowTitle, 1);
    EXPECT_EQ(s.ExceptionColor, 0xC8C8FFu);
    EXPECT_EQ(s.IfNoColor, (ColorTriple{0x0000C8, 0xE1B6FC, 0xE1B6FC}));
    EXPECT_EQ(s.TryCatchColor, (ColorTriple{0x000000, 0x000000, 0xF5D1D1}));
    ExpectFont(s.TitleFont, "Verdana", 12, 1);
    ExpectFont(s.ProcessFont, "Verdana", 8, 0);
    ExpectFont(s.TryCatchFont, "Verdana", 8, 1);
    EXPECT_EQ(s.LoopWidth, 30);
    EXPECT_EQ(s.TitleMarginWidth, 4);
    EXPECT_EQ(s.TitleMarginHeight, 1);

    // The title margins have no control in the dialog: a copy there and back
    // must keep them too.
    CNSDSetting changed;
    ChangeEveryField(changed, 5);
    CNSDSetting working = changed;
    CNSDSetting back;
    back = working;
    EXPECT_EQ(Diff(back, changed), "");
    EXPECT_NE(back.TitleFont.font.get(), changed.TitleFont.font.get());
}

TEST(NSDSettingRecord, AttachDCReachesEveryFont)
{
    CNSDSetting s;
    CDC dc;
    s.AttachDC(&dc);
    for (const CFontHolder* f : {&s.TitleFont, &s.ProcessFont, &s.IfFont, &s.IfYesFont, &s.IfNoFont,
                                 &s.SwitchFont, &s.CaseFont, &s.LoopFont, &s.TryCatchFont})
        EXPECT_EQ(f->dc, &dc);
}

TEST(SequenceSettingRecord, BuiltInValuesAndCopy)
{
    CSequenceSetting s;
    EXPECT_EQ(s.HighColorShading, 4);
    EXPECT_EQ(s.ObjectMiddleColor, 0xB4B4DCu);
    EXPECT_EQ(s.ObjectColor, (ColorTriple{0xCD0101, 0xE1C398, 0xFFFFFF}));
    ExpectFont(s.ObjectFont, "Arial", 10, 1);
    ExpectFont(s.CalledFont, "Verdana", 8, 0);
    EXPECT_EQ(s.StreamBoxSizeHeight, 30);
    EXPECT_EQ(s.MinimumObjectDistance, 100);
    EXPECT_EQ(s.EachStreamSpace, 4);

    CSequenceSetting changed;
    ChangeEveryField(changed, 2);
    CSequenceSetting copy;
    copy = changed;
    EXPECT_EQ(Diff(copy, changed), "");
    EXPECT_NE(Diff(copy, CSequenceSetting()), "");
}

TEST(MacroViewSetting, GroupKindsUseTheEntriesOfFunctionAndVariable)
{
    CVisualSetting fonts;
    ElementStyleTable styles;
    SetMacroViewDefaults(fonts, styles);

    EXPECT_EQ(&fonts.GetItemFont(UNIT_GLOBAL_FUNCTIONS), &fonts.GetItemFont(UNIT_FUNCTION));
    EXPECT_EQ(&fonts.GetItemFont(UNIT_GLOBAL_VARIABLES), &fonts.GetItemFont(UNIT_VARIABLE));
    EXPECT_EQ(&fonts.GetItemFont(3), &fonts.defaultFont);
    EXPECT_EQ(&fonts.GetItemFont(UNIT_MULTIPLE_VARIABLE), &fonts.defaultFont);

    EXPECT_EQ(&styles.GetColors(UNIT_GLOBAL_FUNCTIONS), &styles.GetColors(UNIT_FUNCTION));
    styles.SetColors(UNIT_GLOBAL_FUNCTIONS, 1, 2, 3);
    EXPECT_EQ(styles.itemColors.count(UNIT_GLOBAL_FUNCTIONS), 1u);
    EXPECT_EQ(&styles.GetColors(UNIT_GLOBAL_FUNCTIONS), &styles.GetColors(UNIT_FUNCTION));
    EXPECT_EQ(styles.GetColors(UNIT_GLOBAL_FUNCTIONS), (ColorTriple{0x000000, 0xD2D2FF, 0xF8F0E8}));
    EXPECT_EQ(&styles.GetColors(99), &styles.defaultColors);
}

TEST(MacroViewSetting, BuiltInValues)
{
    CVisualSetting fonts;
    ElementStyleTable styles;
    EXPECT_TRUE(fonts.itemFonts.empty());
    EXPECT_EQ(fonts.defaultFont.font, nullptr);
    EXPECT_TRUE(styles.itemColors.empty());

    SetMacroViewDefaults(fonts, styles);
    EXPECT_EQ(styles.defaultColors, (ColorTriple{0x000000, 0xFFFFFF, 0xFFFFFF}));
    EXPECT_EQ(styles.ContentType, 2);
    EXPECT_EQ(styles.PublicColor, 0x006400u);
    EXPECT_EQ(styles.PrivateColor, 0x0000C8u);
    EXPECT_EQ(styles.ProtectedColor, 0xC80000u);
    EXPECT_EQ(styles.UnitSpace, 4);
    EXPECT_EQ(styles.Grouping, 0);
    EXPECT_EQ(styles.itemColors.size(), 7u);
    EXPECT_EQ(styles.GetColors(UNIT_CLASS), (ColorTriple{0x000000, 0x969696, 0x66FFCC}));
    EXPECT_EQ(styles.GetColors(UNIT_NAMESPACE), (ColorTriple{0x000000, 0xDAF5F6, 0xDAF5F6}));
    EXPECT_EQ(styles.GetColors(UNIT_VARIABLE), (ColorTriple{0x000000, 0xF3FAFF, 0xF3FAFF}));

    ExpectFont(fonts.defaultFont, "Arial", 10, 0);
    EXPECT_EQ(fonts.itemFonts.size(), 7u);
    ExpectFont(fonts.GetItemFont(UNIT_CLASS), "Arial", 10, 1);
    ExpectFont(fonts.GetItemFont(UNIT_NAMESPACE), "Arial", 10, 1);
    ExpectFont(fonts.GetItemFont(UNIT_ENUM), "Arial", 10, 0);
    ExpectFont(fonts.GetItemFont(UNIT_FUNCTION), "Arial", 10, 0);
}

TEST(MacroViewSetting, CopyingThePairKeepsEveryValueWithOwnFonts)
{
    CVisualSetting fonts;
    ElementStyleTable styles;
    SetMacroViewDefaults(fonts, styles);
    ChangeEveryField(fonts, styles, 4);

    CVisualSetting fontCopy;
    fontCopy.SetItemFont(42, "Stale", 9, 0);
    ElementStyleTable styleCopy;
    styleCopy.SetColors(42, 1, 1, 1);
    fontCopy = fonts;
    styleCopy = styles;
    EXPECT_EQ(Diff(fontCopy, fonts), "");
    EXPECT_EQ(Diff(styleCopy, styles), "");
    EXPECT_EQ(fontCopy.itemFonts.count(42), 0u);
    for (const auto& [kind, font] : fontCopy.itemFonts)
        EXPECT_NE(font.font.get(), fonts.itemFonts.at(kind).font.get());

    CDC dc;
    fontCopy.AttachDC(&dc);
    EXPECT_EQ(fontCopy.defaultFont.dc, &dc);
    EXPECT_EQ(fontCopy.GetItemFont(UNIT_UNION).dc, &dc);
    EXPECT_EQ(fonts.defaultFont.dc, nullptr);
}
