#pragma once

#include "CommandRegistry.h"

#include <QKeySequence>
#include <QList>
#include <vector>

// One command of the program: its id, the text menus and buttons show (the
// part after a tab names its key and is only shown), and the keys that run it.
struct CommandEntry {
    int id;
    const char* text;
    QList<QKeySequence> keys;
};

// Every command of the program, menu commands first, then the dialog-bar and
// status-bar controls and the keys without a menu entry.
const std::vector<CommandEntry>& CommandTable();

// The main menu: File, Kestrin, View, Option, the Info command, Help. Menus
// are greyed by these positions while a Draw runs.
std::vector<MenuItem> MainMenuDescription();
constexpr int kFileMenuPosition = 0;
constexpr int kKestrinMenuPosition = 1;
constexpr int kOptionMenuPosition = 3;
constexpr int kInfoMenuPosition = 4;
// The number of recent-file entries the File menu holds.
constexpr int kRecentFileCount = 8;

// Registers every command of the table (text and keys, no handlers yet).
void RegisterCommandTable(CommandRegistry& commands);
