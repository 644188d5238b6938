#include "CommandRegistry.h"

#include "GuiSession.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

// Adds the items to a menu bar or a menu; a sub-menu is filled from its
// children.
template <typename MenuOrBar>
void AddMenuItems(CommandRegistry& registry, MenuOrBar& target, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        if (item.separator) {
            target.addSeparator();
        } else if (!item.children.empty() || item.id == 0) {
            QMenu* popup = target.addMenu(ToQString(item.title));
            registry.FillMenu(*popup, item.children);
        } else if (QAction* action = registry.Action(item.id)) {
            target.addAction(action);
        }
    }
}

} // namespace

CommandRegistry::CommandRegistry(QObject* parent) : QObject(parent)
{
}

CommandRegistry::~CommandRegistry()
{
    if (!keyWindows_.empty() && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
}

CommandRegistry::Command* CommandRegistry::Find(int id)
{
    auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : &it->second;
}

QAction* CommandRegistry::Add(int id, const std::string& text)
{
    Command& command = commands_[id];
    if (command.action == nullptr) {
        command.action = new QAction(this);
        command.action->setData(id);
        command.action->setEnabled(false);
        connect(command.action, &QAction::triggered, this, [this, id] { Execute(id); });
    }
    command.action->setText(ToQString(text));
    return command.action;
}

void CommandRegistry::SetKeys(int id, const QList<QKeySequence>& keys)
{
    if (Command* command = Find(id))
        command->action->setShortcuts(keys);
}

void CommandRegistry::OnCommand(int id, std::function<void()> handler)
{
    if (Command* command = Find(id)) {
        command->handler = std::move(handler);
        Update(id);
    }
}

void CommandRegistry::OnUpdate(int id, std::function<void(CommandUpdate&)> handler)
{
    if (Command* command = Find(id)) {
        command->update = std::move(handler);
        Update(id);
    }
}

QAction* CommandRegistry::Action(int id) const
{
    auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : it->second.action;
}

bool CommandRegistry::IsEnabled(int id)
{
    Update(id);
    const Command* command = Find(id);
    return command != nullptr && command->action->isEnabled();
}

bool CommandRegistry::Execute(int id)
{
    if (!IsEnabled(id))
        return false;
    // The handler may replace itself: run a copy.
    std::function<void()> handler = Find(id)->handler;
    handler();
    UpdateAll();
    return true;
}

void CommandRegistry::Update(int id)
{
    Command* command = Find(id);
    if (command == nullptr)
        return;
    CommandUpdate state;
    state.Enable(static_cast<bool>(command->handler));
    if (command->handler && command->update)
        command->update(state);
    const bool enabled = state.IsEnabled() && !command->greyedByPosition;
    command->action->setEnabled(enabled);
    if (state.Check()) {
        command->action->setCheckable(true);
        command->action->setChecked(*state.Check() != 0);
    }
    if (state.Text())
        command->action->setText(ToQString(*state.Text()));
    for (const QPointer<QAbstractButton>& button : command->buttons) {
        if (button.isNull())
            continue;
        button->setEnabled(enabled);
        if (state.Check() && button->isCheckable())
            button->setChecked(*state.Check() != 0);
    }
}

void CommandRegistry::UpdateAll()
{
    for (auto& [id, command] : commands_)
        Update(id);
}

void CommandRegistry::PostUpdate()
{
    if (updatePosted_)
        return;
    updatePosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            updatePosted_ = false;
            UpdateAll();
        },
        Qt::QueuedConnection);
}

void CommandRegistry::FillMenu(QMenu& menu, const std::vector<MenuItem>& items)
{
    AddMenuItems(*this, menu, items);
    connect(&menu, &QMenu::aboutToShow, this, &CommandRegistry::UpdateAll, Qt::UniqueConnection);
}

void CommandRegistry::BuildMenuBar(QMenuBar& bar, const std::vector<MenuItem>& items)
{
    AddMenuItems(*this, bar, items);
}

void CommandRegistry::BindButton(QAbstractButton* button, int id)
{
    Command* command = Find(id);
    if (command == nullptr || button == nullptr)
        return;
    command->buttons.emplace_back(button);
    connect(button, &QAbstractButton::clicked, this, [this, id] { Execute(id); });
    Update(id);
}

void CommandRegistry::AttachKeys(QWidget& window)
{
    for (auto& [id, command] : commands_)
        window.addAction(command.action);
    if (keyWindows_.empty() && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
    keyWindows_.emplace_back(&window);
}

bool CommandRegistry::eventFilter(QObject* watched, QEvent* event)
{
    // A key is first offered to the focus widget as a shortcut override; the
    // commands' states are brought up to date before Qt matches the key.
    if (event->type() == QEvent::ShortcutOverride) {
        if (auto* widget = qobject_cast<QWidget*>(watched)) {
            for (const QPointer<QWidget>& window : keyWindows_) {
                if (!window.isNull() && widget->window() == window) {
                    UpdateAll();
                    break;
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void CommandRegistry::SetGreyed(QAction* action, bool greyed)
{
    if (action == nullptr)
        return;
    bool isCommand = false;
    const int id = action->data().toInt(&isCommand);
    Command* command = isCommand ? Find(id) : nullptr;
    if (command != nullptr && command->action == action) {
        command->greyedByPosition = greyed;
        Update(id);
    } else {
        action->setEnabled(!greyed);
    }
}

void CommandRegistry::EnableTopLevel(QMenuBar& bar, int position, bool enable)
{
    SetGreyed(bar.actions().value(position), !enable);
}

void CommandRegistry::EnableMenuItem(QMenuBar& bar, int menuPosition, int itemPosition, bool enable)
{
    QAction* entry = bar.actions().value(menuPosition);
    if (entry == nullptr || entry->menu() == nullptr)
        return;
    SetGreyed(entry->menu()->actions().value(itemPosition), !enable);
}
