#include "FrameStatusBar.h"

#include "ButtonImages.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

std::optional<QRect> CFrameStatusBar::ProgressRect(int width)
{
    const int pane = TextPaneWidth(width);
    const int available = width - pane - 67;
    if (available < 10)
        return std::nullopt;
    return QRect(pane + 53, 2, available, 17);
}

CFrameStatusBar::CFrameStatusBar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(kHeight);
    auto makeButton = [this](int bitmap, const char* tip, int x) {
        auto* button = new QPushButton(QIcon(ButtonImage(bitmap)), QString(), this);
        button->setGeometry(x, 2, 19, 17);
        button->setToolTip(tip);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    // The two panes are sunken boxes, as a status bar shows them: pane 0
    // around the U and D buttons, pane 1 holding the text.
    auto* buttonPane = new QFrame(this);
    buttonPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    buttonPane->setGeometry(0, 1, 43, 20);
    up_ = makeButton(179, "U", 2);
    down_ = makeButton(180, "D", 22);
    text_ = new QLabel(this);
    text_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    text_->setIndent(2);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
}

void CFrameStatusBar::SetText(const QString& text)
{
    text_->setText(text);
}

void CFrameStatusBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    text_->setGeometry(46, 1, TextPaneWidth(width()), 20);
    const std::optional<QRect> bar = ProgressRect(width());
    progress_->setVisible(bar.has_value());
    if (bar)
        progress_->setGeometry(*bar);
}
