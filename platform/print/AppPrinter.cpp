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

bool AppPrinter::PageSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&printer_, parent);
    return Ui().RunModal(dialog) == QDialog::Accepted;
}

int AppPrinter::CountPages(PageImageSource& source)
{
    PrintLayout layout;
    const CSize size = source.PrintImageSize();
    return layout.Prepare(size.cx, size.cy, PrinterMetrics::Measure(printer_), margins_);
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
