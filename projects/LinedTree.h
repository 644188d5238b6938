#pragma once

#include <QColor>
#include <QTreeWidget>

// A tree whose items are joined by dotted lines in a colour of its own: each
// item to its parent's line, and the lines of items with later siblings run
// on down past their children. The style's expand marks sit over the lines.
class CLinedTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit CLinedTree(QColor lineColour, QWidget* parent = nullptr);

protected:
    void drawBranches(
        QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

private:
    QColor lineColour_;
};
