#pragma once

#include "AppPrinter.h"

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QPrintPreviewWidget;
class QToolBar;

// The print preview of a view's picture on the program's printer: a tool bar
// ("&Print(P)...", ">>", "<<", "1-2", "Zoom &In", "Zoom &Out", "&Close",
// "&Margin"), the pages, and the page number; "1-2" switches between one
// page and all pages side by side. Print runs the print dialog and
// closes the preview. Margin calls back with the print margins (the margin
// dialog is the program's); when the callback reports a change, the pages are
// laid out again and the current page is kept within the new page count.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    using MarginEditor = std::function<bool(PrintMargins&)>;

    PrintPreviewDialog(AppPrinter& printer, PageImageSource& source, MarginEditor editMargins,
        QWidget* parent = nullptr);
    ~PrintPreviewDialog() override;

    int PageCount() const;
    int CurrentPage() const;
    void SetCurrentPage(int page);
    // The failure of the last layout, empty when there was none.
    const std::string& LastError() const { return lastError_; }
    QPrintPreviewWidget* Preview() const { return preview_; }

    // The tool bar's actions, for the program and its tests.
    void PrintNow();
    void EditMargins();
    void NextPage();
    void PreviousPage();
    void ToggleTwoPages();

private:
    void Render(QPrinter* printer);
    void UpdatePageLabel();

    AppPrinter& printer_;
    PageImageSource& source_;
    MarginEditor editMargins_;
    QPrintPreviewWidget* preview_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    std::string lastError_;
};
