#pragma once

#include <QRect>
#include <QWidget>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

// The status bar: pane 0 with the "U" and "D" buttons of the message pane's
// splitter, pane 1 with a text, both sunken boxes, and the progress bar
// (range 0 to 100) in the space to its right when there is room.
class CFrameStatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 22;

    explicit CFrameStatusBar(QWidget* parent = nullptr);

    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }
    QProgressBar* Progress() const { return progress_; }
    void SetText(const QString& text);

    // Pane 1's width for a bar `width` pixels wide, and where the progress
    // bar goes (none when it would be narrower than 10 pixels).
    static int TextPaneWidth(int width) { return 4 * width / 7; }
    static std::optional<QRect> ProgressRect(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* up_;
    QPushButton* down_;
    QLabel* text_;
    QProgressBar* progress_;
};
