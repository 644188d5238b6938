#include "ViewsFixture.h"

#include "LanguageTable.h"
#include "MarginDialog.h"
#include "PrintPreviewDialog.h"
#include "SelectViewDialog.h"

#include <QPageSize>
#include <QPushButton>
#include <cmath>
#include <regex>
#include <sstream>

namespace {

// The page count and the first sheet's size in points of a PDF file.
std::pair<int, std::pair<long, long>> PdfPages(const std::string& path)
{
    const std::string pdf = ReadFileBytes(path);
    std::smatch count;
    std::regex_search(pdf, count, std::regex(R"(/Type\s*/Pages\b[^>]*/Count\s+(\d+))"));
    std::smatch box;
    double left = 0, bottom = 0, right = 0, top = 0;
    if (std::regex_search(pdf, box, std::regex(R"(/MediaBox\s*\[([^\]]*)\])")))
        std::istringstream(box[1]) >> left >> bottom >> right >> top;
    return {count.empty() ? -1 : std::stoi(count[1]),
        {std::lround(right - left), std::lround(top - bottom)}};
}

// Pages of a picture on A4 with the margins at start: a view pixel is a
// quarter of a millimetre, and 204 by 277 mm lie inside the margins.
int A4Pages(CSize picture)
{
    auto up = [](double mm, double page) { return static_cast<int>(std::ceil(mm / page - 1e-9)); };
    return up(picture.cx / 4.0, 204.0) * up(picture.cy / 4.0, 277.0);
}

// Presses one of the view chooser's buttons.
UiReply ChooseView(int id)
{
    return UiReply::Dialog([id](QDialog& dialog) {
        static_cast<CDialogSelectView&>(dialog).ItemAs<QPushButton>(id)->click();
        return dialog.result();
    });
}

UiReply AcceptPrintDialog()
{
    return UiReply::Dialog([](QDialog& dialog) {
        dialog.done(QDialog::Accepted);
        return dialog.result();
    });
}

} // namespace

