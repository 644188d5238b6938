#include "PowerListView.h"

#include "DeviceContext.h"
#include "LanguageTable.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

CPowerListView::CPowerListView(QWidget* parent)
    : QAbstractScrollArea(parent),
      gridPen_(PS_SOLID, 1, RGB(230, 230, 240)),
      headerPen_(PS_SOLID, 1, RGB(0, 0, 0)),
      whiteBrush_(RGB(255, 255, 255)),
      selectionBrush_(kSelectionColour),
      analysePen_(PS_SOLID, 1, kAnalyseColour),
      drawPen_(PS_SOLID, 1, kDrawColour),
      disabledPen_(PS_SOLID, 1, kDisabledColour),
      analyseBrush_(kAnalyseColour),
      drawBrush_(kDrawColour),
      disabledBrush_(kDisabledColour)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::Box);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(3);
    horizontalScrollBar()->setSingleStep(4);
    horizontalScrollBar()->setPageStep(12);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (updatingBars_)
            return;
        rows_.SetVerticalPosition(value);
        viewport()->update();
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (updatingBars_)
            return;
        rows_.SetHorizontalPosition(value);
        viewport()->update();
    });
    // The row height is known before the first paint, for clicks.
    CDC dc;
    rowHeight_ = std::max(1, dc.GetTextMetrics().tmHeight);
}

void CPowerListView::AddItem(const std::string& path, bool analyse, bool draw)
{
    rows_.AddItem(path, analyse, draw);
}

void CPowerListView::DeleteAllItems()
{
    rows_.DeleteAllItems();
    UpdateScrollBars();
}

void CPowerListView::RemoveSelectedRows()
{
    rows_.RemoveSelectedRows();
    Refresh();
}

void CPowerListView::SelectAll()
{
    rows_.SelectAll();
    Refresh();
}

void CPowerListView::DeselectAll()
{
    rows_.DeselectAll();
    Refresh();
}

void CPowerListView::CheckAllAnalysis()
{
    rows_.CheckAllAnalysis();
    Refresh();
}

void CPowerListView::UncheckAllAnalysis()
{
    rows_.UncheckAllAnalysis();
    Refresh();
}

void CPowerListView::CheckAllDraw()
{
    rows_.CheckAllDraw();
    Refresh();
}

void CPowerListView::UncheckAllDraw()
{
    rows_.UncheckAllDraw();
    Refresh();
}

void CPowerListView::SetDisplayMode(int mode)
{
    rows_.displayMode = mode == 0 ? 0 : 1;
    Refresh();
}

void CPowerListView::Refresh()
{
    UpdateScrollBars();
    viewport()->update();
}

