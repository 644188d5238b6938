#include "LanguageTable.h"
#include "NewProjectInfo.h"
#include "NewProjectPages.h"
#include "NewProjectPaths.h"
#include "NewProjectWizard.h"
#include "Options.h"
#include "ProgramFolder.h"
#include "RecordingSink.h"
#include "TempFolder.h"
#include "UiRecorder.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using Files = std::set<std::string>;

namespace {

std::vector<std::string> Listed(const CDialogNewProject3& page)
{
    std::vector<std::string> rows;
    for (int i = 0; i < page.List()->count(); ++i)
        rows.push_back(page.List()->item(i)->text().toStdString());
    return rows;
}

void Click(CDialog& page, int id)
{
    page.ItemAs<QAbstractButton>(id)->click();
}

void Type(CDialog& page, int id, const std::string& text)
{
    auto* edit = page.ItemAs<QLineEdit>(id);
    edit->setText(QString::fromStdString(text));
    emit edit->textEdited(edit->text());
}

// A scripted reply that works the page of that kind (failing the test on
// another page) and returns how it ended.
template <typename Page> UiReply On(std::function<void(Page&)> work)
{
    return UiReply::Dialog([work](QDialog& dialog) {
        auto* page = dynamic_cast<Page*>(&dialog);
        EXPECT_NE(page, nullptr) << "another page opened: " << dialog.metaObject()->className();
        if (page != nullptr)
            work(*page);
        return dialog.result();
    });
}

using P1 = CDialogNewProject;
using P2 = CDialogNewProject2;
using P3 = CDialogNewProject3;
using PW = CDialogNewProjectVCFile;

// Page 1 set to a mode and a project file in the test's folder, then Next or
// Finish.
UiReply Start(int modeButton, const std::string& location, const std::string& name = "p")
{
    return On<P1>([=](P1& page) {
        page.SetItemText(P1::IDC_LOCATION, location);
        page.SetItemText(P1::IDC_FILE_NAME, name);
        Click(page, modeButton);
        Click(page, P1::IDC_FINISH_NEXT);
    });
}

// Makes the folder the process's current one while it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) : before_(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~CurrentFolder() { fs::current_path(before_); }

private:
    fs::path before_;
};

struct WizardTest : testing::Test {
    WizardTest()
    {
        LoadLanguageFileFrom(GetAppDirectory() + "/language.ini");
        src = folder.Path() + "/src";
        a = folder.Write("src/a.c", "int a;\n");
        b = folder.Write("src/b.cpp", "int b;\n");
        folder.Write("src/b.h", "int h;\n");
        deep = folder.Write("src/sub/deep.cc", "int d;\n");
        other = folder.Write("other/o.c", "int o;\n");
    }
    WizardEnd Run() { return RunNewProjectWizard(info, options, sink); }

    TempFolder folder;
    TempFolder config;
    COptions options {config.File("Kestrin.ini"), config.Path()};
    RecordingSink sink;
    UiRecorder ui;
    NewProjectInfo info;
    std::string src, a, b, deep, other;
};

} // namespace

TEST_F(WizardTest, NamesAndPathsOfTheProjectFile)
{
    EXPECT_EQ(ProjectFullPath("/p/", "x.kst"), "/p/x.kst");
    EXPECT_EQ(ProjectFullPath("/p", "x"), "/p/x.kst") << "a name without .kst gets it";
    EXPECT_EQ(ProjectFullPath("", "x.KST"), "x.KST");
    EXPECT_EQ(DefaultProjectName(folder.Path()), "Untitle1.kst");
    folder.Write("Untitle1.kst", "");
    fs::create_directory(folder.File("Untitle2.kst"));
    EXPECT_EQ(DefaultProjectName(folder.Path()), "Untitle3.kst");

    EXPECT_EQ(ProjectPathStatus(folder.File("Untitle1.kst")), 300);
    EXPECT_EQ(ProjectPathStatus(folder.File("new.kst")), 0);
    EXPECT_FALSE(fs::exists(folder.File("new.kst"))) << "the probe makes nothing";
    EXPECT_EQ(ProjectPathStatus(folder.File("missing/new.kst")), 301);
    EXPECT_EQ(ProjectPathStatus(folder.File("src/a.c/new.kst")), 301);
    // A FIFO is seen by its status: nothing waits for a writer.
    ASSERT_EQ(::mkfifo(folder.File("pipe.kst").c_str(), 0600), 0);
    EXPECT_EQ(ProjectPathStatus(folder.File("pipe.kst")), 300);

    EXPECT_EQ(StartLocation(folder.File("Untitle1.kst")), folder.Path());
    EXPECT_EQ(StartLocation(folder.Path()), folder.Path());
    EXPECT_EQ(StartLocation(""), "");
}

