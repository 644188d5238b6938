#include "SequenceSettingDialog.h"

#include "DetailPreviewView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CDialogSequenceSetting::CDialogSequenceSetting(
    COptions& options, QWidget* parent, std::string userColorFolder, std::string programColorFolder)
    : CVisualSettingDialog(
          form, options, parent, std::move(userColorFolder), std::move(programColorFolder))
{
    setWindowTitle("Sequence View Visual Setting");
    auto* settings = new QWidget;
    auto* column = new QVBoxLayout(settings);
    column->setContentsMargins(0, 0, 0, 0);

    auto* colours = new QGroupBox("Color Feature");
    auto* grid = new QGridLayout(colours);
    const std::pair<const char*, int> singles[] = {
        {"Background", 1138}, {"Arrow / Line", 1085}, {"Object Middle", 1084}};
    grid->addWidget(new QLabel("Shading"), 0, 0);
    grid->addWidget(MakeChoice(IDC_SHADING), 0, 1);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(singles[i].first), 1 + i / 2, i % 2 * 2);
        grid->addWidget(MakeColor(singles[i].second), 1 + i / 2, i % 2 * 2 + 1);
    }
    auto* triples = new QGridLayout;
    const char* headers[] = {"Font", "Border", "Background"};
    for (int c = 0; c < 3; ++c)
        triples->addWidget(new QLabel(headers[c]), 0, c + 4);
    AddStyleRow(triples, 1, "Object", nullptr, {1179, 1180, 1181});
    AddStyleRow(triples, 2, "Caller", nullptr, {1072}, 0);
    AddStyleRow(triples, 3, "Called", nullptr, {1073, 1082, 1083});
    grid->addLayout(triples, 3, 0, 1, 4);
    column->addWidget(colours);

    auto* fonts = new QGroupBox("Font Feature");
    auto* fontGrid = new QGridLayout(fonts);
    const char* fontHeaders[] = {"Font Name", "Bold", "Font Size"};
    for (int c = 0; c < 3; ++c)
        fontGrid->addWidget(new QLabel(fontHeaders[c]), 0, c + 1);
    const char* fontLabels[] = {"Object", "Caller", "Called"};
    for (size_t f = 0; f < 3; ++f)
        AddStyleRow(fontGrid, static_cast<int>(f) + 1, fontLabels[f], &form.Fonts()[f], {});
    fontGrid->setColumnStretch(1, 1); // the face lists take the width
    column->addWidget(fonts);

    auto* sizes = new QGroupBox("Size && Space Feature");
    auto* sizeGrid = new QGridLayout(sizes);
    sizeGrid->addWidget(new QLabel("X"), 0, 1);
    sizeGrid->addWidget(new QLabel("Y"), 0, 2);
    const std::tuple<const char*, int, int> pairs[] = {
        {"Start Position", 1086, 1087}, {"Object Space", 1088, 1089}, {"Stream Size", 1090, 1091}};
    int row = 1;
    for (const auto& [label, x, y] : pairs) {
        sizeGrid->addWidget(new QLabel(label), row, 0);
        sizeGrid->addWidget(MakeNumberList(x), row, 1);
        sizeGrid->addWidget(MakeNumberList(y), row, 2);
        ++row;
    }
    const std::tuple<const char*, const char*, int> singlesNumbers[] = {
        {"Object", "Distance", 1092}, {"Object", "Interval", 1094}, {"Method", "Upper", 1093},
        {"Method", "Lower", 1095}, {"etc.", "Arrow", 1096}, {"etc.", "Stream", 1097}};
    for (int i = 0; i < 6; ++i) {
        const auto& [group, label, id] = singlesNumbers[i];
        const int r = 1 + i % 2;
        const int c = 4 + i / 2 * 2;
        if (i % 2 == 0)
            sizeGrid->addWidget(new QLabel(group), 0, c, 1, 2);
        sizeGrid->addWidget(new QLabel(label), r, c);
        sizeGrid->addWidget(MakeNumberList(id), r, c + 1);
    }
    column->addWidget(sizes);
    BuildFrame(QSize(350, 438), settings);
}

CDialogSequenceSetting::~CDialogSequenceSetting()
{
    DeletePreview();
}

CSequencePreviewView* CDialogSequenceSetting::SequencePreview() const
{
    return static_cast<CSequencePreviewView*>(Preview());
}

CPreviewView* CDialogSequenceSetting::CreatePreview()
{
    return new CSequencePreviewView(Options(), this);
}

void CDialogSequenceSetting::GiveSetting()
{
    SequencePreview()->SetSetting(&form.working);
}
