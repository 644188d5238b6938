#pragma once

#include "GdiTypes.h"
#include "PrintMargins.h"
#include "PrinterMetrics.h"

// How a picture of w by h view pixels goes onto paper: one view pixel is a
// quarter of a millimetre; the picture is cut into columns and rows of pages,
// each filling the paper inside the margins, numbered row by row from 1.
// Coordinates on the page are device pixels from the paper's top-left corner.
class PrintLayout {
public:
    struct Page {
        CRect source; // view pixels of the picture
        CRect target; // device pixels on the paper
    };

    // Measures the pages for a picture and returns their number. Margins
    // narrower than the printer's borders are raised to them (and written
    // back); the paper's size and borders are recorded in the margins.
    // Throws a PrintError when there is no picture or the printer has no paper.
    int Prepare(int width, int height, const PrinterMetrics& metrics, PrintMargins& margins);

    // True, and the new margins taken, when the margins differ, in device
    // pixels, from those of the last Prepare.
    bool MarginsChanged(const PrintMargins& margins);

    int PageCount() const { return columns_ * rows_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    // Page `number` from 1. The pages' source rectangles tile the picture
    // without gap or overlap.
    Page GetPage(int number) const;

private:
    struct Edges {
        int top = 0, bottom = 0, left = 0, right = 0;
        friend bool operator==(const Edges&, const Edges&) = default;
    };
    Edges ToPixels(const PrintMargins& margins) const;

    PrinterMetrics metrics_;
    CSize picture_;
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
    CSize printed_; // the picture in device pixels
    Edges margins_;
    CSize page_; // the part of a page inside the margins
    int columns_ = 0;
    int rows_ = 0;
};
