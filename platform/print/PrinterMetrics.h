#pragma once

#include "GdiTypes.h"

class QPrinter;

// What the page loop needs to know of a printer, in its device pixels: the
// paper's size, the resolution, and the borders it cannot print into.
struct PrinterMetrics {
    double pixelsPerMmX = 0.0;
    double pixelsPerMmY = 0.0;
    CSize paper; // the whole sheet
    int unprintableLeft = 0;
    int unprintableTop = 0;
    int unprintableRight = 0;
    int unprintableBottom = 0;

    // Measures the printer as it is set up now (paper, orientation,
    // resolution).
    static PrinterMetrics Measure(const QPrinter& printer);
};
