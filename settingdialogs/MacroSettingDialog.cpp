#include "MacroSettingDialog.h"

#include "MacroPreviewView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

CDialogMacroSetting::CDialogMacroSetting(
    COptions& options, QWidget* parent, std::string userColorFolder, std::string programColorFolder)
    : CVisualSettingDialog(
          form, options, parent, std::move(userColorFolder), std::move(programColorFolder))
{
    setWindowTitle("Macro View Visual Setting");
    repaintNow_ = true;
    auto* settings = new QWidget;
    auto* column = new QVBoxLayout(settings);
    column->setContentsMargins(0, 0, 0, 0);

    auto* global = new QGroupBox("Global Feature");
    auto* grid = new QGridLayout(global);
    grid->addWidget(new QLabel("Shading"), 0, 0);
    grid->addWidget(MakeChoice(IDC_SHADING), 0, 1);
    grid->addWidget(new QLabel("Unit Space"), 0, 2);
    grid->addWidget(MakeChoice(1127), 0, 3);
    grid->addWidget(new QLabel("Grouping"), 1, 0);
    grid->addWidget(MakeChoice(1154), 1, 1);
    grid->addWidget(new QLabel("Background"), 1, 2);
    grid->addWidget(MakeColor(1094), 1, 3);
    const std::tuple<const char*, int, int> marks[] = {
        {"Function With Content", 1117, 1118},
        {"public Method(Function)", 1119, 1120},
        {"protected Method", 1121, 1122},
        {"private Method", 1123, 1124},
    };
    int row = 2;
    for (const auto& [label, type, colour] : marks) {
        grid->addWidget(new QLabel(label), row, 0);
        grid->addWidget(MakeChoice(type), row, 1);
        grid->addWidget(new QLabel("to"), row, 2, Qt::AlignRight);
        grid->addWidget(MakeColor(colour), row, 3);
        ++row;
    }
    column->addWidget(global);

    auto* elements = new QGroupBox("Element Feature");
    auto* table = new QGridLayout(elements);
    const char* headers[] = {
        "Font Name", "Bold", "Font Size", "Font Color", "Border Color", "Background Color"};
    for (int c = 0; c < 6; ++c)
        table->addWidget(new QLabel(headers[c]), 0, c + 1);
    const char* labels[] = {
        "Namespace", "Class", "Struct", "Union", "Variable", "Function", "Enum", "Unknown"};
    // The element rows' colours follow the five global colours in the
    // form's table.
    for (size_t r = 0; r < form.Fonts().size(); ++r) {
        const size_t c = 5 + r * 3;
        AddStyleRow(table, static_cast<int>(r) + 1, labels[r], &form.Fonts()[r],
            {form.Colors()[c].id, form.Colors()[c + 1].id, form.Colors()[c + 2].id});
    }
    column->addWidget(elements);
    BuildFrame(QSize(205, 375), settings);
}

CDialogMacroSetting::~CDialogMacroSetting()
{
    DeletePreview();
}

CMacroPreviewView* CDialogMacroSetting::MacroPreview() const
{
    return static_cast<CMacroPreviewView*>(Preview());
}

CPreviewView* CDialogMacroSetting::CreatePreview()
{
    return new CMacroPreviewView(Options(), this);
}

void CDialogMacroSetting::GiveSetting()
{
    MacroPreview()->SetSetting(&form.working.fonts, &form.working.styles);
}
