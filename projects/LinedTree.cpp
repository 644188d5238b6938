#include "LinedTree.h"

#include <QPainter>

CLinedTree::CLinedTree(QColor lineColour, QWidget* parent)
    : QTreeWidget(parent), lineColour_(lineColour)
{
}

void CLinedTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    const int indent = indentation();
    const int middle = rect.center().y();
    const auto hasNextSibling = [](const QModelIndex& item) {
        return item.sibling(item.row() + 1, 0).isValid();
    };
    painter->save();
    painter->setPen(QPen(lineColour_, 1, Qt::DotLine));
    // The item's own column: up to the line above, across to the item, and
    // on down when a sibling follows.
    int x = rect.right() - indent / 2;
    const bool first = index.row() == 0 && !index.parent().isValid();
    // An item with children has its expand mark where the lines meet.
    const int gap = model()->hasChildren(index) ? 5 : 0;
    if (!first)
        painter->drawLine(x, rect.top(), x, middle - gap);
    if (hasNextSibling(index))
        painter->drawLine(x, middle + gap, x, rect.bottom());
    painter->drawLine(x + gap, middle, rect.right(), middle);
    // The columns of its ancestors that still have siblings below.
    for (QModelIndex ancestor = index.parent(); ancestor.isValid(); ancestor = ancestor.parent()) {
        x -= indent;
        if (hasNextSibling(ancestor))
            painter->drawLine(x, rect.top(), x, rect.bottom());
    }
    painter->restore();
    QTreeWidget::drawBranches(painter, rect, index);
}
