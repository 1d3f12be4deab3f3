#pragma once

#include "ControlIds.h"

#include <QKeySequence>
#include <QList>

#include <vector>

namespace fontlathe {

class Dispatcher;

// One command of the main window: where its menu item sits, what it says, its keys, and what it
// does. The menus are built from the table in its order and the dispatch runs its rows, so a new
// command is one row.
struct WindowCommand {
    enum class Kind {
        Item,        // a menu item
        Option,      // a checkable item remembered in the user's settings under key
        Separator,   // a line between groups
        RecentFiles, // the Open Recent submenu, its entries filled in as files are used
        CodePages,   // the Code Page submenu, one submenu of pages a script
        Desktop,     // no item of ours: the desktop's own application menu sends it
        Toggle,      // a checkable item that starts unchecked in every run
        Submenu,     // a submenu of items, filled by the rows whose menu is its path
        Key,         // no menu item: keys of the window alone, enabled while they have work
    };
    Kind kind;
    Menu::Id id;
    // "File", "Edit" or "Info", or a submenu's path: "File/Open Recent".
    const char* menu;
    const char* text;
    QList<QKeySequence> shortcuts = {};
    // For an Option: the settings key and the state before the user chose one.
    const char* key = nullptr;
    bool byDefault = false;
    // What the command does, with the character the table has current.
    void (*run)(Dispatcher& dispatcher, int current) = nullptr;
    // What the item says when the pointer rests on it; none when null.
    const QString* toolTip = nullptr;
};

const std::vector<WindowCommand>& WindowCommands();
// The Edit menu's rows, in its order (WindowCommands_Edit.cpp).
std::vector<WindowCommand> EditMenuCommands();

// The row of the command, or nullptr for an id no row has.
const WindowCommand* FindWindowCommand(int id);

} // namespace fontlathe
