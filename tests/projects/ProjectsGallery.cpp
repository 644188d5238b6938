// Renders the project dialogs to PNG files for a person to look at:
//     projects_gallery <folder>

#include "IncludeDirDialog.h"
#include "LanguageTable.h"
#include "Options.h"
#include "PredefinedWordDialog.h"
#include "SetPredefinedWordDialog.h"
#include "SystemFacts.h"
#include "SystemInformationDialog.h"
#include "TempFolder.h"
#include "UiRecorder.h"
#include "WidgetPicture.h"

#include <QApplication>
#include <cstdio>

namespace {

void Save(QWidget& widget, const QString& folder, const char* name)
{
    widget.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    SaveWidgetPicture(widget, folder, name);
    widget.hide();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: projects_gallery <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    LoadLanguageFile();
    TempFolder settings;
    UiRecorder ui;
    COptions options(settings.File("Kestrin.ini"), settings.Path());
    options.includeLists[0] = {"/opt/vc6/INCLUDE", "/opt/vc6/MFC/INCLUDE", "/opt/vc6/ATL/INCLUDE"};
    options.userIncludeList = {"/home/me/include", "/usr/local/include/mylib"};
    options.commonWords = {{"WIN32", 1}, {"_MSC_VER", 1200}, {"_M_IX86", 500}};
    options.projectWords = {{"_DEBUG", 0}, {"_WINDOWS", 0}, {"VER", 1024}};

    CDialogIncludeDir include(options);
    include.Initialize();
    Save(include, folder, "include-directories");

    CDialogPredefinedWord words(options);
    words.Initialize();
    Save(words, folder, "predefined-words");

    CDialogSetPredefinedWord row({"VER", 1024});
    row.Initialize();
    Save(row, folder, "set-predefined-word");

    LinuxSystemFacts facts;
    CDialogSystemInformation info(facts);
    info.Initialize();
    Save(info, folder, "system-information-hardware");
    info.SelectNode(2);
    Save(info, folder, "system-information-software");
    return 0;
}
