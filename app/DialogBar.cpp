#include "DialogBar.h"

#include "ButtonImages.h"
#include "CommandIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

const std::array<int, 7> kRightControlIds = {IDC_SPLIT_RIGHT, IDC_SPLIT_LEFT, IDC_SPLIT_TWO_ONE,
    IDC_SPLIT_HALF, IDC_SPLIT_ONE_TWO, IDC_SPLIT_FIT, IDC_VIEW_SELECTOR};

std::optional<std::array<QRect, 7>> PlaceRightControls(
    int right, int top, int bottom, int codeRight)
{
    if (right < 46)
        return std::nullopt;
    // Left and right edge of each control, counted back from the bar's right edge.
    static constexpr std::array<std::pair<int, int>, 7> kSpans = {
        {{31, 1}, {65, 33}, {101, 69}, {135, 103}, {169, 137}, {203, 171}, {294, 207}}};
    std::array<QRect, 7> rects;
    for (size_t i = 0; i < kSpans.size(); ++i) {
        const int left = right - kSpans[i].first;
        if (left < codeRight)
            continue;
        rects[i] = QRect(QPoint(left, top + 3), QPoint(right - kSpans[i].second - 1, bottom - 2));
    }
    return rects;
}

namespace {

QPushButton* MakeButton(QWidget* parent, const char* text, int bitmap, int x, int width)
{
    auto* button = new QPushButton(QIcon(ButtonImage(bitmap)), text, parent);
    button->setGeometry(x, 3, width, CDialogBar::kHeight - 4);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

CDialogBar::CDialogBar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(kHeight);
    auto* draw = MakeButton(this, "Draw", 187, 4, 72);
    draw->setDefault(true);
    auto* stop = MakeButton(this, "Stop", 188, 80, 72);
    auto* fold = MakeButton(this, "Fold", 185, 160, 66);
    auto* unfold = MakeButton(this, "Unfold", 186, 230, 76);
    code_ = MakeButton(this, "Code", 183, 310, 66);
    code_->setCheckable(true);
    auto* autoSort = new QCheckBox(this);
    autoSort->setGeometry(384, 3, 20, kHeight - 4);
    autoSort->setToolTip("Auto Sort");
    autoSort->setFocusPolicy(Qt::NoFocus);
    auto* sort = MakeButton(this, "Sort", 184, 406, 66);

    auto hiddenCheck = [this](const char* text) {
        auto* check = new QCheckBox(text, this);
        check->hide();
        return check;
    };
    auto* showVcHeader = hiddenCheck("Show VC Header");
    auto* fileName = hiddenCheck("Filename");
    auto* autoResize = hiddenCheck("Auto Resize");
    auto* parsingVcHeader = hiddenCheck("Parsing VC Header");

    auto splitButton = [this](const char* caption, int bitmap) {
        auto* button = new QPushButton(QIcon(ButtonImage(bitmap)), QString(), this);
        button->setToolTip(caption);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    selector_ = new QComboBox(this);
    selector_->setFocusPolicy(Qt::NoFocus);
    selector_->addItems({"Flow 1x", "Flow 4x", "Flow 16x", "Sequence", "MultiSeq.", "NSD"});
    selector_->setMaxVisibleItems(6);

    controls_ = {{{IDC_DRAW, draw}, {IDC_STOP, stop}, {IDC_FOLD, fold}, {IDC_UNFOLD, unfold},
        {IDC_CODE, code_}, {IDC_AUTO_SORT, autoSort}, {IDC_SORT, sort},
        {IDC_SHOW_VC_HEADER, showVcHeader}, {IDC_FILENAME, fileName}, {IDC_AUTO_RESIZE, autoResize},
        {IDC_PARSING_VC_HEADER, parsingVcHeader}, {IDC_SPLIT_RIGHT, splitButton(">>", 182)},
        {IDC_SPLIT_LEFT, splitButton("<<", 181)}, {IDC_SPLIT_TWO_ONE, splitButton("2:1", 177)},
        {IDC_SPLIT_HALF, splitButton("|", 176)}, {IDC_SPLIT_ONE_TWO, splitButton("1:2", 175)},
        {IDC_SPLIT_FIT, splitButton("Fit", 178)}, {IDC_VIEW_SELECTOR, selector_}}};
}

QAbstractButton* CDialogBar::Button(int id) const
{
    for (const auto& [controlId, widget] : controls_)
        if (controlId == id)
            return qobject_cast<QAbstractButton*>(widget);
    return nullptr;
}

QCheckBox* CDialogBar::CheckBox(int id) const
{
    return qobject_cast<QCheckBox*>(Button(id));
}

void CDialogBar::PlaceControls()
{
    const QRect client = rect();
    const auto rects = PlaceRightControls(
        client.right() + 1, client.top(), client.bottom() + 1, code_->geometry().right() + 1);
    if (!rects)
        return;
    for (size_t i = 0; i < kRightControlIds.size(); ++i) {
        for (const auto& [id, widget] : controls_) {
            if (id != kRightControlIds[i])
                continue;
            widget->setGeometry((*rects)[i]);
            widget->setVisible(!(*rects)[i].isEmpty());
        }
    }
}

void CDialogBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceControls();
}
