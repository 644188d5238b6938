#include "ColorComboBox.h"

#include "NamedColor.h"
#include "UiRecorder.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Puts the shared "custom" colour back after each test.
class ColorComboBoxTest : public ::testing::Test {
protected:
    void TearDown() override { SetCustomColor(custom_); }
    COLORREF custom_ = NamedColorTable[kCustomColorIndex].color;
};

TEST_F(ColorComboBoxTest, OffersEveryNamedColourInTableOrder)
{
    CColorComboBox combo;
    ASSERT_EQ(combo.count(), static_cast<int>(kNamedColorCount));
    EXPECT_EQ(combo.itemText(0).toStdString(), "black");
    EXPECT_EQ(combo.itemText(static_cast<int>(kCustomColorIndex)).toStdString(), "custom");
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(combo.GetSelectedColor(), 0u);
}

TEST_F(ColorComboBoxTest, NamedColoursSelectTheirFirstRowOthersShowCustom)
{
    CColorComboBox combo;
    // 0xFF00FF is both "fuchsia" and "magenta": the first row wins.
    combo.SelectColor(0xFF00FF);
    EXPECT_EQ(combo.currentText().toStdString(), "fuchsia");
    EXPECT_EQ(combo.GetSelectedColor(), 0xFF00FFu);

    combo.SelectColor(0x123456);
    EXPECT_EQ(combo.currentIndex(), static_cast<int>(kCustomColorIndex));
    EXPECT_EQ(combo.GetSelectedColor(), 0x123456u);
    EXPECT_EQ(NamedColorTable[kCustomColorIndex].color, 0x123456u);

    combo.setCurrentIndex(-1);
    EXPECT_EQ(combo.GetSelectedColor(), 0u);
}

TEST_F(ColorComboBoxTest, ChosenColourEndsAsAPickAndCancelChangesNothing)
{
    CColorComboBox combo;
    combo.SelectColor(0x0000FF);
    QSignalSpy picks(&combo, &QComboBox::activated);
    UiRecorder ui;
    ui.Reply(UiReply::Cancel()).Reply(UiReply::Color(0x010203));

    QTest::mouseClick(&combo, Qt::RightButton);
    EXPECT_EQ(picks.count(), 0);
    EXPECT_EQ(combo.GetSelectedColor(), 0x0000FFu);

    QTest::mouseClick(&combo, Qt::RightButton);
    ASSERT_EQ(picks.count(), 1);
    EXPECT_EQ(picks.at(0).at(0).toInt(), static_cast<int>(kCustomColorIndex));
    EXPECT_EQ(combo.GetSelectedColor(), 0x010203u);
    // The chooser started at the colour shown.
    ASSERT_EQ(ui.calls.size(), 2u);
    EXPECT_EQ(ui.calls[1].arguments, std::vector<std::string> {std::to_string(0x0000FF)});
}

TEST_F(ColorComboBoxTest, ANamedColourFromTheChooserShowsItsNameAndBecomesCustomToo)
{
    CColorComboBox combo;
    combo.SelectColor(0x123456); // "custom" shows a colour of its own first
    QSignalSpy picks(&combo, &QComboBox::activated);
    UiRecorder ui;
    ui.Reply(UiReply::Color(0xFF00FF));

    QTest::mouseClick(&combo, Qt::RightButton);
    ASSERT_EQ(picks.count(), 1);
    EXPECT_EQ(combo.currentText().toStdString(), "fuchsia");
    EXPECT_EQ(picks.at(0).at(0).toInt(), combo.currentIndex());
    EXPECT_EQ(combo.GetSelectedColor(), 0xFF00FFu);
    // The chooser's colour is the shared "custom" colour, and this list's
    // "custom" row shows it.
    const int custom = static_cast<int>(kCustomColorIndex);
    EXPECT_EQ(NamedColorTable[kCustomColorIndex].color, 0xFF00FFu);
    EXPECT_EQ(combo.itemData(custom).value<COLORREF>(), 0xFF00FFu);
}

} // namespace
