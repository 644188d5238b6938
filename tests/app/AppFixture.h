#pragma once

// What the application's tests share: a configuration folder of the test's
// own (settings, option files and default colour files are written there),
// the application context on it, and the started application.

#include "AppContext.h"
#include "KestrinApp.h"
#include "KestrinDoc.h"
#include "MacroLayoutNode.h"
#include "MainFrame.h"
#include "ModelScope.h"
#include "TempFolder.h"
#include "UiRecorder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

// Points the user's configuration folder at a new temporary folder while it
// lives.
class ScopedConfigFolder {
public:
    ScopedConfigFolder()
    {
        const char* old = std::getenv("KESTRIN_CONFIG_DIR");
        if (old != nullptr)
            previous_ = old;
        setenv("KESTRIN_CONFIG_DIR", folder_.Path().c_str(), 1);
    }
    ~ScopedConfigFolder()
    {
        if (previous_)
            setenv("KESTRIN_CONFIG_DIR", previous_->c_str(), 1);
        else
            unsetenv("KESTRIN_CONFIG_DIR");
    }
    std::string Path() const { return folder_.Path(); }
    std::string File(const std::string& name) const { return folder_.Path() + "/" + name; }
    AppFolders Folders() const { return {File("Kestrin.ini"), Path(), {}}; }

private:
    TempFolder folder_;
    std::optional<std::string> previous_;
};

// A recorder that also runs a check whenever a message box is shown.
class WatchingRecorder : public UiRecorder {
public:
    std::function<void(const std::string&)> onMessage;
    Answer MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
        const std::string& caption) override
    {
        if (onMessage)
            onMessage(text);
        return UiRecorder::MessageBox(text, buttons, icon, caption);
    }
};

// Runs the event loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// The macro view's item of that name, searched through open and closed boxes
// alike; nullptr when there is none.
inline const MacroLayoutNode* FindNode(
    const std::vector<MacroLayoutNode>& nodes, const std::string& name)
{
    for (const MacroLayoutNode& node : nodes) {
        if (node.scope != nullptr && node.scope->name == name)
            return &node;
        if (const MacroLayoutNode* found = FindNode(node.children, name))
            return found;
    }
    return nullptr;
}

// The whole program on a configuration folder of its own.
struct RunningApp {
    explicit RunningApp(const std::vector<std::string>& arguments = {})
        : context(std::make_unique<AppContext>(config.Folders())),
          app(std::make_unique<CKestrinApp>(*context))
    {
        started = app->InitInstance(arguments);
    }
    ~RunningApp()
    {
        if (app != nullptr && Frame().isVisible()) {
            Doc().SetModifiedFlag(false);
            Frame().close();
        }
        app.reset();
        context.reset();
    }
    CMainFrame& Frame() { return *app->MainFrame(); }
    CKestrinDoc& Doc() { return *app->Document(); }
    // Closes the window and destroys the program as main does.
    void Shutdown()
    {
        Frame().close();
        app.reset();
        context.reset();
    }

    ScopedConfigFolder config;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<CKestrinApp> app;
    bool started = false;
};
