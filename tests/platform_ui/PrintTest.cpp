#include "PrintError.h"
#include "AppPrinter.h"
#include "DeviceContext.h"
#include "PrintLayout.h"
#include "PrintPreviewDialog.h"
#include "TempFolder.h"
#include "UiRecorder.h"

#include <QPageSize>
#include <QPrintDialog>
#include <QTest>
#include <gtest/gtest.h>
#include <cmath>
#include <functional>
#include <new>
#include <regex>
#include <sstream>

namespace {

PrinterMetrics Metrics(double perMm, CSize paper, int border = 0)
{
    return {perMm, perMm, paper, border, border, border, border};
}

// A picture that records which parts each page asked for.
struct Picture : PageImageSource {
    CSize size;
    std::vector<CRect> drawn;
    explicit Picture(CSize s) : size(s) { }
    CSize PrintImageSize() const override { return size; }
    void DrawPrintImage(CDC& dc) override
    {
        drawn.push_back(dc.GetClipBox());
        dc.FillSolidRect(0, 0, size.cx, size.cy, RGB(200, 220, 255));
        dc.FillSolidRect(10, 10, size.cx - 20, 30, RGB(0, 0, 128));
    }
};

// The page count and the sheets' sizes in points (rounded) of a PDF file,
// from its page tree.
std::pair<int, std::vector<std::pair<long, long>>> PdfPages(const std::string& path)
{
    const std::string pdf = ReadFileBytes(path);
    std::smatch count;
    std::regex_search(pdf, count, std::regex(R"(/Type\s*/Pages\b[^>]*/Count\s+(\d+))"));
    std::vector<std::pair<long, long>> boxes;
    const std::regex box(R"(/MediaBox\s*\[([^\]]*)\])");
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), box); it != std::sregex_iterator();
         ++it) {
        double left = 0, bottom = 0, right = 0, top = 0;
        std::istringstream((*it)[1]) >> left >> bottom >> right >> top;
        boxes.emplace_back(std::lround(right - left), std::lround(top - bottom));
    }
    return {count.empty() ? -1 : std::stoi(count[1]), boxes};
}

} // namespace

TEST(PrintLayoutPages, PicturesAreCutIntoPagesRowByRowAtAQuarterMillimetrePerPixel)
{
    // 24 pixels per millimetre: a view pixel is 6 device pixels; margins of
    // 3 mm leave 4500 pixels across a sheet of 4644.
    PrintLayout layout;
    PrintMargins margins;
    EXPECT_EQ(layout.Prepare(800, 600, Metrics(24, {4644, 6000}), margins), 2);
    EXPECT_EQ(layout.GetPage(1).target, CRect(72, 240, 72 + 4500, 240 + 3600));
    EXPECT_EQ(layout.GetPage(1).source, CRect(0, 0, 750, 600));
    EXPECT_EQ(layout.GetPage(2).target, CRect(72, 240, 72 + 300, 240 + 3600));
    EXPECT_EQ(layout.GetPage(2).source, CRect(750, 0, 800, 600));
    EXPECT_EQ(margins.pageWidthMm, 4644 / 24.0);

    // 2 columns and 3 rows: page 3 begins the second row.
    EXPECT_EQ(layout.Prepare(800, 2000, Metrics(24, {4644, 6000}), margins), 6);
    EXPECT_EQ((std::pair(layout.Columns(), layout.Rows())), std::pair(2, 3));
    EXPECT_EQ(layout.GetPage(3).source, CRect(0, 920, 750, 1840));
    EXPECT_EQ(layout.GetPage(6).source, CRect(750, 1840, 800, 2000));

    // A border wider than a margin raises it; margins the printer allows stay
    // exactly as typed.
    margins = PrintMargins {};
    layout.Prepare(800, 600, Metrics(24, {4644, 6000}, 120), margins);
    EXPECT_EQ((std::tuple(margins.left, margins.right, margins.top, margins.minLeft)),
        std::tuple(5.0, 5.0, 10.0, 5.0));
    EXPECT_EQ(layout.GetPage(1).target.left, 120);
    EXPECT_FALSE(layout.MarginsChanged(margins));
    margins.top = 20.0;
    EXPECT_TRUE(layout.MarginsChanged(margins));
    EXPECT_FALSE(layout.MarginsChanged(margins));

    // At 600 dots per inch page edges fall between view pixels: the pages'
    // parts still tile the picture with no column lost or repeated.
    const PrinterMetrics odd = Metrics(600 / 25.4, {4960, 7016});
    margins = PrintMargins {};
    const int pages = layout.Prepare(3001, 4999, odd, margins);
    EXPECT_EQ(margins.top, 10.0);
    int expectedLeft = 0;
    for (int p = 1; p <= layout.Columns(); ++p) {
        EXPECT_EQ(layout.GetPage(p).source.left, expectedLeft) << "page " << p;
        expectedLeft = layout.GetPage(p).source.right;
    }
    EXPECT_EQ(expectedLeft, 3001);
    EXPECT_EQ(layout.GetPage(pages).source.bottom, 4999);

    const std::pair<PrinterMetrics, std::string> failures[] = {
        {Metrics(24, {0, 6000}), "Printer Error : Paper Size is Zero."},
        {Metrics(0, {4644, 6000}), "Printer Error : Printer Pixel/mm is Zero."}};
    for (const auto& [metrics, text] : failures) {
        try {
            layout.Prepare(10, 10, metrics, margins);
            ADD_FAILURE() << text;
        } catch (const PrintError& thrown) {
            EXPECT_EQ(thrown.what(), text);
        }
    }
    EXPECT_THROW(layout.Prepare(0, 10, Metrics(24, {4644, 6000}), margins), PrintError);
}

