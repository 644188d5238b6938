#include "PrinterMetrics.h"

#include <QPageLayout>
#include <QPrinter>
#include <cmath>

PrinterMetrics PrinterMetrics::Measure(const QPrinter& printer)
{
    PrinterMetrics metrics;
    const int dpi = printer.resolution();
    metrics.pixelsPerMmX = dpi / 25.4;
    metrics.pixelsPerMmY = dpi / 25.4;
    QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(dpi);
    metrics.paper = {paper.width(), paper.height()};
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF borders = layout.minimumMargins();
    auto pixels = [](double mm, double perMm) { return static_cast<int>(std::lround(mm * perMm)); };
    metrics.unprintableLeft = pixels(borders.left(), metrics.pixelsPerMmX);
    metrics.unprintableRight = pixels(borders.right(), metrics.pixelsPerMmX);
    metrics.unprintableTop = pixels(borders.top(), metrics.pixelsPerMmY);
    metrics.unprintableBottom = pixels(borders.bottom(), metrics.pixelsPerMmY);
    return metrics;
}
