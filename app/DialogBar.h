#pragma once

#include <QRect>
#include <QWidget>
#include <array>
#include <optional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QPushButton;

// The bar under the menu: Draw and Stop, Fold and Unfold, the push-like
// "Code" check box, the "Auto Sort" check box and Sort on the left; the six
// splitter buttons and the view selector at the right edge; and four check
// boxes the bar keeps hidden ("Show VC Header", "Filename", "Auto Resize",
// "Parsing VC Header"). Controls are known by their command ids.
class CDialogBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 30;

    explicit CDialogBar(QWidget* parent = nullptr);

    QAbstractButton* Button(int id) const;
    QCheckBox* CheckBox(int id) const;
    QComboBox* ViewSelector() const { return selector_; }
    // Every control with its id.
    const std::array<std::pair<int, QWidget*>, 18>& Controls() const { return controls_; }

    // Places the right-hand controls by the bar's width.
    void PlaceControls();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QComboBox* selector_ = nullptr;
    QPushButton* code_ = nullptr;
    std::array<std::pair<int, QWidget*>, 18> controls_ {};
};

// Where the right-hand controls go in a bar whose client area ends at
// `right` and spans `top` to `bottom`, in the order ">>", "<<", "2:1", "|",
// "1:2", "Fit", view selector. A control whose left edge would lie left of
// `codeRight` (the right edge of the "Code" button) gets an empty rectangle,
// which hides it. Nothing is placed when `right` is below 46.
std::optional<std::array<QRect, 7>> PlaceRightControls(
    int right, int top, int bottom, int codeRight);
// The ids of those controls in that order.
extern const std::array<int, 7> kRightControlIds;