TEST(PrintToPdf, EachPageIsDrawnFromItsPartAndTheFileHasThePagesAndPaper)
{
    TempFolder folder;
    UiRecorder ui;
    AppPrinter printer;
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    printer.SetPdfOutput(folder.File("all.pdf"));
    // A4 inside the margins holds 816 by 1108 view pixels: 2 by 2 pages.
    Picture picture({1000, 1500});
    PrintOutcome outcome = PrintPages(printer.Printer(), picture, printer.Margins());
    EXPECT_EQ((std::tuple(outcome.pages, outcome.printed, outcome.error)),
        std::tuple(4, 4, std::string()));
    ASSERT_EQ(picture.drawn.size(), 4u);
    EXPECT_EQ(picture.drawn[0].left, 0);
    EXPECT_EQ(picture.drawn[1].left, picture.drawn[0].right);
    EXPECT_EQ(picture.drawn[3].bottom, 1500);
    auto [count, boxes] = PdfPages(folder.File("all.pdf"));
    EXPECT_EQ(count, 4);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0], std::pair(595L, 842L)) << "A4 in points";

    // The print dialog's answer decides; a page range prints only its pages.
    printer.SetPdfOutput(folder.File("range.pdf"));
    EXPECT_EQ(printer.Print(picture, nullptr).printed, 0);
    ui.Reply(UiReply::Dialog([&](QDialog& dialog) {
        printer.Printer().setPrintRange(QPrinter::PageRange);
        printer.Printer().setFromTo(2, 3);
        dialog.done(QDialog::Accepted);
        return dialog.result();
    }));
    EXPECT_EQ(printer.Print(picture, nullptr).printed, 2);
    EXPECT_EQ(PdfPages(folder.File("range.pdf")).first, 2);

    Picture empty({0, 0});
    EXPECT_EQ(printer.Print(empty, nullptr).error, "Printer Error : No Image To Printer.");
    EXPECT_EQ(ui.Texts(UiCallKind::Message).back(), "Printer Error : No Image To Printer.");
}

// A picture on a coloured background with dark spots where it has content.
struct Spots : PageImageSource {
    CSize size;
    std::vector<CRect> spots;
    static constexpr COLORREF kBackground = RGB(250, 240, 200);
    CSize PrintImageSize() const override { return size; }
    COLORREF PrintBackground() const override { return kBackground; }
    void DrawPrintImage(CDC& dc) override
    {
        dc.FillSolidRect(dc.GetClipBox(), kBackground);
        for (const CRect& spot : spots)
            dc.FillSolidRect(spot, RGB(0, 0, 90));
    }
};

// Pages hold the picture's content: a page of nothing but background is
// neither printed nor offered by the print dialog. On A4 a page holds 816 by
// 1108 view pixels.
TEST(PrintToPdf, PagesWithNothingOfThePictureAreLeftOut)
{
    TempFolder folder;
    UiRecorder ui;
    AppPrinter printer;
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));

    // 280 mm tall, content down to 270 mm: one row, not two.
    Spots picture;
    picture.size = {1000, 1120};
    picture.spots = {{10, 10, 990, 1080}};
    printer.SetPdfOutput(folder.File("tall.pdf"));
    PrintOutcome outcome = PrintPages(printer.Printer(), picture, printer.Margins());
    EXPECT_EQ((std::tuple(outcome.pages, outcome.printed, outcome.error)),
        std::tuple(2, 2, std::string()));
    EXPECT_EQ(PdfPages(folder.File("tall.pdf")).first, 2);
    EXPECT_EQ(printer.CountPages(picture), 2);

    // Three columns with nothing in the middle one: the print dialog offers
    // two pages, and the range counts only those.
    picture.size = {2000, 1000};
    picture.spots = {{100, 100, 200, 200}, {1700, 900, 1800, 950}};
    EXPECT_EQ(printer.CountPages(picture), 2);
    int offered = 0;
    ui.Reply(UiReply::Dialog([&](QDialog& dialog) {
        offered = static_cast<QPrintDialog&>(dialog).maxPage();
        printer.Printer().setPrintRange(QPrinter::PageRange);
        printer.Printer().setFromTo(2, 2);
        dialog.done(QDialog::Accepted);
        return dialog.result();
    }));
    printer.SetPdfOutput(folder.File("range.pdf"));
    outcome = printer.Print(picture, nullptr);
    EXPECT_EQ(offered, 2);
    EXPECT_EQ((std::tuple(outcome.pages, outcome.printed)), std::tuple(2, 1));
    EXPECT_EQ(PdfPages(folder.File("range.pdf")).first, 1);

    // Nothing but background: there is no picture to print.
    picture.spots.clear();
    outcome = PrintPages(printer.Printer(), picture, printer.Margins());
    EXPECT_EQ((std::tuple(outcome.printed, outcome.error)),
        std::tuple(0, std::string("Printer Error : No Image To Printer.")));
    EXPECT_THROW(printer.CountPages(picture), PrintError);
}

