#include "NSDSettingDialog.h"

#include "DetailPreviewView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CDialogNSDSetting::CDialogNSDSetting(
    COptions& options, QWidget* parent, std::string userColorFolder, std::string programColorFolder)
    : CVisualSettingDialog(
          form, options, parent, std::move(userColorFolder), std::move(programColorFolder))
{
    setWindowTitle("NSD Visual Setting");
    repaintNow_ = true;
    auto* settings = new QWidget;
    auto* column = new QVBoxLayout(settings);
    column->setContentsMargins(0, 0, 0, 0);

    auto* feature = new QGroupBox("Feature");
    auto* grid = new QGridLayout(feature);
    grid->addWidget(new QLabel("Shading"), 0, 0);
    grid->addWidget(MakeChoice(IDC_SHADING), 0, 1);
    grid->addWidget(new QLabel("Background"), 0, 2);
    grid->addWidget(MakeColor(1094), 0, 3);
    grid->addWidget(MakeFlag(1139, "Show Title"), 0, 4, 1, 2);
    const std::tuple<const char*, int, int> numbers[] = {
        {"Start Position", 1118, 1119},
        {"Text Margin", 1134, 1135},
        {"Statement Distance", 1121, 0},
        {"Loop Width", 1120, 0},
        {"Try-Catch Width", 1123, 0},
        {"Try-Catch Height", 1124, 0},
    };
    int index = 0;
    for (const auto& [label, first, second] : numbers) {
        const int row = 1 + index / 2;
        const int col = index % 2 * 3;
        grid->addWidget(new QLabel(label), row, col);
        grid->addWidget(MakeNumberList(first), row, col + 1);
        if (second != 0)
            grid->addWidget(MakeNumberList(second), row, col + 2);
        ++index;
    }
    column->addWidget(feature);

    auto* styles = new QGroupBox("Font and Color");
    auto* table = new QGridLayout(styles);
    const char* headers[] = {
        "Font Name", "Bold", "Font Size", "Font Color", "Border Color", "Background Color"};
    for (int c = 0; c < 6; ++c)
        table->addWidget(new QLabel(headers[c]), 0, c + 1);
    const char* labels[] = {
        "Title", "General", "If", "If - Yes", "If - No", "Switch", "Case", "Loop", "Try-Catch"};
    int row = 1;
    for (size_t f = 0; f < form.Fonts().size(); ++f) {
        const SettingForm::FontField& font = form.Fonts()[f];
        // The colour lists follow the font's row in the form's table, after
        // the background and exception colours.
        const size_t c = 2 + f * 3;
        AddStyleRow(table, row++, labels[f], &font,
            {form.Colors()[c].id, form.Colors()[c + 1].id, form.Colors()[c + 2].id});
        if (f == 1)
            AddStyleRow(table, row++, "Exception", nullptr, {1117});
    }
    column->addWidget(styles);
    BuildFrame(QSize(222, 392), settings);
}

CDialogNSDSetting::~CDialogNSDSetting()
{
    DeletePreview();
}

CNSDPreviewView* CDialogNSDSetting::NSDPreview() const
{
    return static_cast<CNSDPreviewView*>(Preview());
}

CPreviewView* CDialogNSDSetting::CreatePreview()
{
    return new CNSDPreviewView(Options(), this);
}

void CDialogNSDSetting::GiveSetting()
{
    NSDPreview()->SetSetting(&form.working);
}
