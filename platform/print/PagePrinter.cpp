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
#include <limits>

namespace {

constexpr const char* kNoImage = "Printer Error : No Image To Printer.";

// One page's part of the picture in view pixels, white before the picture
// draws on it.
QImage DrawPart(PageImageSource& source, const CRect& part)
{
    QImage image(part.Width(), part.Height(), QImage::Format_RGB32);
    if (image.isNull())
        throw PrintError("Printer Error : Printer Image Make Fail.");
    image.fill(Qt::white);
    CDC dc;
    dc.AttachImage(&image);
    dc.SetWindowOrg(part.left, part.top);
    source.DrawPrintImage(dc);
    return image;
}

bool HoldsPicture(const QImage& image, COLORREF background)
{
    const QRgb empty = qRgb(GetRValue(background), GetGValue(background), GetBValue(background));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000u) != empty)
                return true;
        }
    }
    return false;
}

} // namespace

int CountPagesWithPicture(const PrintLayout& layout, PageImageSource& source)
{
    int pages = 0;
    for (int number = 1; number <= layout.PageCount(); ++number) {
        if (HoldsPicture(DrawPart(source, layout.GetPage(number).source), source.PrintBackground()))
            ++pages;
    }
    if (pages == 0)
        throw PrintError(kNoImage);
    return pages;
}

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
    // Pages are numbered as they are found to hold something of the
    // picture; every part is drawn once, and only those in the range print.
    int first = 1;
    int last = std::numeric_limits<int>::max();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(printer.fromPage(), 1);
        if (printer.toPage() > 0)
            last = printer.toPage();
    }
    QPainter painter;
    int found = 0;
    for (int number = 1; number <= outcome.pages; ++number) {
        const PrintLayout::Page page = layout.GetPage(number);
        // A page that cannot be drawn ends the job with its reason; nothing
        // thrown may leave the loop, which also runs inside the preview's
        // paint.
        QImage image;
        try {
            image = DrawPart(source, page.source);
        } catch (const PrintError& failure) {
            outcome.error = failure.what();
        } catch (const std::exception&) {
            outcome.error = GetLangString(50);
        }
        if (!outcome.error.empty())
            break;
        if (!HoldsPicture(image, source.PrintBackground()))
            continue;
        ++found;
        if (found < first || found > last)
            continue;
        if (!painter.isActive()) {
            if (!painter.begin(&printer)) {
                outcome.error = "Printer Error : The printer cannot be opened.";
                break;
            }
            // The preview shows a page smaller than the picture: without
            // smoothing, lines one pixel wide fall between the pixels it
            // keeps.
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
        } else if (!printer.newPage()) {
            outcome.error = "Printer Error : The printer cannot start a new page.";
            break;
        }
        painter.drawImage(
            QRect(page.target.left, page.target.top, page.target.Width(), page.target.Height()),
            image);
        ++outcome.printed;
    }
    if (painter.isActive())
        painter.end();
    // A job cut short keeps the layout's count: how many of the rest would
    // have held something is not known.
    if (outcome.error.empty()) {
        outcome.pages = found;
        if (found == 0)
            outcome.error = kNoImage;
    }
    return outcome;
}
