#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// What an update handler decides for one command before it is shown: enabled
// or greyed, check mark, and optionally a new text.
class CommandUpdate {
public:
    void Enable(bool on = true) { enabled_ = on; }
    // 0 unchecked, anything else checked.
    void SetCheck(int check = 1) { check_ = check; }
    void SetText(const std::string& text) { text_ = text; }

    bool IsEnabled() const { return enabled_; }
    const std::optional<int>& Check() const { return check_; }
    const std::optional<std::string>& Text() const { return text_; }

private:
    bool enabled_ = true;
    std::optional<int> check_;
    std::optional<std::string> text_;
};

// One entry of a menu description: a command, a popup with entries, or a
// separator.
struct MenuItem {
    std::string title {}; // popups only
    int id = 0; // commands only
    std::vector<MenuItem> children {};
    bool separator = false;

    static MenuItem Command(int id) { return MenuItem {{}, id, {}, false}; }
    static MenuItem Popup(std::string title, std::vector<MenuItem> children)
    {
        return MenuItem {std::move(title), 0, std::move(children), false};
    }
    static MenuItem Separator() { return MenuItem {{}, 0, {}, true}; }
};

// The program's commands, keyed by their numeric ids. Each command has a
// text, keys, a handler and an update handler; menus, menu-bar commands and
// buttons bound to an id all run the same command and show its state.
//
// Update handlers run before a menu opens, before a key is matched in a
// window the keys are attached to, after every command, and once more when an
// update is posted. A command without a handler is greyed. A command or
// top-level menu greyed by position stays greyed, whatever its update handler
// says, until it is enabled by position again.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    explicit CommandRegistry(QObject* parent = nullptr);
    ~CommandRegistry() override;

    // Registers a command. The text may name its key after a tab
    // ("&Draw\tF5"); that part is only shown. Registering an id again
    // changes its text.
    QAction* Add(int id, const std::string& text);
    // The keys that run the command (an accelerator table's entries).
    void SetKeys(int id, const QList<QKeySequence>& keys);
    void OnCommand(int id, std::function<void()> handler);
    void OnUpdate(int id, std::function<void(CommandUpdate&)> handler);

    // The command's action; null when the id is not registered.
    QAction* Action(int id) const;
    bool IsEnabled(int id);

    // Runs the command when it has a handler and is enabled, then updates
    // every command. False when nothing ran.
    bool Execute(int id);
    void Update(int id);
    void UpdateAll();
    // One UpdateAll from the event loop, however often it is asked for before.
    void PostUpdate();

    // Fills the menu bar (or a menu) from the description.
    void BuildMenuBar(QMenuBar& bar, const std::vector<MenuItem>& items);
    void FillMenu(QMenu& menu, const std::vector<MenuItem>& items);
    // A button that runs the command when clicked and shows its state.
    void BindButton(QAbstractButton* button, int id);
    // Makes every command's keys work in the window, menus or not.
    void AttachKeys(QWidget& window);

    // Greys or enables an entry of the menu bar by position, or an entry of
    // one of its menus; positions count separators. Out of range: nothing.
    void EnableTopLevel(QMenuBar& bar, int position, bool enable);
    void EnableMenuItem(QMenuBar& bar, int menuPosition, int itemPosition, bool enable);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Command {
        QAction* action = nullptr;
        std::function<void()> handler;
        std::function<void(CommandUpdate&)> update;
        std::vector<QPointer<QAbstractButton>> buttons;
        bool greyedByPosition = false;
    };

    Command* Find(int id);
    void SetGreyed(QAction* action, bool greyed);

    std::map<int, Command> commands_;
    std::vector<QPointer<QWidget>> keyWindows_;
    bool updatePosted_ = false;
};
