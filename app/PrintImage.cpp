#include "PrintImage.h"

#include "PrintError.h"

#include "AppPrinter.h"
#include "LanguageTable.h"
#include "MarginDialog.h"
#include "PrintPreviewDialog.h"
#include "UiService.h"

#include <exception>

namespace {

void ShowPrintError(const std::string& text)
{
    Ui().MessageBox(text, MessageButtons::Ok, MessageIcon::Error);
}

} // namespace

void PrintView(AppPrinter& printer, PrintableView& view, QWidget* parent, bool direct)
{
    if (!view.OnPreparePrinting())
        return;
    try {
        if (!direct) {
            // Print shows its own failures after the page loop.
            printer.Print(view, parent);
            return;
        }
        printer.Printer().setPrintRange(QPrinter::AllPages);
        const PrintOutcome outcome = PrintPages(printer.Printer(), view, printer.Margins());
        if (!outcome.error.empty())
            ShowPrintError(outcome.error);
    } catch (const std::exception&) {
        ShowPrintError(GetLangString(50));
    }
}

void PreviewView(AppPrinter& printer, PrintableView& view, QWidget* parent)
{
    if (!view.OnPreparePrinting())
        return;
    try {
        printer.CountPages(view);
    } catch (const PrintError& failure) {
        ShowPrintError(failure.what());
        return;
    } catch (const std::exception&) {
        ShowPrintError(GetLangString(50));
        return;
    }
    std::string error;
    try {
        PrintPreviewDialog preview(
            printer, view,
            [parent](PrintMargins& margins) { return EditPrintMargins(margins, parent); }, parent);
        Ui().RunModal(preview);
        error = preview.LastError();
    } catch (const std::exception&) {
        error = GetLangString(50);
    }
    if (!error.empty())
        ShowPrintError(error);
}
