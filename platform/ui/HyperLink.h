#pragma once

#include <QFont>
#include <QLabel>
#include <string>

// A text that opens a link when clicked: drawn in blue with the window's font
// underlined; the hand cursor shows over the text, and only a click on the
// text itself (not on the rest of the control) opens the link, through the
// user-interface service.
class CHyperLink : public QLabel {
    Q_OBJECT
public:
    explicit CHyperLink(QWidget* parent = nullptr);

    void SetText(const std::string& text);
    void SetURL(const std::string& link);

    // The text's extent in the link font.
    QSize TextExtent() const;
    // Whether the point (in the control's coordinates) lies on the text.
    bool IsOnText(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QFont LinkFont() const;

    std::string link_;
};
