#include "CheckListRows.h"
#include "PowerListView.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int h = 10; // row height: rows 11 pixels apart, names from x = 23
constexpr unsigned kLeft = CheckListRows::kLeftButton;
constexpr unsigned kShift = CheckListRows::kShift;
constexpr unsigned kCtrl = CheckListRows::kControl;

// The y of a point inside visible row i.
int RowY(int i)
{
    return (h + 1) * (i + 1) + 5;
}

CheckListRows FiveRows()
{
    CheckListRows rows;
    for (const char* path : {"/src/a.c", "/src/b.c", "/src/sub/c.cpp", "d.cc", "/e.c"})
        rows.AddItem(path, true, true);
    return rows;
}

std::vector<int> Selected(const CheckListRows& rows)
{
    return rows.GetSelectedFiles();
}

} // namespace

TEST(CheckListTest, RowsSplitTheirPathAtTheLastSlash)
{
    CheckListRows rows = FiveRows();
    EXPECT_EQ(rows.Rows()[2].folder, "/src/sub/");
    EXPECT_EQ(rows.Rows()[2].name, "c.cpp");
    EXPECT_EQ(rows.Rows()[3].folder, "");
    EXPECT_EQ(rows.Rows()[3].name, "d.cc");
    EXPECT_EQ(rows.Rows()[4].folder, "/");
}

TEST(CheckListTest, BoxClicksFlipOneFlagAndLeaveTheSelection)
{
    CheckListRows rows = FiveRows();
    EXPECT_TRUE(rows.LButtonDown(kLeft, 5, RowY(1), h)); // analyse box of row 1
    EXPECT_TRUE(rows.LButtonDown(kLeft, h + 2, RowY(2), h)); // first pixel of the draw box
    EXPECT_FALSE(rows.Rows()[1].analyse);
    EXPECT_TRUE(rows.Rows()[1].draw);
    EXPECT_TRUE(rows.Rows()[2].analyse);
    EXPECT_FALSE(rows.Rows()[2].draw);
    EXPECT_TRUE(Selected(rows).empty());

    // The header, the seam at x = 2h + 3, rows past the end and boxes
    // clicked with a key held change nothing.
    EXPECT_FALSE(rows.LButtonDown(kLeft, 5, 3, h));
    EXPECT_FALSE(rows.LButtonDown(kLeft, 2 * h + 3, RowY(0), h));
    EXPECT_FALSE(rows.LButtonDown(kLeft, 5, RowY(5), h));
    EXPECT_FALSE(rows.LButtonDown(kLeft | kCtrl, 5, RowY(0), h));
    EXPECT_TRUE(rows.Rows()[0].analyse);

    // Selecting does not touch the flags.
    rows.LButtonDown(kLeft, 50, RowY(1), h);
    EXPECT_FALSE(rows.Rows()[1].analyse);
    EXPECT_TRUE(rows.Rows()[1].draw);
}

TEST(CheckListTest, PlainCtrlAndShiftClicksSelectAsAListDoes)
{
    CheckListRows rows = FiveRows();
    EXPECT_FALSE(rows.LButtonDown(kLeft | kShift, 50, RowY(3), h)) << "no anchor yet";
    EXPECT_TRUE(Selected(rows).empty());

    rows.LButtonDown(kLeft, 50, RowY(3), h);
    EXPECT_EQ(Selected(rows), std::vector<int>({3}));
    rows.LButtonDown(kLeft, 50, RowY(1), h);
    EXPECT_EQ(Selected(rows), std::vector<int>({1})) << "a plain click selects one row";

    rows.LButtonDown(kLeft | kShift, 50, RowY(3), h);
    EXPECT_EQ(Selected(rows), std::vector<int>({1, 2, 3}));
    rows.LButtonDown(kLeft | kShift, 50, RowY(0), h);
    EXPECT_EQ(Selected(rows), std::vector<int>({0, 1})) << "Shift reaches back from the anchor";

    rows.LButtonDown(kLeft | kCtrl, 50, RowY(4), h);
    EXPECT_EQ(Selected(rows), std::vector<int>({0, 1, 4}));
    EXPECT_EQ(rows.Anchor(), 4);
    rows.LButtonDown(kLeft | kCtrl, 50, RowY(0), h);
    EXPECT_EQ(Selected(rows), std::vector<int>({1, 4})) << "Ctrl takes a row out again";
    rows.LButtonDown(kLeft | kCtrl | kShift, 50, RowY(2), h);
    EXPECT_EQ(Selected(rows), std::vector<int>({0, 1, 2, 4})) << "Ctrl+Shift adds a range";

    // Scrolled down by two rows, the first visible row is row 2.
    rows.UpdateLimits(0, 200, 3 * (h + 1), h);
    rows.SetVerticalPosition(2);
    EXPECT_EQ(rows.VerticalPosition(), 2);
    rows.LButtonDown(kLeft, 50, RowY(0), h);
    EXPECT_EQ(Selected(rows), std::vector<int>({2}));
}

