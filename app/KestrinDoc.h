#pragma once

#include <functional>
#include <string>

class AppContext;
class CMainFrame;
class CModelScope;
class CUnit;

// The document: the open project's identity (its path and title), the
// modified flag and the macro view's selection. The project's files live in
// the context's project input, its predefined words in the options, its model
// in the analysis driver.
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
    // build its diagram again; `mode` 0 none, 1 a function, 2 a type.
    CModelScope* rootScope = nullptr;
    CModelScope* selectedScope = nullptr;
    CUnit* selectedNode = nullptr;
    bool dirty = false;
    int mode = 0;
    // Forgets the selection (the model it points into is going).
    void ClearSelection();

    // A new, empty, untitled project.
    bool OnNewDocument();
    // Opens a project. Before the main window exists the path is only kept
    // for start-up to open later.
    bool OnOpenDocument(const std::string& path);
    // Asks whether to save a modified project: Yes saves, No discards;
    // false when the user cancels (or the save failed).
    bool SaveModified();
    // Opens a project as the File menu does: asks to save the current one,
    // opens, takes the path and title. A project that cannot be opened
    // leaves a new untitled one, and leaves the recent-file list.
    bool OpenDocumentFile(const std::string& path);

    // Adds one file to the project by its type (see GetFileType): a source
    // joins the project input with both flags set; other types add nothing
    // here. A path holding a line break is refused with a message (the
    // project file could not carry it). Neither marks the project modified.
    void AddFile(const std::string& path);

private:
    AppContext& context_;
    CMainFrame* frame_ = nullptr;
    std::string path_;
    bool modified_ = false;
};