QImage CPowerListView::Render()
{
    const QSize size = viewport()->size();
    QImage image(std::max(1, size.width()), std::max(1, size.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc;
    dc.AttachImage(&image);
    Draw(dc, size.width(), size.height());
    return image;
}

void CPowerListView::paintEvent(QPaintEvent* event)
{
    const QImage image = Render();
    QPainter painter(viewport());
    painter.drawImage(event->rect(), image, event->rect());
    UpdateScrollBars();
}

void CPowerListView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CPowerListView::Draw(CDC& dc, int width, int height)
{
    rowHeight_ = std::max(1, dc.GetTextMetrics().tmHeight);
    DrawRows(dc, width, height);
    DrawGrid(dc, width, height);
    DrawHeader(dc, width);
}

void CPowerListView::DrawRows(CDC& dc, int width, int height)
{
    const int h = rowHeight_;
    const int nameX = 2 * h + 3;
    const auto& rows = rows_.Rows();
    dc.SetTextColor(RGB(0, 0, 0));
    widest_ = 0;
    for (int i = 0;; ++i) {
        const int index = rows_.VerticalPosition() + i;
        const int y = (h + 1) * (i + 1) + 1;
        if (index >= static_cast<int>(rows.size()) || y >= height)
            break;
        const CheckListRow& row = rows[static_cast<size_t>(index)];
        const int folderWidth = rows_.displayMode == 1 ? dc.GetTextExtent(row.folder).cx : 0;
        widest_ = std::max(widest_, folderWidth + dc.GetTextExtent(row.name).cx);

        dc.FillSolidRect(CRect(nameX - 1, y, width, y + h),
            row.selected ? kSelectionColour : RGB(255, 255, 255));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(row.analyse ? kAnalysedTextColour : kDisabledColour);
        if (rows_.displayMode == 1)
            dc.TextOut(nameX - rows_.HorizontalPosition(), y, row.folder);
        if (row.analyse)
            dc.SetTextColor(RGB(0, 0, 0));
        dc.TextOut(nameX + folderWidth - rows_.HorizontalPosition(), y, row.name);

        dc.FillSolidRect(CRect(0, y, nameX, y + h), RGB(255, 255, 255));
        DrawCheckBox(dc, 1, y, row.analyse, analysePen_, analyseBrush_);
        if (row.analyse)
            DrawCheckBox(dc, h + 2, y, row.draw, drawPen_, drawBrush_);
        else
            DrawCheckBox(dc, h + 2, y, row.draw, disabledPen_, disabledBrush_);
    }
}

void CPowerListView::DrawCheckBox(CDC& dc, int x, int y, bool set, CPen& pen, CBrush& brush)
{
    const int s = rowHeight_;
    const CRect box = s < 9 ? CRect(x, y, x + s, y + s) : CRect(x + 2, y + 2, x + s - 2, y + s - 2);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(CBrush::HollowBrush());
    dc.Rectangle(box.left, box.top, box.right, box.bottom);
    if (set) {
        dc.SelectObject(&brush);
        dc.Ellipse(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CPowerListView::DrawGrid(CDC& dc, int width, int height)
{
    const int h = rowHeight_;
    dc.SetBkMode(OPAQUE);
    CPen* oldPen = dc.SelectObject(&headerPen_);
    dc.MoveTo(0, h);
    dc.LineTo(width, h);
    dc.SelectObject(&gridPen_);
    for (int y = 2 * h + 2; y < height; y += h + 1) {
        dc.MoveTo(0, y);
        dc.LineTo(width, y);
    }
    dc.SelectObject(oldPen);
}

void CPowerListView::DrawHeader(CDC& dc, int width)
{
    const int h = rowHeight_;
    dc.SetBkMode(TRANSPARENT);
    const std::string analyse = GetLangString(305);
    const std::string draw = GetLangString(306);
    dc.SetTextColor(kAnalyseColour);
    dc.TextOut((h - dc.GetTextExtent(analyse).cx) / 2 + 1, 0, analyse);
    dc.SetTextColor(kDrawColour);
    dc.TextOut((h - dc.GetTextExtent(draw).cx) / 2 + h + 2, 0, draw);

    const std::string name = GetLangString(309);
    if (rows_.displayMode == 0) {
        const int x = (width - dc.GetTextExtent(name).cx - 2 * h + 3) / 2 + 2 * h + 3;
        dc.SetTextColor(RGB(0, 0, 0));
        dc.TextOut(x, 0, name);
        return;
    }
    const std::string folder = std::string(GetLangString(307)) + " ";
    const std::string rest = std::string(GetLangString(308)) + " " + name;
    const int titleWidth = dc.GetTextExtent(folder + rest).cx;
    const int x = (width - titleWidth - 2 * h + 3) / 2 + 2 * h + 3;
    dc.SetTextColor(kAnalysedTextColour);
    dc.TextOut(x, 0, folder);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(x + dc.GetTextExtent(folder).cx, 0, rest);
}

void CPowerListView::UpdateScrollBars()
{
    const QSize size = viewport()->size();
    rows_.UpdateLimits(widest_, size.width(), size.height(), rowHeight_);
    updatingBars_ = true;
    verticalScrollBar()->setRange(0, rows_.VerticalLimit());
    verticalScrollBar()->setValue(rows_.VerticalPosition());
    horizontalScrollBar()->setRange(0, rows_.HorizontalLimit());
    horizontalScrollBar()->setValue(rows_.HorizontalPosition());
    updatingBars_ = false;
}

unsigned CPowerListView::KeyFlags(const QMouseEvent& event)
{
    unsigned flags = 0;
    if (event.buttons() & Qt::LeftButton)
        flags |= CheckListRows::kLeftButton;
    if (event.modifiers() & Qt::ShiftModifier)
        flags |= CheckListRows::kShift;
    if (event.modifiers() & Qt::ControlModifier)
        flags |= CheckListRows::kControl;
    return flags;
}

void CPowerListView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        if (rows_.LButtonDown(KeyFlags(*event), p.x(), p.y(), rowHeight_))
            Refresh();
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CPowerListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        if (rows_.LButtonDblClk(KeyFlags(*event), p.x(), p.y(), rowHeight_))
            Refresh();
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}
