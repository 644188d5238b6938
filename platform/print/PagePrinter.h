#pragma once

#include "GdiTypes.h"
#include "PrintMargins.h"

#include <string>

class CDC;
class PrintLayout;
class QPrinter;

// A view that prints its picture: the whole picture's size in view pixels,
// a routine that draws it into a device context whose clip box is the part
// one page needs (the window origin is at that part's top-left corner), and
// the colour the picture has where nothing is drawn.
class PageImageSource {
public:
    virtual ~PageImageSource() = default;
    virtual CSize PrintImageSize() const = 0;
    virtual void DrawPrintImage(CDC& dc) = 0;
    virtual COLORREF PrintBackground() const { return RGB(255, 255, 255); }
};

struct PrintOutcome {
    int pages = 0; // the job's page count
    int printed = 0; // pages drawn
    std::string error; // empty when the job went through
};

// Prints the picture onto the printer's pages: each page's part of the picture
// is drawn into an image of view pixels, white first, and stretched onto the
// paper inside the margins. A part that holds nothing but the picture's
// background is no page of the job (the picture's size may reach a little
// past what it shows, and a wide picture may leave parts empty). Prints the
// printer's page range when it has one, otherwise every page. A failure (no
// picture, no paper) is returned as text and nothing is printed.
PrintOutcome PrintPages(QPrinter& printer, PageImageSource& source, PrintMargins& margins);

// The number of pages PrintPages prints for the layout: the parts that hold
// something of the picture. Throws a PrintError when none does, and what
// drawing a part throws.
int CountPagesWithPicture(const PrintLayout& layout, PageImageSource& source);
