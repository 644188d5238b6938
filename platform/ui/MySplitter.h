#pragma once

#include <QSplitter>

// A splitter of two panes that keeps the second pane at a remembered size
// while the window is resized; the first pane takes the rest. Three modes:
// 0 the second pane fills the window (the first is hidden), 1 the second pane
// has the remembered size, 2 the second pane is hidden. Dragging the bar
// remembers the size the user gave the second pane.
//
// Split into rows (Qt::Vertical) the size is a height, into columns
// (Qt::Horizontal) a width.
class CMySplitter : public QSplitter {
    Q_OBJECT
public:
    explicit CMySplitter(Qt::Orientation orientation, QWidget* parent = nullptr);

    // 0 stays 0, 1 stays 1, anything else is 2.
    void SetMode(int mode);
    int GetMode() const { return mode_; }
    int RememberedSize() const { return size_; }
    void SetRememberedSize(int size) { size_ = size; }

    // Mode 0: the whole extent; mode 1: the remembered size; mode 2: 0.
    int GetSecondPaneSize() const;
    // The window's extent in the split direction.
    int Extent() const;

    // Gives the first pane the extent less the second pane's size.
    void ApplyLayout(int total);
    void Relayout() { ApplyLayout(Extent()); }

    // Mode 1 with 2/3, 1/2 or 1/3 of the extent (integer division).
    void ShowTwoThirds();
    void ShowHalf();
    void ShowThird();
    // A size beyond the extent gives mode 0, 0 gives mode 2, any
    // other size mode 1 with that size.
    void SetSecondPaneSize(int size);
    // One step towards a larger second pane (2 -> 1 -> 0) or a smaller one
    // (0 -> 1 -> 2).
    void CollapseLess();
    void CollapseMore();

    // The panes' current sizes in the split direction.
    int FirstPaneSize() const;
    int SecondPaneCurrentSize() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnBarMoved();

    int size_ = 150;
    int mode_ = 1;
};
