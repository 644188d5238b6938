// Renders the four Visual Setting dialogs, with their previews drawn, to PNG
// files for a person to look at:
//     settingdialogs_gallery <folder>
// Settings and themes go to a temporary folder, never the user's.

#include "FlowSettingDialog.h"
#include "LanguageTable.h"
#include "MacroSettingDialog.h"
#include "NSDSettingDialog.h"
#include "Options.h"
#include "SequenceSettingDialog.h"
#include "TempFolder.h"
#include "WidgetPicture.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <cstdlib>

namespace {

void Show(CDialog& dialog, const QString& folder, const char* name)
{
    dialog.Initialize();
    dialog.show();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 400)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    SaveWidgetPicture(dialog, folder, name);
    dialog.hide();
}

} // namespace

int main(int argc, char** argv)
{
    TempFolder config;
    setenv("KESTRIN_CONFIG_DIR", config.Path().c_str(), 1);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: settingdialogs_gallery <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    LoadLanguageFile();
    COptions options(config.File("settings.ini"), config.Path());
    {
        CDialogFlowSetting flow(options);
        Show(flow, folder, "flow-setting");
        // The preview at its largest level, as the ratio list chooses it.
        auto* ratio = flow.ItemAs<QComboBox>(FlowSettingForm::IDC_PREVIEW_RATIO);
        ratio->setCurrentIndex(2);
        emit ratio->activated(2);
        Show(flow, folder, "flow-setting-16x");
    }
    {
        CDialogNSDSetting nsd(options);
        Show(nsd, folder, "nsd-setting");
    }
    {
        CDialogSequenceSetting sequence(options);
        Show(sequence, folder, "sequence-setting");
    }
    {
        CDialogMacroSetting macro(options);
        Show(macro, folder, "macro-setting");
    }
    FreeLanguageFile();
    return 0;
}
