#pragma once

#include "GdiTypes.h"

#include <QAbstractScrollArea>
#include <QImage>

class CDC;

// Mouse flags the view's handlers get: buttons held and keys pressed.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;

// A scrolling view of a picture larger than its window, painted through a
// device context. Each paint makes a context over the view's back buffer with
// the window origin at the scroll position and the clip box on the part to be
// painted (both in logical, scrolled coordinates), calls OnDraw, and copies
// that part to the screen. Nothing is erased before: OnDraw paints everything
// in its clip box.
//
// Scroll sizes are in pixels. Page and line sizes default to a tenth of the
// total size and a tenth of a page; a click in the scroll bar's trough moves
// by a page, an arrow by a line, the wheel by three lines. Mouse handlers get
// points in logical coordinates (the client point plus the scroll position).
class CScrollView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CScrollView(QWidget* parent = nullptr);
    ~CScrollView() override;

    // A zero page or line size takes the default.
    void SetScrollSizes(CSize total, CSize page = {}, CSize line = {});
    CSize GetTotalSize() const { return total_; }
    CSize GetPageSize() const { return page_; }
    CSize GetLineSize() const { return line_; }
    CPoint GetScrollPosition() const;
    // Scrolls so that the point is at the top-left corner, as far as the
    // scroll range allows.
    void ScrollToPosition(CPoint position);

    // The client area: (0, 0) to the visible width and height.
    CRect GetClientRect() const;
    CPoint ClientToLogical(CPoint client) const;

    // Repaints everything, or a rectangle in logical coordinates, later.
    void Invalidate();
    void InvalidateRect(const CRect& logical);
    // Repaints at once, before returning.
    void RedrawNow();

protected:
    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnLButtonDown(unsigned flags, CPoint point) { }
    virtual void OnLButtonUp(unsigned flags, CPoint point) { }
    virtual void OnLButtonDblClk(unsigned flags, CPoint point) { }
    virtual void OnRButtonDown(unsigned flags, CPoint point) { }
    virtual void OnRButtonUp(unsigned flags, CPoint point) { }
    virtual void OnMouseMove(unsigned flags, CPoint point) { }
    // `delta` is positive for a turn away from the user (120 a notch). True
    // when handled; otherwise the view scrolls.
    virtual bool OnMouseWheel(unsigned flags, int delta, CPoint point) { return false; }
    // After the client area changed size.
    virtual void OnSize(int width, int height) { }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void UpdateScrollBars();
    // A trough click moves by the view's page size, not by the window size
    // the scroll bar uses for its thumb.
    void AdjustPageStep(int action, bool horizontal);

    CSize total_;
    CSize page_;
    CSize line_;
    QImage buffer_;
};
