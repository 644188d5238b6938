#pragma once

#include <QBasicTimer>
#include <QFont>
#include <QString>
#include <QWidget>

// A short notice ("Project saved.") in a small frameless box that shows for
// about 800 ms, its text fading from black to grey, and then closes itself.
// It is not modal: Start returns at once and the program goes on.
class FadingNotice : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTicks = 8;
    static constexpr int kTickMs = 100;

    // Shows a notice centred over `parent` (the primary screen when null).
    // The notice deletes itself when it closes.
    static FadingNotice* Start(const QString& text, QWidget* parent);

    explicit FadingNotice(const QString& text, QWidget* parent = nullptr);

    // One timer step: the text gets lighter; the eighth step closes the box.
    void Tick();
    int GreyLevel() const { return grey_; }
    const QString& Text() const { return text_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Widens the box, keeping its centre, when the text does not fit.
    void FitText();

    QString text_;
    QFont font_;
    QBasicTimer timer_;
    int ticksLeft_ = kTicks;
    int grey_ = 0;
};
