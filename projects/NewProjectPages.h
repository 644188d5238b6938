#pragma once

#include "Dialog.h"

#include <QStringList>

class COptions;
class MessageSink;
class QListWidget;
struct NewProjectInfo;

// The pages of the new-project wizard. Each runs modally on its own and
// ends with OK and the button that closed it (Action()), or with Cancel;
// the wizard's loop opens the next page. They read and write the record.
class CNewProjectPage : public CDialog {
    Q_OBJECT
public:
    enum class Action { Next, Back, Finish };
    Action GetAction() const { return action_; }

    // Control ids every page shares.
    enum : int { IDC_BACK = 1149, IDC_NEXT = 1150 };

protected:
    CNewProjectPage(NewProjectInfo& info, QWidget* parent);
    // Ends the page with OK and the action.
    void Close(Action action);
    // At Finish: true unless the project file exists and the user does not
    // want it replaced.
    bool ConfirmProjectPath();
    // Lays the page out: its group above a row of Back, the forward button
    // (the default, captioned `forward`, id IDC_NEXT) and Cancel.
    void LayOutPage(QWidget* group, const char* forward);

    NewProjectInfo& info_;

private:
    Action action_ = Action::Next;
};

// Page 1: the project file's name and folder, and how the project starts.
class CDialogNewProject : public CNewProjectPage {
    Q_OBJECT
public:
    CDialogNewProject(NewProjectInfo& info, COptions& options, QWidget* parent = nullptr);

    enum : int {
        IDC_FILE_NAME = 1129,
        IDC_LOCATION = 1142,
        IDC_BROWSE = 1138,
        IDC_FULL_PATH = 1143,
        IDC_STATUS = 1147,
        IDC_EMPTY = 1144,
        IDC_FROM_WORKSPACE = 1150,
        IDC_FROM_FOLDER = 1145,
        IDC_FROM_FILES = 1146,
        IDC_FINISH_NEXT = 1148,
    };

protected:
    bool OnInitDialog() override;

private:
    void OnMode(int mode);
    void ShowFullPath();
    void OnBrowse();
    void OnFinishNext();

    COptions& options_;
};

// Page 2: the source folder to scan.
class CDialogNewProject2 : public CNewProjectPage {
    Q_OBJECT
public:
    CDialogNewProject2(NewProjectInfo& info, COptions& options, QWidget* parent = nullptr);

    enum : int { IDC_FOLDER = 1129, IDC_BROWSE = 1138, IDC_RECURSE = 1135 };

protected:
    bool OnInitDialog() override;

private:
    void Store();

    COptions& options_;
};

// Page 3: the source files, added and removed one by one.
class CDialogNewProject3 : public CNewProjectPage {
    Q_OBJECT
public:
    CDialogNewProject3(NewProjectInfo& info, COptions& options, QWidget* parent = nullptr);

    enum : int { IDC_ADD = 1034, IDC_REMOVE = 1025, IDC_CLEAR = 1153, IDC_LIST = 1151 };

    QListWidget* List() const { return list_; }
    // Adds the paths the list does not hold yet (compared exactly), in one
    // step however many they are.
    void AddFiles(const std::vector<std::string>& paths);

protected:
    bool OnInitDialog() override;

private:
    // Adds rows the list does not hold to it, in its order.
    void AddRows(QStringList rows);
    void OnRemove();
    void OnClearAll();
    void OnFinish();

    COptions& options_;
    QListWidget* list_;
};

// The workspace page: the Visual C++ project or workspace to start from.
class CDialogNewProjectVCFile : public CNewProjectPage {
    Q_OBJECT
public:
    CDialogNewProjectVCFile(NewProjectInfo& info, MessageSink& sink, QWidget* parent = nullptr);

    enum : int { IDC_PATH = 1153, IDC_BROWSE = 1138 };

protected:
    bool OnInitDialog() override;

private:
    void OnNext();

    MessageSink& sink_;
};