TEST_F(WizardTest, FolderScansKeepSourcesAndNeverFollowLinkedFolders)
{
    fs::create_directory_symlink(folder.Path(), folder.File("src/sub/up"));
    Files files;
    ScanSourceFolder("", true, files);
    EXPECT_TRUE(files.empty()) << "an empty folder name scans nothing";
    ScanSourceFolder(src, false, files);
    EXPECT_EQ(files, (Files {a, b}));
    files.clear();
    ScanSourceFolder(src, true, files);
    EXPECT_EQ(files, (Files {a, b, deep}));
}

TEST_F(WizardTest, PageOneProposesANameAndShowsThePathsStatus)
{
    folder.Write("Untitle1.kst", "");
    options.lastProjectPath = folder.File("Untitle1.kst");
    NewProjectInfo record;
    P1 page(record, options);
    page.Initialize();
    EXPECT_EQ(page.GetItemText(P1::IDC_LOCATION), folder.Path());
    EXPECT_EQ(page.GetItemText(P1::IDC_FILE_NAME), "Untitle2.kst");
    EXPECT_EQ(page.GetItemText(P1::IDC_FULL_PATH), folder.File("Untitle2.kst"));
    EXPECT_EQ(page.GetItemText(P1::IDC_STATUS), "");
    EXPECT_EQ(page.GetItemText(P1::IDC_FINISH_NEXT), "Finish(&N)");
    EXPECT_FALSE(page.Item(P1::IDC_BACK)->isEnabled());

    Type(page, P1::IDC_FILE_NAME, "Untitle1");
    EXPECT_EQ(page.GetItemText(P1::IDC_STATUS), GetLangString(300));
    Type(page, P1::IDC_LOCATION, folder.File("nowhere"));
    EXPECT_EQ(page.GetItemText(P1::IDC_STATUS), GetLangString(301));
    Click(page, P1::IDC_FROM_FOLDER);
    EXPECT_EQ(record.startMode, NewProjectInfo::kFolder);
    EXPECT_EQ(page.GetItemText(P1::IDC_FINISH_NEXT), "Next(&N)");

    ui.Reply(UiReply::Folder(folder.File("src"), false));
    Click(page, P1::IDC_BROWSE);
    EXPECT_EQ(page.GetItemText(P1::IDC_FULL_PATH), folder.File("src/Untitle1.kst"));
    EXPECT_EQ(options.lastProjectPath, folder.File("src"));
}

