#include "LanguageTable.h"
#include "SelectViewDialog.h"
#include "UiRecorder.h"

#include <QPushButton>
#include <gtest/gtest.h>

TEST(SelectViewDialogTest, AViewWithoutAPictureCannotBeChosen)
{
    EXPECT_TRUE(CDialogSelectView::HasPicture({11, 0}));
    EXPECT_TRUE(CDialogSelectView::HasPicture({0, 11}));
    EXPECT_FALSE(CDialogSelectView::HasPicture({10, 10}));

    UiRecorder ui;
    CDialogSelectView dialog;
    dialog.mode = 1;
    dialog.SetSizes({10, 10}, {200, 300});
    dialog.Initialize();
    EXPECT_EQ(dialog.windowTitle().toStdString(), GetLangString(52));
    dialog.ItemAs<QPushButton>(CDialogSelectView::IDC_MACRO)->click();
    EXPECT_EQ(ui.Texts(UiCallKind::Message), std::vector<std::string> {GetLangString(51)});
    EXPECT_EQ(dialog.result(), 0) << "still open";
    dialog.ItemAs<QPushButton>(CDialogSelectView::IDC_DETAIL)->click();
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_EQ(dialog.chosenView, 0);
}
