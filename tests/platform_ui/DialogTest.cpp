#include "Dialog.h"
#include "LanguageTable.h"
#include "UiRecorder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <climits>
#include <gtest/gtest.h>

namespace {

enum : int {
    kWidth = 1001,
    kShading = 1137,
    kBold = 1003,
    kSize = 1004,
    kNote = 1005,
    kFiles = 1151
};

// A setting dialog in the program's manner: a record filled into the controls
// at start, changed by handlers, checked and read back on OK.
class SampleDialog : public CDialog {
public:
    int width = 10;
    int shading = 2;
    bool bold = true;
    int edits = 0;
    int clicks = 0;
    std::vector<int> chosen;
    std::vector<int> chosenFiles;

    SampleDialog()
    {
        setWindowTitle("Sample Setting");
        auto* form = new QFormLayout(this);
        form->addRow(Make<QLabel>(kNote, "Width:"), Make<QLineEdit>(kWidth));
        auto* shadingList = Make<QComboBox>(kShading);
        shadingList->addItems(
            {"None", "Down Darken", "Right Darken", "Down Brighten", "Right Brighten"});
        form->addRow("Shading:", shadingList);
        form->addRow(Make<QCheckBox>(kBold, "B"));
        auto* size = Make<QComboBox>(kSize);
        size->setEditable(true);
        size->addItems({"1", "2", "3"});
        form->addRow("Size:", size);
        auto* files = Make<QListWidget>(kFiles);
        files->addItems({"a.c", "b.c", "c.c"});
        form->addRow("Files:", files);
        form->addRow(Make<QPushButton>(IDOK, "&OK"), Make<QPushButton>(IDCANCEL, "&Cancel"));
    }

    void FillControls()
    {
        SetItemInt(kWidth, width);
        SetCurSel(kShading, shading);
        CheckItem(kBold, bold);
        SetItemText(kSize, "12");
        SetCurSel(kFiles, 0);
    }

protected:
    bool OnInitDialog() override
    {
        FillControls();
        OnTextEdited(kWidth, [this] { ++edits; });
        OnTextEdited(kSize, [this] { ++edits; });
        OnActivated(kShading, [this](int index) { chosen.push_back(index); });
        OnActivated(kFiles, [this](int index) { chosenFiles.push_back(index); });
        OnClicked(kBold, [this] { ++clicks; });
        return true;
    }
    void OnOK() override
    {
        const int value = GetItemInt(kWidth);
        if (value < 1 || value > 1000) {
            Ui().MessageBox("Enter a value from 1 to 1000.", MessageButtons::Ok);
            return;
        }
        width = value;
        shading = GetCurSel(kShading);
        bold = IsItemChecked(kBold) == 1;
        EndDialog(IDOK);
    }
};

} // namespace

TEST(DialogControls, ControlsAnswerByIdAndOnlyTheUsersActionsNotify)
{
    SampleDialog d;
    d.Initialize();
    d.Initialize(); // once only
    d.show();
    EXPECT_EQ(d.GetItemText(kWidth), "10");
    EXPECT_EQ(d.GetCurSel(kShading), 2);
    EXPECT_EQ(d.IsItemChecked(kBold), 1);
    EXPECT_EQ(d.GetItemText(kSize), "12");
    EXPECT_EQ(d.GetItemText(kNote), "Width:");
    d.width = 20;
    d.shading = 4;
    d.FillControls();
    EXPECT_EQ(d.GetItemText(kWidth), "20");
    EXPECT_EQ((std::tuple(d.edits, d.clicks, d.chosen.size())), std::tuple(0, 0, size_t {0}))
        << "filling from code notifies nobody";

    QTest::keyClicks(d.ItemAs<QLineEdit>(kWidth), "5");
    QTest::keyClicks(d.ItemAs<QComboBox>(kSize)->lineEdit(), "7");
    EXPECT_EQ(d.edits, 2);
    EXPECT_EQ(d.GetItemInt(kWidth), 205);
    QTest::keyClick(d.ItemAs<QComboBox>(kShading), Qt::Key_Up);
    EXPECT_EQ(d.chosen, std::vector<int> {3});
    auto* files = d.ItemAs<QListWidget>(kFiles);
    QTest::mouseClick(
        files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(2)).center());
    QTest::keyClick(files, Qt::Key_Up);
    EXPECT_EQ(d.chosenFiles, (std::vector<int> {2, 1})) << "a list box notifies its choices";
    d.SetCurSel(kFiles, 0);
    EXPECT_EQ(d.chosenFiles.size(), 2u);
    QTest::keyClick(d.ItemAs<QCheckBox>(kBold), Qt::Key_Space);
    EXPECT_EQ(d.clicks, 1);
    EXPECT_EQ(d.IsItemChecked(kBold), 0);

    d.EnableItem(kWidth, false);
    d.ShowItem(kNote, false);
    EXPECT_FALSE(d.Item(kWidth)->isEnabled());
    EXPECT_TRUE(d.Item(kNote)->isHidden());
    d.SetItemText(kShading, "down brighten");
    EXPECT_EQ(d.GetCurSel(kShading), 3);
    d.SetCurSel(kShading, 99);
    EXPECT_EQ(d.GetCurSel(kShading), -1);
    EXPECT_EQ(d.Item(4242), nullptr);
    d.SetItemText(4242, "nothing"); // an unknown id changes nothing
    EXPECT_EQ(d.GetItemText(4242), "");
}

TEST(DialogControls, OkAndCancelEndWithTheirResultsAndModalRunsGoThroughTheService)
{
    UiRecorder ui;
    {
        SampleDialog d;
        EXPECT_EQ(d.DoModal(), IDCANCEL) << "unscripted: cancelled";
        EXPECT_EQ(d.width, 10);
        EXPECT_EQ(ui.Texts(UiCallKind::Dialog), std::vector<std::string> {"Sample Setting"});
    }
    {
        SampleDialog d;
        ui.Reply(UiReply::Dialog([&](QDialog&) {
            d.SetItemText(kWidth, "0");
            d.ItemAs<QPushButton>(IDOK)->click();
            EXPECT_EQ(d.result(), 0) << "a refused OK keeps the dialog open";
            d.SetItemText(kWidth, " 42 mm");
            d.ItemAs<QPushButton>(IDOK)->click();
            return d.result();
        }));
        EXPECT_EQ(d.DoModal(), IDOK);
        EXPECT_EQ(d.width, 42);
        EXPECT_EQ(ui.Texts(UiCallKind::Message),
            std::vector<std::string> {"Enter a value from 1 to 1000."});
    }
    {
        SampleDialog d;
        d.Initialize();
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_EQ(d.result(), IDCANCEL);
        d.ItemAs<QPushButton>(IDCANCEL)->click();
        EXPECT_EQ(d.result(), IDCANCEL);
        d.SetItemText(kWidth, "12.5x");
        EXPECT_EQ(d.GetItemDouble(kWidth, 0.0, 9999.0), std::nullopt);
        d.SetItemText(kWidth, " 12.25 ");
        EXPECT_EQ(d.GetItemDouble(kWidth, 0.0, 9999.0), 12.25);
        EXPECT_EQ(d.GetItemDouble(kWidth, 0.0, 10.0), std::nullopt);
        const std::vector<std::string> messages = ui.Texts(UiCallKind::Message);
        ASSERT_EQ(messages.size(), 3u);
        EXPECT_NE(std::string(GetLangString(212)), "") << "the text is in the language table";
        EXPECT_EQ(messages[2], GetLangString(212) + std::string(" 0 - 10"));
    }
}
