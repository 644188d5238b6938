#include "AppPrinter.h"

#include "PrintError.h"

#include "PrintLayout.h"
#include "PrinterMetrics.h"
#include "UiService.h"

#include <QPageSetupDialog>
#include <QPrintDialog>

AppPrinter::AppPrinter() : printer_(QPrinter::HighResolution)
{
    printer_.setFullPage(true);
}

void AppPrinter::SetPdfOutput(const std::string& path)
{
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
}

// The dialog shows and edits the margins printing uses: there is one set,
// not the printer's own defaults beside the program's.
bool AppPrinter::PageSetup(QWidget* parent)
{
    printer_.setPageMargins(QMarginsF(margins_.left, margins_.top, margins_.right, margins_.bottom),
        QPageLayout::Millimeter);
    QPageSetupDialog dialog(&printer_, parent);
    if (Ui().RunModal(dialog) != QDialog::Accepted)
        return false;
    const QMarginsF chosen = printer_.pageLayout().margins(QPageLayout::Millimeter);
    margins_.left = chosen.left();
    margins_.top = chosen.top();
    margins_.right = chosen.right();
    margins_.bottom = chosen.bottom();
    return true;
}

int AppPrinter::CountPages(PageImageSource& source)
{
    PrintLayout layout;
    const CSize size = source.PrintImageSize();
    layout.Prepare(size.cx, size.cy, PrinterMetrics::Measure(printer_), margins_);
    return CountPagesWithPicture(layout, source);
}

PrintOutcome AppPrinter::Print(PageImageSource& source, QWidget* parent)
{
    PrintOutcome outcome;
    try {
        outcome.pages = CountPages(source);
    } catch (const PrintError& failure) {
        outcome.error = failure.what();
        Ui().MessageBox(outcome.error, MessageButtons::Ok, MessageIcon::Error);
        return outcome;
    }
    printer_.setFromTo(0, 0);
    printer_.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer_, parent);
    dialog.setMinMax(1, outcome.pages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (Ui().RunModal(dialog) != QDialog::Accepted)
        return outcome;
    outcome = PrintPages(printer_, source, margins_);
    if (!outcome.error.empty())
        Ui().MessageBox(outcome.error, MessageButtons::Ok, MessageIcon::Error);
    return outcome;
}
