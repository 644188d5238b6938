#pragma once

#include "ModelHolders.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class AppContext;
class CMainFrame;
class CModelScope;
class CUnit;
class QWidget;

// The document: the open project's identity (its path and title), the
// modified flag and the macro view's selection. The project's files live in
// the context's project input, its predefined words in the options, its model
// in the analysis driver. The document reads and writes the project file and
// its parse cache and adds files to the project.
class CKestrinDoc {
public:
    explicit CKestrinDoc(AppContext& context);
    CKestrinDoc(const CKestrinDoc&) = delete;
    CKestrinDoc& operator=(const CKestrinDoc&) = delete;

    // The main window, once it exists (null before and after).
    void SetFrame(CMainFrame* frame) { frame_ = frame; }
    CMainFrame* Frame() const { return frame_; }

    const std::string& GetPathName() const { return path_; }
    // The project's file name, or "Untitled".
    std::string GetTitle() const;
    // A non-empty path also goes first in the recent-file list.
    void SetPathName(const std::string& path, bool addToRecent = true);
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true);
    // Called when the title or the modified flag changes.
    std::function<void()> titleChanged;

    // The macro view's selection: the model's root for a selected type, the
    // selected element and its first unit; `dirty` asks the detail view to
    // build its diagram again; `mode` 0 none, 1 a function, 2 a type. It is
    // forgotten whenever the model is replaced.
    CModelScope* rootScope = nullptr;
    CModelScope* selectedScope = nullptr;
    CUnit* selectedNode = nullptr;
    bool dirty = false;
    int mode = 0;
    void ClearSelection();

    // --- Opening, saving and closing (DocumentFile.cpp) ---

    // A new, empty, untitled project; the views are reset.
    bool OnNewDocument();
    // Opens a project: the views are reset, the project file is read and its
    // parse cache loaded on the macro view's loading thread; the questions
    // whether to draw come once the model is in place (see Loading on the
    // macro view). A load still going is abandoned first. Before the main window exists the path is
    // only kept for start-up to open later.
    bool OnOpenDocument(const std::string& path);
    // Opens a project as the File menu does: asks to save the current one
    // (Cancel keeps it), opens, takes the path. A project that cannot be
    // opened leaves a new untitled one and leaves the recent-file list.
    bool OpenDocumentFile(const std::string& path);
    // Asks whether to save a modified project: Yes saves, No discards;
    // false when the user cancels or the save failed.
    bool SaveModified();
    // Writes the project file (in one step) and then the parse cache beside
    // it, and takes the path. Refused while a Draw runs. False, with a
    // message, when the project file could not be written, and when the
    // cache could not: the project file is then written and its path taken,
    // the old cache removed, and the project stays marked as changed.
    bool DoSave(const std::string& path);

    // The File menu's commands. Each is refused (language text 18) while a
    // Draw runs, as the menu is greyed then.
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnOpenRecentFile(int index);
    // Asks to save the current project, then runs the new-project wizard;
    // a project finished with files is drawn at once.
    void OnNewProject();
    void OnCloseProject();

    // --- The project's files (ProjectFiles.cpp) ---

    // Reads a project file into the project input (emptied by the caller)
    // and the project words; false only when reading failed.
    bool ReadProjectFile(const std::string& path);
    // Adds one file by its type (see GetFileType): a source joins the project
    // with both flags; a Visual C++ project or workspace brings its sources
    // and its words (reported in the message pane; read on a thread of its
    // own, which Stop ends early, keeping what was found); a path holding a
    // line break is refused with a message (the project file could not carry
    // it). True when the project gained files or words; neither marks the
    // project modified.
    bool AddFile(const std::string& path);
    // The last AddFile's import was stopped: whoever adds a list of files
    // ends there.
    bool ImportStopped() const { return importStopped_; }
    // Adds every file of a folder, and of its sub-folders when asked;
    // folders reached through symbolic links are not entered. True when the
    // project gained files or words. An import that was stopped ends the scan.
    bool ScanFolder(const std::string& folder, bool recurse);
    // Takes a file out of the project with its parse result; every holder
    // of model pointers is reset first, as the model is built again. The
    // project information dialog removes files through here.
    void RemoveFile(const std::string& path);
    // Takes many files out of the project with one model rebuild.
    void RemoveFiles(const std::vector<std::string>& paths);
    void OnAppendFiles();
    // Starts a new project from a Visual C++ project or workspace, after
    // asking to save the current one (Cancel keeps it).
    void OnOpenFromVcFile();
    // The project information dialog; a change there marks the project
    // modified.
    void OnProjectInfo();
    // Asks for a folder (with a check box for its sub-folders) and scans it.
    void OnAddFolder(QWidget* owner);
    // The project a finished new-project wizard describes: its files and
    // predefined words, saved as <location>/<file name>.
    void CreateProjectFromWizard(const std::set<std::string>& files,
        const std::map<std::string, int32_t>& defines, const std::string& location,
        const std::string& fileName);
    // The folder chooser of the wizard: the folder chosen (also put into
    // `folder`), or an empty text when cancelled.
    std::string SelectFolder(QWidget* owner, std::string& folder);

    // True, after telling the user, while a Draw runs.
    bool RefusedDuringDraw() const;

private:
    bool WriteProject(const std::string& path);
    // Removes a cache that no longer goes with its project file, and marks
    // it never to be loaded should it stay.
    void DiscardCache(const std::string& cache);
    // Starts loading the parse cache of a project just read, with whether
    // any file of its records changed on disk; a cache that cannot be loaded
    // asks whether to analyse now. FinishOpen follows in either case.
    void LoadProjectCache(const std::string& path);
    // Reports the opened project and, when its files changed, asks whether
    // to draw again.
    void FinishOpen(const std::string& path, bool changed);
    void RemoveFromRecentFiles(const std::string& path);

    AppContext& context_;
    CMainFrame* frame_ = nullptr;
    std::string path_;
    bool modified_ = false;
    // The last AddFile's import was stopped.
    bool importStopped_ = false;
    ModelHolders::Registration holder_;
};
