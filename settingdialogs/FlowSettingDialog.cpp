#include "FlowSettingDialog.h"

#include "DetailPreviewView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const char* const kLevelNames[] = {"1x", "4x", "16x"};
constexpr int kZooms[] = {1, 4, 16};

} // namespace

CDialogFlowSetting::CDialogFlowSetting(
    COptions& options, QWidget* parent, std::string userColorFolder, std::string programColorFolder)
    : CVisualSettingDialog(
          form, options, parent, std::move(userColorFolder), std::move(programColorFolder))
{
    setWindowTitle("Flow View Visual Setting");
    auto* settings = new QWidget;
    auto* column = new QVBoxLayout(settings);
    column->setContentsMargins(0, 0, 0, 0);

    // Colours shared by the levels.
    auto* colours = new QGroupBox("Color");
    auto* top = new QGridLayout(colours);
    // Tight rows keep the dialog within a screen 768 pixels high.
    top->setVerticalSpacing(2);
    // The line colours (the loop's arrow among them) share a row, apart
    // from the background and the branch colours.
    const std::pair<const char*, int> colors[] = {{"Background", 1104}, {"\"Yes\"", 1111},
        {"\"No\"", 1112}, {"Basic", 1113}, {"Return", 1115}, {"Loop", 1114}};
    for (int i = 0; i < 6; ++i) {
        top->addWidget(new QLabel(colors[i].first), i / 3 * 2, i % 3);
        top->addWidget(MakeColor(colors[i].second), i / 3 * 2 + 1, i % 3);
    }
    top->addWidget(new QLabel("Shading"), 0, 3);
    top->addWidget(MakeChoice(IDC_SHADING), 1, 3);
    int row = 4;
    top->addWidget(new QLabel("Font Color"), row, 1);
    top->addWidget(new QLabel("Border Color"), row, 2);
    top->addWidget(new QLabel("Background Color"), row, 3);
    const std::pair<const char*, std::array<int, 3>> boxes[] = {
        {"Start End", {1157, 1158, 1159}},
        {"Processing", {1162, 1163, 1164}},
        {"Condition", {1083, 1166, 1084}},
        {"Loop", {1087, 1169, 1088}},
    };
    for (const auto& [label, ids] : boxes) {
        ++row;
        top->addWidget(new QLabel(label), row, 0);
        for (int c = 0; c < 3; ++c)
            top->addWidget(MakeColor(ids[static_cast<size_t>(c)]), row, c + 1);
    }
    column->addWidget(colours);

    // One group per zoom level.
    auto* levels = new QHBoxLayout;
    const char* fontRows[] = {"Start End", "Processing", "Condition", "Loop", "Explain"};
    const auto& numbers = form.Numbers();
    for (size_t l = 0; l < FlowSettingForm::Levels().size(); ++l) {
        const auto& ids = FlowSettingForm::Levels()[l];
        auto* group = Make<QGroupBox>(ids.group, kLevelNames[l]);
        auto* grid = new QGridLayout(group);
        grid->setVerticalSpacing(2);
        grid->addWidget(MakeFlag(ids.showText, "Show Text"), 0, 0, 1, 4);
        grid->addWidget(new QLabel("Size"), 1, 0);
        grid->addWidget(MakeNumberEdit(numbers[l * 4].id), 1, 1);
        grid->addWidget(MakeNumberEdit(numbers[l * 4 + 1].id), 1, 2);
        grid->addWidget(new QLabel("Space"), 2, 0);
        grid->addWidget(MakeNumberEdit(numbers[l * 4 + 2].id), 2, 1);
        grid->addWidget(MakeNumberEdit(numbers[l * 4 + 3].id), 2, 2);
        grid->addWidget(new QLabel("Arrow Size"), 3, 0);
        grid->addWidget(MakeChoice(form.Choices()[1 + l * 2].id), 3, 1, 1, 2);
        grid->addWidget(new QLabel("Explain"), 4, 0);
        grid->addWidget(MakeChoice(ids.explain), 4, 1, 1, 2);
        for (size_t f = 0; f < 5; ++f) {
            const int fontRow = 5 + static_cast<int>(f) * 2;
            grid->addWidget(new QLabel(fontRows[f]), fontRow, 0, 1, 4);
            auto* rowGrid = new QGridLayout;
            AddFontRow(rowGrid, 0, 0, *form.FindFont(ids.fontControls[f * 3]));
            rowGrid->setColumnStretch(0, 1);
            grid->addLayout(rowGrid, fontRow + 1, 0, 1, 4);
        }
        levels->addWidget(group);
    }
    column->addLayout(levels);

    auto* ratio = Make<QComboBox>(FlowSettingForm::IDC_PREVIEW_RATIO);
    ratio->addItems({"1x Ratio", "4x Ratio", "16x Ratio"});
    OnActivated(FlowSettingForm::IDC_PREVIEW_RATIO, [this](int) { OnSelectPreviewRatio(); });
    for (size_t l = 0; l < 3; ++l) {
        const int id = FlowSettingForm::Levels()[l].showText;
        OnClicked(id, [this, l] { OnShowText(l); });
    }
    BuildFrame(QSize(282, 580), settings, ratio);
}

CDialogFlowSetting::~CDialogFlowSetting()
{
    DeletePreview();
}

CFlowPreviewView* CDialogFlowSetting::FlowPreview() const
{
    return static_cast<CFlowPreviewView*>(Preview());
}

CPreviewView* CDialogFlowSetting::CreatePreview()
{
    return new CFlowPreviewView(Options(), this);
}

void CDialogFlowSetting::GiveSetting()
{
    FlowPreview()->SetSetting(&form.working);
}

void CDialogFlowSetting::AfterFill()
{
    for (size_t l = 0; l < 3; ++l)
        OnShowText(l);
}

void CDialogFlowSetting::AfterPreview()
{
    SetCurSel(FlowSettingForm::IDC_PREVIEW_RATIO, 0);
    OnSelectPreviewRatio();
}

void CDialogFlowSetting::OnShowText(size_t level)
{
    const auto& ids = FlowSettingForm::Levels()[level];
    const bool shown = IsItemChecked(ids.showText) == 1;
    // The box's own handler has written the flag; a refill only enables.
    for (int id : FlowSettingForm::TextControls(ids))
        EnableItem(id, shown);
}

void CDialogFlowSetting::OnSelectPreviewRatio()
{
    const int index = GetCurSel(FlowSettingForm::IDC_PREVIEW_RATIO);
    if (index < 0 || index > 2)
        return;
    for (int l = 0; l < 3; ++l) {
        const std::string title = std::string(kLevelNames[l]) + (l == index ? "(*)" : "");
        SetItemText(FlowSettingForm::Levels()[static_cast<size_t>(l)].group, title);
    }
    if (FlowPreview() != nullptr) {
        FlowPreview()->SetZoom(kZooms[index]);
        ApplyRefresh(Refresh::Rebuild);
    }
}