TEST(PrintPreview, TheMarginButtonCallsBackAndTheNewPageCountAndCurrentPageFollow)
{
    AppPrinter printer;
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    printer.SetPdfOutput("/dev/null");
    printer.Margins().left = printer.Margins().right = 60.0;
    Picture picture({1000, 1500});
    int edits = 0;
    bool change = true;
    PrintPreviewDialog preview(printer, picture, [&](PrintMargins& margins) {
        ++edits;
        if (change)
            margins.left = margins.right = 3.0;
        return change;
    });
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_EQ(preview.PageCount(), 6);
    preview.SetCurrentPage(6);
    preview.EditMargins();
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(preview.PageCount(), 4);
    EXPECT_EQ(preview.CurrentPage(), 4);
    change = false;
    preview.EditMargins();
    EXPECT_EQ(preview.PageCount(), 4);
    preview.PreviousPage();
    EXPECT_EQ(preview.CurrentPage(), 3);
    EXPECT_TRUE(preview.LastError().empty());
}

// A page whose drawing fails ends the job with the failure's text, both when
// printing and inside the preview's paint, where nothing thrown may reach
// the toolkit.
TEST(PrintToPdf, APageThatCannotBeDrawnEndsTheJobWithItsReason)
{
    struct Failing : Picture {
        using Picture::Picture;
        std::function<void()> fail;
        void DrawPrintImage(CDC& dc) override
        {
            Picture::DrawPrintImage(dc);
            if (drawn.size() == 2)
                fail();
        }
    };
    TempFolder folder;
    AppPrinter printer;
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    printer.SetPdfOutput(folder.File("cut.pdf"));
    Failing picture({1000, 1500});
    picture.fail = [] { throw PrintError("Printer Error : Printer Image Make Fail."); };
    PrintOutcome outcome = PrintPages(printer.Printer(), picture, printer.Margins());
    EXPECT_EQ((std::tuple(outcome.pages, outcome.printed, outcome.error)),
        std::tuple(4, 1, std::string("Printer Error : Printer Image Make Fail.")));

    picture.drawn.clear();
    picture.fail = [] { throw std::bad_alloc(); };
    outcome = PrintPages(printer.Printer(), picture, printer.Margins());
    EXPECT_EQ(outcome.printed, 1);
    EXPECT_FALSE(outcome.error.empty());

    picture.drawn.clear();
    picture.fail = [] { throw PrintError("Printer Error : Paper Size is Zero."); };
    PrintPreviewDialog preview(printer, picture, [](PrintMargins&) { return false; });
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_EQ(preview.LastError(), "Printer Error : Paper Size is Zero.");
}

// Page Setup shows the margins printing uses and keeps what it changes:
// one set of margins, not the printer's defaults beside them.
TEST(PageSetup, ShowsAndChangesThePrintMargins)
{
    UiRecorder ui;
    AppPrinter printer;
    printer.SetPdfOutput("/dev/null");
    QMarginsF shown;
    ui.Reply(UiReply::Dialog([&](QDialog& dialog) {
        shown = printer.Printer().pageLayout().margins(QPageLayout::Millimeter);
        dialog.done(QDialog::Accepted);
        return dialog.result();
    }));
    EXPECT_TRUE(printer.PageSetup(nullptr));
    EXPECT_NEAR(shown.left(), 3.0, 0.01);
    EXPECT_NEAR(shown.top(), 10.0, 0.01);
    EXPECT_NEAR(shown.right(), 3.0, 0.01);
    EXPECT_NEAR(shown.bottom(), 10.0, 0.01);
    EXPECT_NEAR(printer.Margins().left, 3.0, 0.01) << "accepting unchanged keeps them";
    EXPECT_NEAR(printer.Margins().top, 10.0, 0.01);

    // A margin the margin dialog changed is what Page Setup shows next.
    printer.Margins().left = 12.5;
    ui.Reply(UiReply::Dialog([&](QDialog& dialog) {
        shown = printer.Printer().pageLayout().margins(QPageLayout::Millimeter);
        dialog.done(QDialog::Rejected);
        return dialog.result();
    }));
    EXPECT_FALSE(printer.PageSetup(nullptr));
    EXPECT_NEAR(shown.left(), 12.5, 0.01);
    EXPECT_NEAR(printer.Margins().left, 12.5, 0.01);
}
