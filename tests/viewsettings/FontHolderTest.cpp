#include "FontHolder.h"

#include "DeviceContext.h"
#include "TextMeasurer.h"

#include <gtest/gtest.h>

namespace {

// The description the holder's font was made from.
LogFont DescriptionOf(const CFontHolder& holder)
{
    LogFont description;
    EXPECT_NE(holder.font, nullptr);
    if (holder.font != nullptr) {
        EXPECT_TRUE(holder.font->GetLogFont(&description));
    }
    return description;
}

// A holder attached to a memory context.
struct FontHolderOnContext : ::testing::Test {
    FontHolderOnContext()
    {
        dc.CreateCompatibleDC(nullptr);
        holder.dc = &dc;
    }
    CDC dc;
    CFontHolder holder;
};

} // namespace

TEST(FontHolder, CreateMakesPointFontAtNinetySixDpi)
{
    CFontHolder holder;
    holder.Create("Arial", 10, 1);
    LogFont description = DescriptionOf(holder);
    EXPECT_EQ(description.height, -13); // -trunc(96 * 100 / 720)
    EXPECT_EQ(description.weight, 800);
    EXPECT_EQ(description.faceName, "Arial");
    EXPECT_EQ(holder.faceName, "Arial");
    EXPECT_EQ(holder.size, 10);
    EXPECT_EQ(holder.bold, 1);

    holder.Create("Arial", 10, 2); // only the value 1 means bold
    EXPECT_EQ(DescriptionOf(holder).weight, 0);
    EXPECT_FALSE(holder.IsBold());

    holder.Create("Arial", 8, 0);
    EXPECT_EQ(DescriptionOf(holder).height, -10); // 96 * 80 / 720 = 10.67, truncated

    // A face name longer than a font description holds is refused.
    EXPECT_FALSE(holder.Create(std::string(40, 'F'), 10, 0));
    EXPECT_EQ(DescriptionOf(holder).faceName, "Arial");

    holder.CreateWithHeight("Arial", 18, 0); // a cell height is kept as it is
    EXPECT_EQ(DescriptionOf(holder).height, 18);
    EXPECT_EQ(holder.size, 18);
}

TEST(FontHolder, CopiesOwnTheirFonts)
{
    CFontHolder a;
    a.Create("DejaVu Sans", 12, 1);
    CFontHolder b(a);
    ASSERT_NE(b.font, nullptr);
    EXPECT_NE(b.font.get(), a.font.get());
    EXPECT_EQ(DescriptionOf(a), DescriptionOf(b));

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

TEST_F(FontHolderOnContext, SelectRestoreAndMeasure)
{
    ScopedTextMeasurer fixed(std::make_shared<FixedWidthTextMeasurer>(7, 0));
    holder.Restore(); // before any SelectInto: nothing happens
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

TEST_F(FontHolderOnContext, SelectWithoutFontChangesNothing)
{
    CFont* original = dc.GetCurrentFont();
    holder.SelectInto();
    EXPECT_EQ(dc.GetCurrentFont(), original);
    EXPECT_EQ(holder.previous, nullptr);
}

TEST_F(FontHolderOnContext, RealTextIsMeasuredWithThePinnedFont)
{
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
