#pragma once

#include <QColor>
#include <QHeaderView>

// The header of the predefined-word lists, drawn in caption colours: each
// title on the inactive caption's colour, framed along its left and top edges
// by a line in the border colour, in the caption's text colour, on one line,
// vertically centred; right-aligned when its column says so, else centred.
// The colours are read from the palette when the header is made.
class CMyHeaderCtrl : public QHeaderView {
    Q_OBJECT
public:
    explicit CMyHeaderCtrl(QWidget* parent = nullptr);

    QColor BackgroundColour() const { return background_; }
    QColor LineColour() const { return line_; }
    QColor TextColour() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QColor background_;
    QColor line_;
    QColor text_;
};
