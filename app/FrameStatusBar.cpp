#include "FrameStatusBar.h"

#include "ButtonImages.h"

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
    up_ = makeButton(179, "U", 1);
    down_ = makeButton(180, "D", 22);
    text_ = new QLabel(this);
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
    text_->setGeometry(46, 2, TextPaneWidth(width()), 17);
    const std::optional<QRect> bar = ProgressRect(width());
    progress_->setVisible(bar.has_value());
    if (bar)
        progress_->setGeometry(*bar);
}
