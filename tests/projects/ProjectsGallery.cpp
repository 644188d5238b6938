// Renders the project dialogs to PNG files for a person to look at:
//     projects_gallery <folder>

#include "IncludeDirDialog.h"
#include "NewProjectInfo.h"
#include "NewProjectPages.h"
#include "NewProjectPaths.h"
#include "PowerListView.h"
#include "RecordingSink.h"
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
#include <QListWidget>
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

    // The check list, with one row selected and one not analysed, and the
    // wizard's pages over a folder of sources.
    CPowerListView list;
    list.resize(460, 200);
    list.AddItem("/home/me/garden/src/planner.cpp", true, true);
    list.AddItem("/home/me/garden/src/beds.c", true, false);
    list.AddItem("/home/me/garden/legacy/old_water.c", false, true);
    list.AddItem(
        "/home/me/garden/src/a/very/long/path/to/the/weather_station_reader.cpp", true, true);
    list.EditRows().Rows()[1].selected = true;
    Save(list, folder, "check-list");
    list.SetDisplayMode(0);
    Save(list, folder, "check-list-names");

    TempFolder project;
    project.Write("Untitle1.kst", "");
    project.Write("src/planner.cpp", "");
    project.Write("src/beds.c", "");
    project.Write("src/sub/water.cc", "");
    options.lastProjectPath = project.File("Untitle1.kst");
    options.lastPath = project.File("src");
    NewProjectInfo record;
    CDialogNewProject page1(record, options);
    page1.Initialize();
    Save(page1, folder, "wizard-1-project");
    page1.SetItemText(CDialogNewProject::IDC_FILE_NAME, "Untitle1");
    page1.CheckItem(CDialogNewProject::IDC_FROM_FOLDER, 1);
    page1.SetItemText(CDialogNewProject::IDC_FULL_PATH, project.File("Untitle1.kst"));
    page1.SetItemText(CDialogNewProject::IDC_STATUS, GetLangString(300));
    page1.SetItemText(CDialogNewProject::IDC_FINISH_NEXT, "Next(&N)");
    Save(page1, folder, "wizard-1-project-exists");
    record.recurse = true;
    CDialogNewProject2 page2(record, options);
    page2.Initialize();
    Save(page2, folder, "wizard-2-folder");
    ScanSourceFolder(project.File("src"), true, record.files);
    CDialogNewProject3 page3(record, options);
    page3.Initialize();
    page3.List()->item(1)->setSelected(true);
    Save(page3, folder, "wizard-3-files");
    record.workspaceFile = "/home/me/garden/Garden.dsw";
    RecordingSink sink;
    CDialogNewProjectVCFile workspace(record, sink);
    workspace.Initialize();
    Save(workspace, folder, "wizard-workspace");
    return 0;
}
