#pragma once

#include "Dialog.h"
#include "IncludeDirLists.h"

class CDirListBox;
class COptions;
class CXPGroupBox;

// "Include File Directory": edits the four Visual C++ version include lists,
// the version in use and the user's own list. Default puts back what the
// dialog opened with; OK stores everything into the options.
class CDialogIncludeDir : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_VC_GROUP = 1192;
    static constexpr int IDC_VERSION = 1023;
    static constexpr int IDC_VC_LIST = 1022;
    static constexpr int IDC_VC_APPEND = 1024;
    static constexpr int IDC_VC_REMOVE = 1025;
    static constexpr int IDC_RESET_PATH = 1035;
    static constexpr int IDC_USER_GROUP = 1193;
    static constexpr int IDC_USER_LIST = 1026;
    static constexpr int IDC_USER_APPEND = 1027;
    static constexpr int IDC_USER_REMOVE = 1028;
    static constexpr int IDC_DEFAULT = 3;

    CDialogIncludeDir(COptions& options, QWidget* parent = nullptr);

    const IncludeDirLists& Lists() const { return lists_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void Fill();
    void ChooseVersion(int index);
    void Append(CDirListBox* list);
    void Remove(CDirListBox* list);
    void ResetPath();

    COptions& options_;
    IncludeDirLists lists_;
    CDirListBox* versionList_;
    CDirListBox* userList_;
    CXPGroupBox* vcGroup_;
    CXPGroupBox* userGroup_;
};