TEST(CheckListTest, HeaderDoubleClicksFlipAColumnOrTheDisplayMode)
{
    CheckListRows rows = FiveRows();
    rows.Rows()[1].analyse = false;
    rows.LButtonDblClk(kLeft, 3, 2, h);
    EXPECT_TRUE(rows.AllAnalysisChecked()) << "one row unchecked: all get checked";
    rows.LButtonDblClk(kLeft, 3, 2, h);
    for (const CheckListRow& row : rows.Rows())
        EXPECT_FALSE(row.analyse);
    rows.LButtonDblClk(kLeft, 2 * h + 2, 2, h);
    for (const CheckListRow& row : rows.Rows())
        EXPECT_FALSE(row.draw);

    EXPECT_EQ(rows.displayMode, 1);
    rows.LButtonDblClk(kLeft, 2 * h + 3, 2, h);
    EXPECT_EQ(rows.displayMode, 0);
    rows.LButtonDblClk(kLeft, 100, 2, h);
    EXPECT_EQ(rows.displayMode, 1);

    EXPECT_FALSE(rows.LButtonDblClk(kLeft, 100, RowY(0), h)) << "below the header";
    EXPECT_FALSE(rows.LButtonDblClk(kLeft | kShift, 100, 2, h));

    CheckListRows empty;
    EXPECT_TRUE(empty.AllSelected());
    EXPECT_TRUE(empty.AllAnalysisChecked());
    EXPECT_TRUE(empty.AllDrawChecked());
    empty.LButtonDblClk(kLeft, 3, 2, h);
    EXPECT_TRUE(empty.Rows().empty());
}

TEST(CheckListTest, RemovingRowsForgetsTheAnchorAndClampsTheScrolling)
{
    CheckListRows rows;
    for (int i = 0; i < 30; ++i)
        rows.AddItem("/f" + std::to_string(i) + ".c", true, i % 2 == 0);
    // Eleven rows' height: the header and ten rows show.
    rows.UpdateLimits(400, 100, 11 * (h + 1), h);
    EXPECT_EQ(rows.VerticalLimit(), 20);
    EXPECT_EQ(rows.HorizontalLimit(), 400 - (100 - 2 * h - 3));
    rows.SetVerticalPosition(50);
    EXPECT_EQ(rows.VerticalPosition(), 20);
    rows.SetHorizontalPosition(-3);
    EXPECT_EQ(rows.HorizontalPosition(), 0);

    rows.LButtonDown(kLeft, 50, RowY(9), h); // row 29, the last
    EXPECT_EQ(rows.Anchor(), 29);
    rows.SelectAll();
    rows.Rows()[3].selected = false;
    rows.Rows()[4].selected = false;
    rows.RemoveSelectedRows();
    ASSERT_EQ(rows.Rows().size(), 2u);
    EXPECT_EQ(rows.Rows()[0].path, "/f3.c");
    EXPECT_FALSE(rows.Rows()[0].draw);
    EXPECT_EQ(rows.Anchor(), -1);
    EXPECT_EQ(rows.VerticalLimit(), 0);
    EXPECT_EQ(rows.VerticalPosition(), 0);

    // A Shift-click now finds no anchor, so no row past the end is touched.
    EXPECT_FALSE(rows.LButtonDown(kLeft | kShift, 50, RowY(1), h));
    EXPECT_TRUE(rows.GetSelectedFiles().empty());

    rows.DeleteAllItems();
    EXPECT_TRUE(rows.Rows().empty());
    EXPECT_EQ(rows.HorizontalLimit(), 0);
}

TEST(CheckListTest, TheListPaintsBoxesTitlesAndSelection)
{
    CPowerListView list;
    list.resize(300, 160);
    list.AddItem("/work/src/main.c", true, false);
    list.AddItem("/work/src/util.c", false, true);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const int rh = list.RowHeight();
    ASSERT_GT(rh, 8);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(100, (rh + 1) + 4));
    EXPECT_EQ(list.GetSelectedFiles(), std::vector<int>({0}));

    const QImage image = list.Render();
    const auto colour = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
    const int y0 = (rh + 1) + 1;
    // Row 0: a filled analyse box, an empty draw box, a selected name area.
    EXPECT_EQ(colour(1 + rh / 2, y0 + rh / 2), 0xFF5900u);
    EXPECT_EQ(colour(rh + 2 + rh / 2, y0 + rh / 2), 0xFFFFFFu);
    EXPECT_EQ(colour(rh + 4, y0 + rh / 2), 0x4DA500u) << "the draw box's outline";
    EXPECT_EQ(colour(250, y0 + 1), 0xC8FFC8u);
    // Row 1 is not analysed: its draw box is grey, though set.
    const int y1 = 2 * (rh + 1) + 1;
    EXPECT_EQ(colour(rh + 2 + rh / 2, y1 + rh / 2), 0xBEBEBEu);
    EXPECT_EQ(colour(250, y1 + 1), 0xFFFFFFu);
    EXPECT_EQ(colour(150, rh), 0x000000u) << "the header line";
}
