#include "PrintPreviewDialog.h"

#include <QAction>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

PrintPreviewDialog::PrintPreviewDialog(
    AppPrinter& printer, PageImageSource& source, MarginEditor editMargins, QWidget* parent)
    : QDialog(parent), printer_(printer), source_(source), editMargins_(std::move(editMargins))
{
    setWindowTitle(QStringLiteral("Print Preview"));
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    preview_ = new QPrintPreviewWidget(&printer_.Printer(), this);
    pageLabel_ = new QLabel(this);

    auto add = [&](const char* text, const char* name, auto slot) {
        QAction* action = bar->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add("&Print(P)...", "print", [this] { PrintNow(); });
    add(">>", "next", [this] { NextPage(); });
    add("<<", "previous", [this] { PreviousPage(); });
    add("1-2", "twoPages", [this] { ToggleTwoPages(); });
    add("Zoom &In", "zoomIn", [this] { preview_->zoomIn(); });
    add("Zoom &Out", "zoomOut", [this] { preview_->zoomOut(); });
    add("&Close", "close", [this] { reject(); });
    add("&Margin", "margin", [this] { EditMargins(); });
    bar->addSeparator();
    bar->addWidget(pageLabel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(preview_, 1);
    resize(900, 720);

    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &PrintPreviewDialog::Render);
    connect(
        preview_, &QPrintPreviewWidget::previewChanged, this, &PrintPreviewDialog::UpdatePageLabel);
}

PrintPreviewDialog::~PrintPreviewDialog() = default;

void PrintPreviewDialog::Render(QPrinter* printer)
{
    const PrintOutcome outcome = PrintPages(*printer, source_, printer_.Margins());
    lastError_ = outcome.error;
}

int PrintPreviewDialog::PageCount() const
{
    return preview_->pageCount();
}

int PrintPreviewDialog::CurrentPage() const
{
    return preview_->currentPage();
}

void PrintPreviewDialog::SetCurrentPage(int page)
{
    preview_->setCurrentPage(page);
    UpdatePageLabel();
}

void PrintPreviewDialog::UpdatePageLabel()
{
    if (!lastError_.empty()) {
        pageLabel_->setText(QString::fromStdString(lastError_));
        return;
    }
    pageLabel_->setText(QStringLiteral("  Page %1 of %2").arg(CurrentPage()).arg(PageCount()));
}

void PrintPreviewDialog::PrintNow()
{
    hide();
    printer_.Print(source_, parentWidget());
    accept();
}

void PrintPreviewDialog::EditMargins()
{
    if (!editMargins_ || !editMargins_(printer_.Margins()))
        return;
    const int page = CurrentPage();
    preview_->updatePreview();
    SetCurrentPage(std::min(std::max(page, 1), std::max(PageCount(), 1)));
}

void PrintPreviewDialog::NextPage()
{
    SetCurrentPage(std::min(CurrentPage() + 1, PageCount()));
}

void PrintPreviewDialog::PreviousPage()
{
    SetCurrentPage(std::max(CurrentPage() - 1, 1));
}

void PrintPreviewDialog::ToggleTwoPages()
{
    preview_->setViewMode(preview_->viewMode() == QPrintPreviewWidget::SinglePageView
            ? QPrintPreviewWidget::AllPagesView
            : QPrintPreviewWidget::SinglePageView);
    UpdatePageLabel();
}
