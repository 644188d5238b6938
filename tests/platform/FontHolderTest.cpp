#include "FontHolder.h"

#include "DeviceContext.h"
#include "TextMeasurer.h"

#include <gtest/gtest.h>

TEST(FontHolder, NewHolderIsEmpty)
{
    CFontHolder holder;
    EXPECT_EQ(holder.dc, nullptr);
    EXPECT_EQ(holder.font, nullptr);
    EXPECT_EQ(holder.previous, nullptr);
    EXPECT_TRUE(holder.faceName.empty());
    EXPECT_EQ(holder.size, 0);
    EXPECT_EQ(holder.bold, 0);
}

TEST(FontHolder, CreateMakesPointFontAtNinetySixDpi)
{
    CFontHolder holder;
    holder.Create("Arial", 10, 1);
    ASSERT_NE(holder.font, nullptr);
    LogFont description;
    ASSERT_TRUE(holder.font->GetLogFont(&description));
    EXPECT_EQ(description.height, -13);  // -trunc(96 * 100 / 720)
    EXPECT_EQ(description.weight, 800);
    EXPECT_EQ(description.faceName, "Arial");
    EXPECT_EQ(holder.faceName, "Arial");
    EXPECT_EQ(holder.size, 10);
    EXPECT_EQ(holder.bold, 1);

    holder.Create("Arial", 10, 2);  // only the value 1 means bold
    ASSERT_TRUE(holder.font->GetLogFont(&description));
    EXPECT_EQ(description.weight, 0);
    EXPECT_FALSE(holder.IsBold());

    holder.Create("Arial", 8, 0);
    ASSERT_TRUE(holder.font->GetLogFont(&description));
    EXPECT_EQ(description.height, -10);  // 96 * 80 / 720 = 10.67, truncated
}

TEST(FontHolder, LongFaceNameIsCut)
{
    CFontHolder holder;
    holder.Create(std::string(40, 'F'), 10, 0);
    LogFont description;
    ASSERT_TRUE(holder.font->GetLogFont(&description));
    EXPECT_EQ(description.faceName.size(), LogFont::kMaxFaceName);
}

TEST(FontHolder, CreateWithHeightKeepsCellHeight)
{
    CFontHolder holder;
    holder.CreateWithHeight("Arial", 18, 0);
    LogFont description;
    ASSERT_TRUE(holder.font->GetLogFont(&description));
    EXPECT_EQ(description.height, 18);
    EXPECT_EQ(holder.size, 18);
}

TEST(FontHolder, CopiesOwnTheirFonts)
{
    CFontHolder a;
    a.Create("DejaVu Sans", 12, 1);
    CFontHolder b(a);
    ASSERT_NE(b.font, nullptr);
    EXPECT_NE(b.font.get(), a.font.get());
    LogFont da, db;
    a.font->GetLogFont(&da);
    b.font->GetLogFont(&db);
    EXPECT_EQ(da, db);

    CFontHolder c;
    c.Create("DejaVu Sans", 20, 0);
    c = a;
    EXPECT_NE(c.font.get(), a.font.get());
    EXPECT_EQ(c.size, 12);

    // Copying a holder without a font drops the target's font.
    CFontHolder empty;
    c = empty;
    EXPECT_EQ(c.font, nullptr);
    EXPECT_EQ(c.size, 0);

    // Self-assignment keeps the font object.
    CFont* before = a.font.get();
    CFontHolder& alias = a;
    a = alias;
    EXPECT_EQ(a.font.get(), before);
}

TEST(FontHolder, SelectRestoreAndMeasure)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    ScopedTextMeasurer fixed(std::make_shared<FixedWidthTextMeasurer>(7, 0));

    CFontHolder holder;
    holder.dc = &dc;
    holder.Restore();  // before any SelectInto: nothing happens
    CFont* original = dc.GetCurrentFont();

    holder.Create("Arial", 10, 0);
    holder.SelectInto();
    EXPECT_EQ(dc.GetCurrentFont(), holder.font.get());
    EXPECT_EQ(holder.previous, original);
    EXPECT_EQ(holder.GetTextExtent("abc"), CSize(21, 13));
    EXPECT_EQ(holder.GetTextExtent("").cx, 0);
    holder.Restore();
    EXPECT_EQ(dc.GetCurrentFont(), original);
}

TEST(FontHolder, SelectWithoutFontChangesNothing)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* original = dc.GetCurrentFont();
    CFontHolder holder;
    holder.dc = &dc;
    holder.SelectInto();
    EXPECT_EQ(dc.GetCurrentFont(), original);
    EXPECT_EQ(holder.previous, nullptr);
}

TEST(FontHolder, RealTextIsMeasuredWithThePinnedFont)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFontHolder holder;
    holder.dc = &dc;
    holder.Create("DejaVu Sans", 10, 0);
    holder.SelectInto();
    CSize narrow = holder.GetTextExtent("iii");
    CSize wide = holder.GetTextExtent("WWW");
    EXPECT_GT(narrow.cx, 0);
    EXPECT_GT(wide.cx, narrow.cx);
    EXPECT_GE(narrow.cy, 13);
    EXPECT_LE(narrow.cy, 18);
    holder.Restore();
}