TEST_F(WizardTest, BackAndNextRescanTheFolderAndFinishTakesTheList)
{
    ui.Reply(Start(P1::IDC_FROM_FOLDER, folder.Path()))
        .Reply(On<P2>([&](P2& page) {
            page.SetItemText(P2::IDC_FOLDER, src);
            Click(page, P2::IDC_NEXT);
        }))
        .Reply(On<P3>([&](P3& page) {
            EXPECT_EQ(Listed(page), (std::vector<std::string> {a, b}));
            Click(page, P3::IDC_BACK);
        }))
        .Reply(On<P2>([&](P2& page) {
            EXPECT_EQ(page.GetItemText(P2::IDC_FOLDER), src);
            page.SetItemText(P2::IDC_FOLDER, folder.File("other"));
            Click(page, P2::IDC_BACK);
        }))
        .Reply(On<P1>([&](P1& page) {
            EXPECT_TRUE(info.files.empty());
            Click(page, P1::IDC_FINISH_NEXT);
        }))
        .Reply(On<P2>([&](P2& page) {
            page.CheckItem(P2::IDC_RECURSE, 1);
            Click(page, P2::IDC_NEXT);
        }))
        .Reply(On<P3>([&](P3& page) {
            EXPECT_EQ(Listed(page), std::vector<std::string> {other}) << "no earlier scan";
            page.AddFiles({a, a, other, folder.File("OTHER/o.c")});
            EXPECT_EQ(page.List()->count(), 3) << "paths compare exactly, case included";
            page.List()->item(0)->setSelected(true); // the upper-case one sorts first
            Click(page, P3::IDC_REMOVE);
            Click(page, P3::IDC_NEXT);
        }));
    EXPECT_EQ(Run(), WizardEnd::WithFiles);
    EXPECT_EQ(info.files, (Files {a, other}));
    EXPECT_TRUE(info.recurse);
    EXPECT_EQ(info.fileName, "p");
    EXPECT_EQ(ui.RepliesLeft(), 0u);
}

TEST_F(WizardTest, ASourceFolderTypedRelativeIsStoredWhole)
{
    CurrentFolder here(folder.Path());
    const std::string whole = (fs::current_path() / "src").string();
    ui.Reply(Start(P1::IDC_FROM_FOLDER, folder.Path()))
        .Reply(On<P2>([&](P2& page) {
            page.SetItemText(P2::IDC_FOLDER, "./src");
            Click(page, P2::IDC_NEXT);
        }))
        .Reply(On<P3>([&](P3& page) {
            EXPECT_EQ(Listed(page), (std::vector<std::string> {whole + "/a.c", whole + "/b.cpp"}));
            Click(page, P3::IDC_BACK);
        }))
        .Reply(On<P2>([&](P2& page) {
            EXPECT_EQ(page.GetItemText(P2::IDC_FOLDER), whole);
            page.SetItemText(P2::IDC_FOLDER, "");
            Click(page, P2::IDC_NEXT);
        }))
        .Reply(On<P3>([&](P3& page) {
            EXPECT_EQ(page.List()->count(), 0) << "no folder typed: nothing scanned";
            Click(page, IDCANCEL);
        }));
    EXPECT_EQ(Run(), WizardEnd::Cancelled);
    EXPECT_EQ(info.sourceFolder, "");
}

TEST_F(WizardTest, AddedFilesJoinTheSortedListOnceEachAndTheSelectionStays)
{
    info.files = {"/p/b.c", "/p/d.c"};
    P3 page(info, options);
    page.Initialize();
    page.List()->item(1)->setSelected(true);
    page.List()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    // After the rows, then among them, with repeats in one batch and of rows
    // already there.
    page.AddFiles({"/p/f.c", "/p/e.c", "/p/f.c"});
    page.AddFiles({"/p/c.c", "/p/a.c", "/p/d.c", "/p/a.c", "/P/a.c"});
    EXPECT_EQ(Listed(page),
        (std::vector<std::string> {
            "/P/a.c", "/p/a.c", "/p/b.c", "/p/c.c", "/p/d.c", "/p/e.c", "/p/f.c"}));
    ASSERT_EQ(page.List()->selectedItems().size(), 1);
    EXPECT_EQ(page.List()->selectedItems()[0]->text(), "/p/d.c");
    EXPECT_EQ(page.List()->currentItem()->text(), "/p/d.c");
    page.AddFiles({});
    EXPECT_EQ(page.List()->count(), 7);
}

