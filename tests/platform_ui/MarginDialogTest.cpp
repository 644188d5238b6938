#include "MarginDialog.h"
#include "UiRecorder.h"

#include <QLineEdit>
#include <cmath>
#include <gtest/gtest.h>

TEST(MarginDialogTest, MarginsAreClampedToThePageAndRoundedToTwoDecimals)
{
    EXPECT_EQ(RoundMargin(3.14159), 3.14);
    EXPECT_EQ(RoundMargin(-2.0), 0.0);
    EXPECT_EQ(RoundMargin(0.0), 0.0);
    EXPECT_EQ(RoundMargin(std::nan("")), 0.0);

    struct Case {
        double value, minimum, page, opposite, expected;
    };
    const Case cases[] = {
        {-5.0, 4.2, 297.0, 10.0, 4.2}, // raised to the printer's border first
        {0.0, 0.0, 297.0, 10.0, 0.0}, //
        {300.0, 0.0, 297.0, 10.0, 277.0}, // page less the opposite margin less 10 mm
        {12.3456, 0.0, 297.0, 10.0, 12.35}, //
        {50.0, 0.0, 0.0, 10.0, 50.0}, // no page measured yet
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ClampMargin(c.value, c.minimum, c.page, c.opposite), c.expected)
            << c.value;

    UiRecorder ui;
    CDialogMargin dialog;
    PrintMargins limits;
    limits.pageWidthMm = 210.0;
    limits.pageHeightMm = 297.0;
    limits.minLeft = 4.0;
    dialog.SetLimits(limits);
    dialog.SetMargins(10.004, 10.0, 3.0, 3.0);
    dialog.Initialize();
    EXPECT_EQ(dialog.GetItemText(CDialogMargin::IDC_TOP), "10.00");
    dialog.SetItemText(CDialogMargin::IDC_TOP, "500");
    EXPECT_TRUE(dialog.ClampEdit(CDialogMargin::IDC_TOP));
    EXPECT_EQ(dialog.GetItemText(CDialogMargin::IDC_TOP), "277.00");
    EXPECT_TRUE(dialog.ClampEdit(CDialogMargin::IDC_LEFT));
    EXPECT_EQ(dialog.GetItemText(CDialogMargin::IDC_LEFT), "4.00");
    dialog.SetItemText(CDialogMargin::IDC_RIGHT, "12000");
    EXPECT_FALSE(dialog.ClampEdit(CDialogMargin::IDC_RIGHT)) << "outside 0 to 9999";
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 1u);
}

// One message per bad entry: leaving the edit again (or any other edit)
// while it holds the same text says nothing more; a new bad text does.
TEST(MarginDialogTest, ABadEntryIsReportedOnce)
{
    UiRecorder ui;
    CDialogMargin dialog;
    dialog.SetMargins(10.0, 10.0, 3.0, 3.0);
    dialog.Initialize();
    auto* top = dialog.ItemAs<QLineEdit>(CDialogMargin::IDC_TOP);
    ASSERT_NE(top, nullptr);
    top->setText("abc");
    emit top->editingFinished();
    emit top->editingFinished();
    EXPECT_FALSE(dialog.ClampEdit(CDialogMargin::IDC_TOP));
    EXPECT_EQ(ui.Texts(UiCallKind::Message),
        std::vector<std::string> {"Enter a number within these limits: 0 - 9999"});

    EXPECT_TRUE(dialog.ClampEdit(CDialogMargin::IDC_LEFT)) << "another edit reads well";
    EXPECT_EQ(dialog.GetItemText(CDialogMargin::IDC_TOP), "abc") << "kept as typed";
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 1u);

    top->setText("-1");
    emit top->editingFinished();
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 2u);
    top->setText("12.345");
    emit top->editingFinished();
    EXPECT_EQ(dialog.GetItemText(CDialogMargin::IDC_TOP), "12.35");
    top->setText("-1");
    emit top->editingFinished();
    EXPECT_EQ(ui.Texts(UiCallKind::Message).size(), 3u) << "bad again after a good value";
}
