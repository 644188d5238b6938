#pragma once

#include <memory>
#include <string>
#include <vector>

class AppContext;
class CKestrinDoc;
class CMainFrame;

// The application: makes the document and the main window, shows the window
// at its stored placement, and opens a project named on the command line
// once the window is up. Destroying it destroys the window (which keeps the
// splitters' modes, and whose views write their default colour files), then
// the document.
class CKestrinApp {
public:
    explicit CKestrinApp(AppContext& context);
    ~CKestrinApp();
    CKestrinApp(const CKestrinApp&) = delete;
    CKestrinApp& operator=(const CKestrinApp&) = delete;

    // The start-up sequence; `arguments` without the program's name (the
    // first one, when there is one, names a project to open). False when
    // the program cannot start.
    bool InitInstance(const std::vector<std::string>& arguments);

    CMainFrame* MainFrame() const { return frame_.get(); }
    CKestrinDoc* Document() const { return document_.get(); }

private:
    AppContext& context_;
    std::unique_ptr<CKestrinDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
};
