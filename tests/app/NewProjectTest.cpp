#include "AppFixture.h"

#include "CommandIds.h"
#include "InputSet.h"
#include "NewProjectPages.h"
#include "Options.h"
#include "TotalView.h"

#include <QAbstractButton>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

template <typename Page> UiReply On(std::function<void(Page&)> work)
{
    return UiReply::Dialog([work](QDialog& dialog) {
        auto* page = dynamic_cast<Page*>(&dialog);
        EXPECT_NE(page, nullptr) << dialog.metaObject()->className();
        if (page != nullptr)
            work(*page);
        return dialog.result();
    });
}

void Click(CDialog& page, int id)
{
    page.ItemAs<QAbstractButton>(id)->click();
}

using P1 = CDialogNewProject;

// Makes the folder the process's current one while it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) : before_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(before_); }

private:
    std::filesystem::path before_;
};

} // namespace

TEST(NewProjectTest, TheWizardAsksToSaveFirstThenMakesTheProjectAndDrawsIt)
{
    TempFolder folder;
    const std::string a = folder.Write("src/a.c", "struct Garden { int beds; };\n");
    const std::string b = folder.Write("src/b.c", "int Water(int litres) { return litres; }\n");
    RunningApp program;
    UiRecorder ui;
    CKestrinDoc& doc = program.Doc();
    doc.AddFile(folder.Write("old.c", "int old;\n"));
    doc.SetModifiedFlag();
    program.context->Options().projectWords["OLD"] = 1;

    ui.Reply(UiReply::Answer(Answer::Cancel));
    program.Frame().Commands().Execute(ID_NEW_PROJECT);
    EXPECT_TRUE(ui.Texts(UiCallKind::Dialog).empty()) << "Cancel in the save question";
    EXPECT_EQ(program.context->Input().paths.size(), 1u);

    ui.Reply(UiReply::Answer(Answer::No))
        .Reply(On<P1>([&](P1& page) {
            page.SetItemText(P1::IDC_LOCATION, folder.Path());
            page.SetItemText(P1::IDC_FILE_NAME, "Garden");
            Click(page, P1::IDC_FROM_FOLDER);
            Click(page, P1::IDC_FINISH_NEXT);
        }))
        .Reply(On<CDialogNewProject2>([&](CDialogNewProject2& page) {
            page.SetItemText(CDialogNewProject2::IDC_FOLDER, folder.File("src"));
            Click(page, CDialogNewProject2::IDC_NEXT);
        }))
        .Reply(On<CDialogNewProject3>(
            [&](CDialogNewProject3& page) { Click(page, CDialogNewProject3::IDC_NEXT); }));
    program.Frame().Commands().Execute(ID_NEW_PROJECT);
    EXPECT_EQ(program.context->Input().paths, (std::set<std::string> {a, b}));
    EXPECT_EQ(doc.GetPathName(), folder.File("Garden.kst"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(program.context->Options().projectWords.count("OLD"), 0u);
    EXPECT_TRUE(WaitFor([&] {
        return !program.context->drawRunning &&
            FindNode(program.Frame().MacroView()->Nodes(), "Garden") != nullptr;
    })) << "a Draw follows";
}

TEST(NewProjectTest, FilesPickedByHandJoinAsTheyAreWhateverTheirType)
{
    TempFolder folder;
    const std::string header = folder.Write("notes.h", "struct Notes { int n; };\n");
    const std::string dsp = folder.Write("Other.dsp", "# ADD CPP /D \"OTHER\"\r\n");
    RunningApp program;
    UiRecorder ui;
    ui.Reply(On<P1>([&](P1& page) {
          page.SetItemText(P1::IDC_LOCATION, folder.Path());
          Click(page, P1::IDC_FROM_FILES);
          Click(page, P1::IDC_FINISH_NEXT);
      }))
        .Reply(On<CDialogNewProject3>([&](CDialogNewProject3& page) {
            page.AddFiles({header, dsp});
            Click(page, CDialogNewProject3::IDC_NEXT);
        }));
    program.Frame().Commands().Execute(ID_NEW_PROJECT);
    EXPECT_EQ(program.context->Input().paths, (std::set<std::string> {dsp, header}));
    EXPECT_EQ(program.context->Options().projectWords.count("OTHER"), 0u)
        << "a project picked as a file is not imported";
    EXPECT_TRUE(WaitFor([&] { return !program.context->drawRunning; }));
}

TEST(NewProjectTest, AWorkspacesWordsAndEveryFileByItsFullPathReachTheSavedProject)
{
    TempFolder folder;
    const std::string dsp =
        folder.Write("ws/App.dsp", "# ADD CPP /D \"WIN32\" /D \"VER=2\"\r\nSOURCE=.\\a.c\r\n");
    const std::string a = folder.Write("ws/a.c", "int a;\n");
    folder.Write("loose/b.c", "int b;\n");
    RunningApp program;
    UiRecorder ui;
    CKestrinDoc& doc = program.Doc();
    ui.Reply(On<P1>([&](P1& page) {
          page.SetItemText(P1::IDC_LOCATION, folder.Path());
          page.SetItemText(P1::IDC_FILE_NAME, "App");
          Click(page, P1::IDC_FROM_WORKSPACE);
          Click(page, P1::IDC_FINISH_NEXT);
      }))
        .Reply(On<CDialogNewProjectVCFile>([&](CDialogNewProjectVCFile& page) {
            page.SetItemText(CDialogNewProjectVCFile::IDC_PATH, dsp);
            Click(page, CDialogNewProjectVCFile::IDC_NEXT);
        }))
        .Reply(On<CDialogNewProject3>(
            [&](CDialogNewProject3& page) { Click(page, CDialogNewProject3::IDC_NEXT); }));
    program.Frame().Commands().Execute(ID_NEW_PROJECT);
    EXPECT_EQ(program.context->Options().projectWords,
        (std::map<std::string, int32_t> {{"VER", 2}, {"WIN32", 0}}));
    ASSERT_TRUE(WaitFor([&] { return !program.context->drawRunning; }));

    // A file that comes in by a relative path is saved by its full one.
    std::string b;
    {
        CurrentFolder here(folder.Path());
        b = (std::filesystem::current_path() / "loose/b.c").string();
        doc.AddFile("loose/b.c");
        ASSERT_TRUE(doc.DoSave(doc.GetPathName()));
    }
    EXPECT_EQ(ReadFileBytes(folder.File("App.kst")),
        "Kestrin Project File\r\nV0.7\r\n<Option>\r\n</Option>\r\n<Define>\r\n2\r\n"
        "VER\r\n2\r\nWIN32\r\n0\r\n</Define>\r\n<File>\r\n" +
            b + "\r\n1 1\r\n" + a + "\r\n1 1\r\n</File>\r\n");
}
