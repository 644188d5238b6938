#pragma once

#include "PagePrinter.h"

class AppPrinter;
class QWidget;

// A view that prints its picture: the picture (PageImageSource), and the
// check before a job that it has one to print, which tells the user when
// it has not.
class PrintableView : public PageImageSource {
public:
    virtual bool OnPreparePrinting() = 0;
};

// Prints the view's picture after the print dialog (`direct`: at once, on
// the printer as it is set up). Failures are shown once the page loop is
// over, never while a page is drawn.
void PrintView(AppPrinter& printer, PrintableView& view, QWidget* parent, bool direct = false);

// The print preview of the view's picture, with its Margin button. A picture
// the printer cannot take is reported before the preview opens; a failure
// while the preview drew its pages is shown when it closes.
void PreviewView(AppPrinter& printer, PrintableView& view, QWidget* parent);
