#pragma once

#include "PagePrinter.h"
#include "PrintMargins.h"

#include <QPrinter>
#include <string>

class QWidget;

// The program's one printer and its print margins, shared by every view that
// prints. Its dialogs run through the user-interface service (Ui()), so a
// test's recorder answers them.
class AppPrinter {
public:
    AppPrinter();
    AppPrinter(const AppPrinter&) = delete;
    AppPrinter& operator=(const AppPrinter&) = delete;

    QPrinter& Printer() { return printer_; }
    PrintMargins& Margins() { return margins_; }

    // Sends everything printed to a PDF file instead of the printer.
    void SetPdfOutput(const std::string& path);

    // The page-setup dialog; true when the user accepted it.
    bool PageSetup(QWidget* parent);
    // The print dialog, offering the picture's pages, then the job. A failure
    // is shown in a message box. Cancelling gives an outcome with nothing
    // printed and no error.
    PrintOutcome Print(PageImageSource& source, QWidget* parent);
    // The number of pages the picture takes with the current printer and
    // margins; a failure is thrown as a PrintError.
    int CountPages(PageImageSource& source);

private:
    QPrinter printer_;
    PrintMargins margins_;
};