TEST_F(WizardTest, AWorkspacesWordsStayWhenTheUserGoesBackToAnEmptyProject)
{
    const std::string dsp = folder.Write("src/App.dsp",
        "# ADD CPP /D \"WIN32\" /D \"VER=2\"\r\nSOURCE=.\\a.c\r\nSOURCE=.\\gone.c\r\n");
    ui.Reply(Start(P1::IDC_FROM_WORKSPACE, folder.Path()))
        .Reply(On<PW>([&](PW& page) {
            page.SetItemText(PW::IDC_PATH, dsp);
            Click(page, PW::IDC_NEXT);
        }))
        .Reply(On<P3>([&](P3& page) {
            EXPECT_EQ(Listed(page), std::vector<std::string> {a});
            Click(page, P3::IDC_BACK);
        }))
        .Reply(On<PW>([&](PW& page) { Click(page, PW::IDC_BACK); }))
        .Reply(Start(P1::IDC_EMPTY, folder.Path()));
    EXPECT_EQ(Run(), WizardEnd::EmptyProject);
    EXPECT_EQ(info.defines, (VcDefines {{"VER", 2}, {"WIN32", 0}}));
    EXPECT_TRUE(info.files.empty());
    ASSERT_EQ(sink.errors.size(), 1u) << "the missing source is reported";
}

TEST_F(WizardTest, PageThreesBackDropsItsChangesAndCancelEndsAnywhere)
{
    ui.Reply(Start(P1::IDC_FROM_FILES, folder.Path()))
        .Reply(On<P3>([&](P3& page) {
            page.AddFiles({a});
            Click(page, P3::IDC_BACK);
        }))
        .Reply(On<P1>([&](P1& page) { Click(page, P1::IDC_FINISH_NEXT); }))
        .Reply(On<P3>([&](P3& page) {
            EXPECT_EQ(page.List()->count(), 0);
            ui.Reply(UiReply::Paths({b, a}));
            Click(page, P3::IDC_ADD);
            EXPECT_EQ(Listed(page), (std::vector<std::string> {a, b})) << "sorted";
            ui.Reply(UiReply::Answer(Answer::Cancel));
            Click(page, P3::IDC_CLEAR);
            EXPECT_EQ(page.List()->count(), 2);
            ui.Reply(UiReply::Answer(Answer::Ok));
            Click(page, P3::IDC_CLEAR);
            EXPECT_EQ(page.List()->count(), 0);
            Click(page, IDCANCEL);
        }));
    EXPECT_EQ(Run(), WizardEnd::Cancelled);
    EXPECT_EQ(ui.Texts(UiCallKind::Message).back(), GetLangString(304));
}

TEST_F(WizardTest, FinishAsksBeforeReplacingAProjectFile)
{
    folder.Write("p.kst", "Kestrin Project File\r\n");
    ui.Reply(On<P1>([&](P1& page) {
        page.SetItemText(P1::IDC_LOCATION, folder.Path());
        page.SetItemText(P1::IDC_FILE_NAME, "p");
        ui.Reply(UiReply::Answer(Answer::No));
        Click(page, P1::IDC_FINISH_NEXT);
        EXPECT_EQ(page.result(), 0) << "No stays on the page";
        ui.Reply(UiReply::Answer(Answer::Yes));
        Click(page, P1::IDC_FINISH_NEXT);
    }));
    EXPECT_EQ(Run(), WizardEnd::EmptyProject);
    const auto messages = ui.Texts(UiCallKind::Message);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], folder.File("p.kst") + "\n" + GetLangString(310));
}

TEST_F(WizardTest, AnUnreadableNetProjectIsToldAndGivesAnEmptyList)
{
    ui.Reply(Start(P1::IDC_FROM_WORKSPACE, folder.Path()))
        .Reply(On<PW>([&](PW& page) {
            page.SetItemText(PW::IDC_PATH, folder.File("none.vcproj"));
            Click(page, PW::IDC_NEXT);
        }))
        .Reply(On<P3>([&](P3& page) {
            EXPECT_EQ(page.List()->count(), 0);
            Click(page, IDCANCEL);
        }));
    EXPECT_EQ(Run(), WizardEnd::Cancelled);
    EXPECT_EQ(ui.Texts(UiCallKind::Message), std::vector<std::string> {"Folder Open Error"});
}
