#pragma once

#include "Dialog.h"
#include "PredefinedWordLists.h"

class CMyListCtrl;
class COptions;
class CXPGroupBox;

// "Predefined Word": edits the common words and the open project's words side
// by side. Default shows the options' words again; OK replaces both maps.
// After OK, ProjectWordsChanged says whether the project's words were added
// to, removed from or edited, so that the caller marks the project modified.
class CDialogPredefinedWord : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_COMMON_GROUP = 1192;
    static constexpr int IDC_COMMON_LIST = 1030;
    static constexpr int IDC_COMMON_WORD = 1031;
    static constexpr int IDC_COMMON_VALUE = 1032;
    static constexpr int IDC_COMMON_ADD = 1034;
    static constexpr int IDC_COMMON_REMOVE = 1025;
    static constexpr int IDC_PROJECT_GROUP = 1193;
    static constexpr int IDC_PROJECT_LIST = 1033;
    static constexpr int IDC_PROJECT_WORD = 1035;
    static constexpr int IDC_PROJECT_VALUE = 1036;
    static constexpr int IDC_PROJECT_ADD = 1037;
    static constexpr int IDC_PROJECT_REMOVE = 1026;
    static constexpr int IDC_DEFAULT = 1003;

    CDialogPredefinedWord(COptions& options, QWidget* parent = nullptr);

    bool ProjectWordsChanged() const { return lists_.projectChanged; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CXPGroupBox* MakeGroup(int groupId, const char* title, int listId, int wordId, int valueId,
        int addId, const char* addText, int removeId, const char* removeText);
    void Fill();
    void Add(int listId, int wordId, int valueId);

    COptions& options_;
    PredefinedWordLists lists_;
    CMyListCtrl* common_ = nullptr;
    CMyListCtrl* project_ = nullptr;
};
