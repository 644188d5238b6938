#include "ElementStyleTable.h"
#include "FlowSetting.h"
#include "MacroViewDefaults.h"
#include "NSDSetting.h"
#include "SettingBytes.h"
#include "UnitKind.h"
#include "VisualSetting.h"

#include <gtest/gtest.h>

TEST(FlowSettingRecord, ZoomLevelsPickTheirLayouts)
{
    CFlowSetting s;
    EXPECT_EQ(&s.LayoutForZoom(1), &s.Ratio1x);
    EXPECT_EQ(&s.LayoutForZoom(4), &s.Ratio4x);
    EXPECT_EQ(&s.LayoutForZoom(16), &s.Ratio16x);
    EXPECT_EQ(&s.LayoutForZoom(0), &s.Ratio1x);
    EXPECT_NE(s.Ratio16x.ExplainFont.font, nullptr);
}

TEST(FlowSettingRecord, CopiesOwnTheirFonts)
{
    CFlowSetting source;
    source.Ratio4x.ProcessingFont.Create("DejaVu Sans", 21, 1);
    source.Ratio1x.XSize = 0;
    CFlowSetting copy;
    copy = source;
    EXPECT_EQ(Bytes(copy), Bytes(source));
    EXPECT_NE(copy.Ratio4x.ProcessingFont.font.get(), source.Ratio4x.ProcessingFont.font.get());

    copy.Ratio4x.ProcessingFont.Create("Verdana", 30, 0);
    EXPECT_EQ(source.Ratio4x.ProcessingFont.faceName, "DejaVu Sans");
    EXPECT_NE(source.Ratio4x.ProcessingFont.font, nullptr);

    CFlowSetting& self = copy;
    copy = self;
    EXPECT_EQ(copy.Ratio4x.ProcessingFont.faceName, "Verdana");
}

TEST(NSDSettingRecord, CopyKeepsTheTitleMarginsAndAttachDCReachesEveryFont)
{
    CNSDSetting source;
    source.TitleMarginWidth = 9;
    source.TitleMarginHeight = 0;
    CNSDSetting back(source);
    EXPECT_EQ(Bytes(back), Bytes(source));

    CDC dc;
    back.AttachDC(&dc);
    for (const CFontHolder* f : {&back.TitleFont, &back.ProcessFont, &back.IfFont, &back.IfYesFont,
             &back.IfNoFont, &back.SwitchFont, &back.CaseFont, &back.LoopFont, &back.TryCatchFont})
        EXPECT_EQ(f->dc, &dc);
    EXPECT_EQ(source.TitleFont.dc, nullptr);
}

TEST(MacroViewSetting, GroupKindsUseTheEntriesOfFunctionAndVariable)
{
    CVisualSetting fonts;
    ElementStyleTable styles;
    EXPECT_EQ(&fonts.GetItemFont(UNIT_CLASS), &fonts.defaultFont); // nothing entered yet
    SetMacroViewDefaults(fonts, styles);
    EXPECT_EQ(fonts.itemFonts.size(), 7u);

    EXPECT_EQ(&fonts.GetItemFont(UNIT_GLOBAL_FUNCTIONS), &fonts.GetItemFont(UNIT_FUNCTION));
    EXPECT_EQ(&fonts.GetItemFont(UNIT_GLOBAL_VARIABLES), &fonts.GetItemFont(UNIT_VARIABLE));
    EXPECT_EQ(&fonts.GetItemFont(3), &fonts.defaultFont);
    EXPECT_EQ(&fonts.GetItemFont(UNIT_MULTIPLE_VARIABLE), &fonts.defaultFont);

    // An entry keyed 58 may exist, but look-ups of 58 still use 18's.
    styles.SetColors(UNIT_GLOBAL_FUNCTIONS, 1, 2, 3);
    EXPECT_EQ(styles.itemColors.count(UNIT_GLOBAL_FUNCTIONS), 1u);
    EXPECT_EQ(&styles.GetColors(UNIT_GLOBAL_FUNCTIONS), &styles.GetColors(UNIT_FUNCTION));
    EXPECT_EQ(
        styles.GetColors(UNIT_GLOBAL_FUNCTIONS), (ColorTriple {0x000000, 0xD2D2FF, 0xF8F0E8}));
    EXPECT_EQ(&styles.GetColors(99), &styles.defaultColors);
}

TEST(MacroViewSetting, CopyingThePairReplacesEntriesWithOwnFonts)
{
    CVisualSetting fonts;
    ElementStyleTable styles;
    SetMacroViewDefaults(fonts, styles);
    fonts.GetItemFont(UNIT_UNION).Create("DejaVu Serif", 13, 0);
    styles.Grouping = 2;

    CVisualSetting fontCopy;
    fontCopy.SetItemFont(42, "Stale", 9, 0);
    ElementStyleTable styleCopy;
    styleCopy.SetColors(42, 1, 1, 1);
    fontCopy = fonts;
    styleCopy = styles;
    EXPECT_EQ(Bytes(fontCopy, styleCopy), Bytes(fonts, styles));
    EXPECT_EQ(fontCopy.itemFonts.count(42), 0u);
    EXPECT_EQ(styleCopy.itemColors.count(42), 0u);
    for (const auto& [kind, font] : fontCopy.itemFonts)
        EXPECT_NE(font.font.get(), fonts.itemFonts.at(kind).font.get());

    CDC dc;
    fontCopy.AttachDC(&dc);
    EXPECT_EQ(fontCopy.defaultFont.dc, &dc);
    EXPECT_EQ(fontCopy.GetItemFont(UNIT_UNION).dc, &dc);
    EXPECT_EQ(fonts.defaultFont.dc, nullptr);
}
