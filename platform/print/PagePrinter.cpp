#include "PagePrinter.h"

#include "PrintError.h"

#include "DeviceContext.h"
#include "LanguageTable.h"
#include "PrintLayout.h"
#include "PrinterMetrics.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

PrintOutcome PrintPages(QPrinter& printer, PageImageSource& source, PrintMargins& margins)
{
    PrintOutcome outcome;
    printer.setFullPage(true);
    PrintLayout layout;
    try {
        const CSize size = source.PrintImageSize();
        outcome.pages = layout.Prepare(size.cx, size.cy, PrinterMetrics::Measure(printer), margins);
    } catch (const PrintError& failure) {
        outcome.error = failure.what();
        return outcome;
    }
    int first = 1;
    int last = outcome.pages;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(printer.fromPage(), 1);
        last = std::min(printer.toPage() > 0 ? printer.toPage() : last, last);
    }
    if (first > last)
        return outcome;
    QPainter painter;
    if (!painter.begin(&printer)) {
        outcome.error = "Printer Error : The printer cannot be opened.";
        return outcome;
    }
    // The preview shows a page smaller than the picture: without smoothing,
    // lines one pixel wide fall between the pixels it keeps.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int number = first; number <= last; ++number) {
        if (number > first && !printer.newPage()) {
            outcome.error = "Printer Error : The printer cannot start a new page.";
            break;
        }
        const PrintLayout::Page page = layout.GetPage(number);
        QImage image(page.source.Width(), page.source.Height(), QImage::Format_RGB32);
        if (image.isNull()) {
            outcome.error = "Printer Error : Printer Image Make Fail.";
            break;
        }
        image.fill(Qt::white);
        // A page that cannot be drawn ends the job with its reason; nothing
        // thrown may leave the loop, which also runs inside the preview's
        // paint.
        try {
            CDC dc;
            dc.AttachImage(&image);
            dc.SetWindowOrg(page.source.left, page.source.top);
            source.DrawPrintImage(dc);
        } catch (const PrintError& failure) {
            outcome.error = failure.what();
            break;
        } catch (const std::exception&) {
            outcome.error = GetLangString(50);
            break;
        }
        painter.drawImage(
            QRect(page.target.left, page.target.top, page.target.Width(), page.target.Height()),
            image);
        ++outcome.printed;
    }
    painter.end();
    return outcome;
}