// Both views print to paper through the chooser or the keys' command: the
// macro view and a long flow chart, each cut into A4 pages; a view with
// nothing to print says so and prints nothing.
TEST(ViewPrint, MacroViewAndFlowChartPrintToPdfPages)
{
    ViewsFixture f;
    AppPrinter& printer = f.program.context->Printer();
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    CommandRegistry& commands = f.Frame().Commands();

    printer.SetPdfOutput(f.folder.File("macro.pdf"));
    f.ui.Reply(ChooseView(CDialogSelectView::IDC_MACRO)).Reply(AcceptPrintDialog());
    commands.Execute(ID_PRINT_CHOOSE);
    const auto [macroPages, macroSheet] = PdfPages(f.folder.File("macro.pdf"));
    EXPECT_EQ(macroPages, A4Pages(f.Macro().GetTotalSize()));
    EXPECT_EQ(macroSheet, std::pair(595L, 842L)) << "A4 in points";

    // The long function at 16x is taller than a page; Ctrl+P prints the
    // view that has the focus.
    f.Choose(kFlow16);
    f.Select("Long");
    const CSize flow = f.Detail().GetTotalSize();
    ASSERT_GT(flow.cy, 4 * 1108);
    f.Detail().setFocus();
    printer.SetPdfOutput(f.folder.File("flow.pdf"));
    f.ui.Reply(AcceptPrintDialog());
    commands.Execute(ID_FILE_PRINT);
    EXPECT_EQ(PdfPages(f.folder.File("flow.pdf")).first, A4Pages(flow));
    printer.SetPdfOutput(f.folder.File("direct.pdf"));
    commands.Execute(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(PdfPages(f.folder.File("direct.pdf")).first, A4Pages(flow)) << "without a dialog";
    EXPECT_TRUE(f.ui.Texts(UiCallKind::Message).empty());
    EXPECT_EQ(f.ui.RepliesLeft(), 0u);

    // Nothing to print: a message, no print dialog.
    f.Macro().ClearAll();
    f.Macro().setFocus();
    commands.Execute(ID_FILE_PRINT);
    f.Detail().setFocus();
    commands.Execute(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(f.ui.Texts(UiCallKind::Message),
        (std::vector<std::string> {"Macro-view has no image to print.", GetLangString(51)}));
    EXPECT_EQ(f.ui.Texts(UiCallKind::Dialog).size(), 3u)
        << "only the chooser and the two print dialogs above";
}

// A flow chart a little taller than a page whose boxes end within the first
// page prints as one page, and previews as one: the rest of its picture is
// background (here not white).
TEST(ViewPrint, APageOfNothingButBackgroundIsLeftOut)
{
    ViewsFixture f;
    CFlowSetting setting = f.Detail().FlowSetting();
    setting.BackGroundColor = RGB(250, 200, 210);
    f.Detail().ApplyFlowSetting(setting);
    std::string body = "int Tall(int x)\n{\n";
    for (int i = 0; i < 13; ++i)
        body += "    if (x > " + std::to_string(i) + ")\n        x = x - 1;\n";
    f.program.Doc().AddFile(f.folder.Write("tall.c", body + "    return x;\n}\n"));
    f.Frame().Commands().Execute(ID_DRAW);
    ASSERT_TRUE(WaitFor([&f] { return !f.program.context->drawRunning; }));
    f.Macro().UnfoldAll();
    f.Choose(kFlow1);
    f.Select("Tall");
    const CSize flow = f.Detail().GetTotalSize();
    ASSERT_EQ(A4Pages(flow), 2) << flow.cy << " pixels: a little over one page";

    AppPrinter& printer = f.program.context->Printer();
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    printer.SetPdfOutput(f.folder.File("tall.pdf"));
    f.Detail().setFocus();
    f.Frame().Commands().Execute(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(PdfPages(f.folder.File("tall.pdf")).first, 1);
    int previewed = 0;
    f.ui.Reply(UiReply::Dialog([&](QDialog& dialog) {
        auto& preview = static_cast<PrintPreviewDialog&>(dialog);
        preview.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&preview));
        previewed = preview.PageCount();
        dialog.done(QDialog::Rejected);
        return dialog.result();
    }));
    f.Frame().Commands().Execute(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(previewed, 1);
    EXPECT_TRUE(f.ui.Texts(UiCallKind::Message).empty());
}

// The preview's Margin button: wider margins give more pages, and the
// current page stays within them.
TEST(ViewPrint, PreviewPagesFollowTheMargins)
{
    ViewsFixture f;
    AppPrinter& printer = f.program.context->Printer();
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    printer.SetPdfOutput(f.folder.File("unused.pdf"));
    f.Choose(kFlow16);
    f.Select("Long");

    int before = 0;
    int after = 0;
    f.ui.Reply(ChooseView(CDialogSelectView::IDC_DETAIL));
    f.ui.Reply(UiReply::Dialog([&](QDialog& dialog) {
        auto& preview = static_cast<PrintPreviewDialog&>(dialog);
        preview.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&preview));
        before = preview.PageCount();
        preview.SetCurrentPage(before);
        preview.EditMargins();
        after = preview.PageCount();
        EXPECT_EQ(preview.CurrentPage(), std::min(before, after));
        dialog.done(QDialog::Rejected);
        return dialog.result();
    }));
    // The margin dialog: 80 mm at the top and the bottom.
    f.ui.Reply(UiReply::Dialog([](QDialog& dialog) {
        auto& margins = static_cast<CDialogMargin&>(dialog);
        margins.top = margins.bottom = 80.0;
        dialog.done(IDOK);
        return dialog.result();
    }));
    f.Frame().Commands().Execute(ID_PRINT_PREVIEW_CHOOSE);
    EXPECT_EQ(f.ui.RepliesLeft(), 0u);
    EXPECT_EQ(before, A4Pages(f.Detail().GetTotalSize()));
    EXPECT_GT(after, before);
    EXPECT_EQ(printer.Margins().top, 80.0) << "the margins stay for the rest of the run";
    EXPECT_TRUE(f.ui.Texts(UiCallKind::Message).empty());
}
