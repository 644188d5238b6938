#include "MarginDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <vector>

double RoundMargin(double value)
{
    if (!(value > 0.0))
        return 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return std::strtod(text, nullptr);
}

double ClampMargin(double value, double minimum, double pageExtent, double opposite)
{
    if (value < minimum)
        value = minimum;
    else if (pageExtent > 0.0 && value > pageExtent - opposite - 10.0)
        value = pageExtent - opposite - 10.0;
    return RoundMargin(value);
}

CDialogMargin::CDialogMargin(QWidget* parent) : CDialog(parent)
{
    setWindowTitle("Margin");
    auto* grid = new QGridLayout;
    const std::pair<int, const char*> edges[] = {
        {IDC_LEFT, "Left"}, {IDC_TOP, "Top"}, {IDC_RIGHT, "Right"}, {IDC_BOTTOM, "Bottom"}};
    int row = 0;
    for (const auto& [id, label] : edges) {
        grid->addWidget(new QLabel(label), row, 0);
        auto* edit = Make<QLineEdit>(id);
        connect(edit, &QLineEdit::editingFinished, this, [this, id = id] { ClampEdit(id); });
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel("mm"), row, 2);
        ++row;
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Make<QPushButton>(IDOK, "OK"));
    buttons->addWidget(Make<QPushButton>(IDCANCEL, "Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void CDialogMargin::SetMargins(double topMm, double bottomMm, double leftMm, double rightMm)
{
    top = RoundMargin(topMm);
    bottom = RoundMargin(bottomMm);
    left = RoundMargin(leftMm);
    right = RoundMargin(rightMm);
}

bool CDialogMargin::OnInitDialog()
{
    WriteEdits();
    return true;
}

bool CDialogMargin::ReadEdits()
{
    const auto l = GetItemDouble(IDC_LEFT, 0.0, 9999.0);
    const auto t = l ? GetItemDouble(IDC_TOP, 0.0, 9999.0) : std::nullopt;
    const auto r = t ? GetItemDouble(IDC_RIGHT, 0.0, 9999.0) : std::nullopt;
    const auto b = r ? GetItemDouble(IDC_BOTTOM, 0.0, 9999.0) : std::nullopt;
    if (!b)
        return false;
    left = *l;
    top = *t;
    right = *r;
    bottom = *b;
    return true;
}

void CDialogMargin::WriteEdits()
{
    for (int id : {IDC_LEFT, IDC_TOP, IDC_RIGHT, IDC_BOTTOM})
        WriteEdit(id);
}

void CDialogMargin::WriteEdit(int id)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", Field(id));
    SetItemText(id, text);
}

double& CDialogMargin::Field(int id)
{
    switch (id) {
    case IDC_TOP:
        return top;
    case IDC_BOTTOM:
        return bottom;
    case IDC_RIGHT:
        return right;
    default:
        return left;
    }
}

std::optional<double> CDialogMargin::ValueOf(int id) const
{
    bool ok = false;
    const double value = QString::fromStdString(GetItemText(id)).trimmed().toDouble(&ok);
    if (ok && value >= 0.0 && value <= 9999.0)
        return value;
    return std::nullopt;
}

// Each bad entry is reported once: leaving the edit again, or the message
// box taking the focus from it, repeats nothing until the text changes. The
// other edits are read as they stand; one holding a bad entry keeps it.
bool CDialogMargin::ClampEdit(int id)
{
    if (id < IDC_LEFT || id > IDC_BOTTOM)
        return false;
    std::string& rejected = rejected_[static_cast<size_t>(id - IDC_LEFT)];
    if (!ValueOf(id)) {
        const std::string text = GetItemText(id);
        if (text != rejected) {
            rejected = text;
            GetItemDouble(id, 0.0, 9999.0); // shows the message
        }
        return false;
    }
    rejected.clear();
    std::vector<int> good;
    for (int edit : {IDC_LEFT, IDC_TOP, IDC_RIGHT, IDC_BOTTOM}) {
        if (const auto value = ValueOf(edit)) {
            Field(edit) = *value;
            good.push_back(edit);
        }
    }
    switch (id) {
    case IDC_TOP:
        top = ClampMargin(top, limits_.minTop, limits_.pageHeightMm, bottom);
        break;
    case IDC_BOTTOM:
        bottom = ClampMargin(bottom, limits_.minBottom, limits_.pageHeightMm, top);
        break;
    case IDC_LEFT:
        left = ClampMargin(left, limits_.minLeft, limits_.pageWidthMm, right);
        break;
    case IDC_RIGHT:
        right = ClampMargin(right, limits_.minRight, limits_.pageWidthMm, left);
        break;
    default:
        return false;
    }
    for (int edit : good)
        WriteEdit(edit);
    return true;
}

void CDialogMargin::OnOK()
{
    if (ReadEdits())
        EndDialog(IDOK);
}

bool EditPrintMargins(PrintMargins& margins, QWidget* parent)
{
    CDialogMargin dialog(parent);
    dialog.SetLimits(margins);
    dialog.SetMargins(margins.top, margins.bottom, margins.left, margins.right);
    if (dialog.DoModal() != IDOK)
        return false;
    margins.top = dialog.top;
    margins.bottom = dialog.bottom;
    margins.left = dialog.left;
    margins.right = dialog.right;
    return true;
}
