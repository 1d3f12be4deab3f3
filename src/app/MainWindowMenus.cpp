#include "MainWindow.h"

#include "WindowCommands.h"
#include "document/GameFontEntry.h"
#include "gui/ShortcutKeeper.h"
#include "text/CodePage.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

namespace fontlathe {

namespace {

// The commands whose keys a text field keeps for its own meaning.
bool IsPixelKeyCommand(int id) {
    return (id >= Menu::MovePixelsLeft && id <= Menu::MovePixelsDown) || id == Menu::ClearPixels ||
           id == Menu::DropPixels || id == Menu::DeselectPixels;
}

} // namespace

QAction* MainWindow::AddMenuItem(QMenu* menu, int menuId, const QString& label,
                                 const QList<QKeySequence>& shortcuts) {
    QAction* action = menu->addAction(label);
    action->setData(menuId);
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, menuId] { emit menuCommand(menuId); });
    menuActions_.append(action);
    return action;
}

// A checkable item whose state outlives the run, kept in the user's settings under key.
QAction* MainWindow::AddRememberedOption(QMenu* menu, int menuId, const QString& label,
                                         const QString& key, bool byDefault) {
    QAction* action = AddMenuItem(menu, menuId, label, {});
    action->setCheckable(true);
    action->setChecked(QSettings().value(key, byDefault).toBool());
    connect(action, &QAction::toggled, this,
            [key](bool checked) { QSettings().setValue(key, checked); });
    return action;
}

// The menus of the window's command table, in its order.
void MainWindow::BuildMenus() {
    QHash<QString, QMenu*> menus;
    const auto menuAt = [&](const QString& path) {
        QMenu*& menu = menus[path];
        if (menu == nullptr) {
            menu = menuBar()->addMenu(path);
        }
        return menu;
    };
    using Kind = WindowCommand::Kind;
    for (const WindowCommand& command : WindowCommands()) {
        if (command.kind == Kind::Desktop) {
            continue;
        }
        QMenu* menu = menuAt(QString::fromUtf8(command.menu));
        const QString text = QString::fromUtf8(command.text);
        const QString path = QString::fromUtf8(command.menu) + u'/' + text;
        switch (command.kind) {
        case Kind::Item:
            AddMenuItem(menu, command.id, text, command.shortcuts);
            break;
        case Kind::Option: {
            QAction* option = AddRememberedOption(
                menu, command.id, text, QString::fromUtf8(command.key), command.byDefault);
            option->setShortcuts(command.shortcuts);
            if (command.toolTip != nullptr) {
                option->setToolTip(*command.toolTip);
            }
            break;
        }
        case Kind::Toggle:
            AddMenuItem(menu, command.id, text, command.shortcuts)->setCheckable(true);
            break;
        case Kind::Submenu:
            menus[path] = menu->addMenu(text);
            break;
        case Kind::Key: {
            // Kept out of the menu, enabled only while there is something for them to do.
            QAction* key = AddMenuItem(menu, command.id, text, command.shortcuts);
            menu->removeAction(key);
            addAction(key);
            key->setEnabled(false);
            break;
        }
        case Kind::Separator:
            menu->addSeparator();
            break;
        case Kind::RecentFiles:
            recentMenu_ = menus[path] = menu->addMenu(text);
            break;
        case Kind::CodePages:
            codePageMenu_ = menus[path] = menu->addMenu(text);
            break;
        case Kind::Desktop:
            break;
        }
    }
    SetRecentFiles({});
    FillCodePageMenu();

    // The program's own items stay in its menus on every desktop. Their shortcuts win over the
    // text fields, except the fields' own editing keys (see ShortcutKeeper): in a field, undo,
    // redo, select all, cut, copy and paste edit the text.
    // The keys that move, clear and drop pixels mean what they always meant in a field; Return
    // and Escape are the window's while pixels float.
    QList<QKeySequence> shortcuts;
    QList<QKeySequence> fieldKeys;
    for (QAction* action : menuActions_) {
        action->setMenuRole(QAction::NoRole);
        const int id = action->data().toInt();
        if (IsPixelKeyCommand(id)) {
            fieldKeys.append(action->shortcuts());
        } else if (id != Menu::Undo && id != Menu::Redo && !action->shortcut().isEmpty()) {
            shortcuts.append(action->shortcut());
        }
    }
    shortcutKeeper_->SetShortcuts(shortcuts);
    shortcutKeeper_->SetFieldKeys(fieldKeys);
    connect(menus.value(QStringLiteral("Edit")), &QMenu::aboutToShow, this,
            &MainWindow::editMenuAboutToShow);
}

// One submenu a script before Load Mapping File, each page with where it was used; choosing one
// changes how codes are read, not the set.
void MainWindow::FillCodePageMenu() {
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QAction* separator = codePageMenu_->actions().constFirst();
    QMenu* scriptMenu = nullptr;
    for (const CodePageInfo& page : KnownCodePages()) {
        if (scriptMenu == nullptr || scriptMenu->title() != page.script) {
            scriptMenu = new QMenu(page.script, codePageMenu_);
            codePageMenu_->insertMenu(separator, scriptMenu);
        }
        QAction* action =
            scriptMenu->addAction(QStringLiteral("%1  (%2)").arg(page.name, page.description));
        action->setData(page.name);
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, name = page.name] { emit codePageChosen(name); });
    }
}

void MainWindow::CheckCodePage(const QString& name) {
    for (QMenu* scriptMenu : codePageMenu_->findChildren<QMenu*>()) {
        for (QAction* action : scriptMenu->actions()) {
            if (action->isCheckable()) {
                action->setChecked(action->data().toString() == name);
            }
        }
    }
}

// The entries go before the separator above "Clear Menu"; each shows the name, then its folder,
// and a game's font the name the title gives it.
// The old entries go later, as the one chosen may still be reporting its trigger.
void MainWindow::SetRecentFiles(const QStringList& paths) {
    for (QAction* action : std::as_const(recentActions_)) {
        recentMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    QAction* separator = recentMenu_->actions().constFirst();
    for (const QString& path : paths) {
        const std::optional<GameFontEntry> font = GameFontEntry::Parse(path);
        const QFileInfo file(font ? font->dataPath : path);
        QString label = QStringLiteral("%1  (%2)")
                            .arg(font ? font->DisplayName() : file.fileName(),
                                 QDir::toNativeSeparators(file.absolutePath()));
        label.replace(u'&', QStringLiteral("&&"));
        auto* action = new QAction(label, recentMenu_);
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { emit openRecent(path); });
        recentMenu_->insertAction(separator, action);
        recentActions_.append(action);
    }
    recentMenu_->menuAction()->setEnabled(!paths.isEmpty());
}

} // namespace fontlathe
