#pragma once

#include "Dialog.h"

#include <string>
#include <vector>

class CInputSet;
class CKestrinDoc;
class CMainFrame;
class CPowerListView;

// "Project Information": the project's files in a check list with their
// analyse and draw flags. Removing and adding files acts on the project at
// once; the flags go back into the project input on OK, which analyses the
// project again over its parse results when anything changed. Changed()
// tells the caller, however the dialog was closed.
class CDialogProjectInfo : public CDialog {
    Q_OBJECT
public:
    CDialogProjectInfo(
        CKestrinDoc& document, CMainFrame& frame, CInputSet& input, QWidget* parent = nullptr);

    enum : int {
        IDC_PATH = 1002,
        IDC_REMOVE = 1017,
        IDC_SELECT_ALL = 1063,
        IDC_ANALYSIS_ALL = 1065,
        IDC_DRAW_ALL = 1069,
        IDC_ADD_FILES = 1024,
        IDC_ADD_FOLDER = 1025,
    };

    bool Changed() const { return changed_; }
    CPowerListView* List() const { return list_; }
    // Files dropped on the dialog join the project as if dropped on the main
    // window.
    void DropFiles(const std::vector<std::string>& paths);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Fill();
    void OnRemove();
    // After files were added: the rows' checks are kept in the input, and
    // the list is filled again from it.
    void Refill();

    CKestrinDoc& document_;
    CMainFrame& frame_;
    CInputSet& input_;
    CPowerListView* list_ = nullptr;
    bool changed_ = false;
};
