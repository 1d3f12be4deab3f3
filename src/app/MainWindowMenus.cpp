#include "MainWindow.h"

#include "ProgramTexts.h"
#include "document/GameFontEntry.h"
#include "gui/ShortcutKeeper.h"
#include "text/CodePage.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

namespace fontlathe {

QAction* MainWindow::AddMenuItem(QMenu* menu, int menuId, const QString& label,
                                 const QKeySequence& shortcut) {
    QAction* action = menu->addAction(label);
    action->setData(menuId);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, menuId] { emit menuCommand(menuId); });
    menuActions_.append(action);
    return action;
}

// A checkable item whose state outlives the run, kept in the user's settings under key.
QAction* MainWindow::AddRememberedOption(QMenu* menu, int menuId, const QString& label,
                                         const QString& key, bool byDefault) {
    QAction* action = AddMenuItem(menu, menuId, label, QKeySequence());
    action->setCheckable(true);
    action->setChecked(QSettings().value(key, byDefault).toBool());
    connect(action, &QAction::toggled, this,
            [key](bool checked) { QSettings().setValue(key, checked); });
    return action;
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    AddMenuItem(file, Menu::New2Colors, QStringLiteral("New (2 colors)"), Qt::CTRL | Qt::Key_N);
    AddMenuItem(file, Menu::New4Colors, QStringLiteral("New (4 colors)"), Qt::CTRL | Qt::Key_M);
    file->addSeparator();
    AddMenuItem(file, Menu::Open, QStringLiteral("Open..."), Qt::CTRL | Qt::Key_O);
    recentMenu_ = file->addMenu(QStringLiteral("Open Recent"));
    recentMenu_->addSeparator();
    AddMenuItem(recentMenu_, Menu::ClearRecent, QStringLiteral("Clear Menu"), QKeySequence());
    SetRecentFiles({});
    AddMenuItem(file, Menu::Reopen, QStringLiteral("Reopen"), Qt::CTRL | Qt::Key_R);
    AddMenuItem(file, Menu::OpenGameFont, QStringLiteral("Open Game Font..."), QKeySequence());
    file->addSeparator();
    AddMenuItem(file, Menu::GenerateNormal, QStringLiteral("Generate Normal..."),
                Qt::CTRL | Qt::Key_1);
    AddMenuItem(file, Menu::GenerateShadowed, QStringLiteral("Generate Shadowed..."),
                Qt::CTRL | Qt::Key_2);
    AddMenuItem(file, Menu::GenerateOutlined, QStringLiteral("Generate Outlined..."),
                Qt::CTRL | Qt::Key_3);
    file->addSeparator();
    AddMenuItem(file, Menu::Save, QStringLiteral("Save"), Qt::CTRL | Qt::Key_S);
    AddMenuItem(file, Menu::SaveAs, QStringLiteral("Save as..."), Qt::CTRL | Qt::Key_A);
    file->addSeparator();
    AddMenuItem(file, Menu::ExportSheet, QStringLiteral("Export Sheet..."), QKeySequence());
    AddMenuItem(file, Menu::ImportSheet, QStringLiteral("Import Sheet..."), QKeySequence());
    AddMenuItem(file, Menu::ImportFont, QStringLiteral("Import Font..."), QKeySequence());
    AddMenuItem(file, Menu::ExportBdf, QStringLiteral("Export BDF..."), QKeySequence());
    file->addSeparator();
    AddMenuItem(file, Menu::Close, QStringLiteral("Close"), Qt::CTRL | Qt::Key_Q);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit"));
    AddMenuItem(edit, Menu::Undo, QStringLiteral("Undo"), Qt::CTRL | Qt::Key_Z);
    AddMenuItem(edit, Menu::Redo, QStringLiteral("Redo"), Qt::CTRL | Qt::SHIFT | Qt::Key_Z)
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    AddMenuItem(edit, Menu::CopyChar, QStringLiteral("Copy Char"), Qt::CTRL | Qt::Key_C);
    AddMenuItem(edit, Menu::PasteChar, QStringLiteral("Paste Char"), Qt::CTRL | Qt::Key_V);
    edit->addSeparator();
    AddRememberedOption(edit, Menu::MarkMissing, QStringLiteral("Mark Missing Characters"),
                        QStringLiteral("markMissingCharacters"), false);
    AddRememberedOption(edit, Menu::ShowScreenWidth, QStringLiteral("Show Screen Width"),
                        QStringLiteral("showScreenWidth"), true)
        ->setToolTip(ScreenWidthToolTip);
    BuildCodePageMenu(edit);
    AddMenuItem(edit, Menu::AddLetters, QStringLiteral("Add Letters..."), QKeySequence());

    QMenu* info = menuBar()->addMenu(QStringLiteral("Info"));
    AddMenuItem(info, Menu::About, QStringLiteral("About"), QKeySequence());

    // The program's own items stay in its menus on every desktop. Their shortcuts win over the
    // text fields, except the fields' own editing keys (see ShortcutKeeper): in a field, undo,
    // redo, select all, cut, copy and paste edit the text.
    QList<QKeySequence> shortcuts;
    for (QAction* action : menuActions_) {
        action->setMenuRole(QAction::NoRole);
        const int id = action->data().toInt();
        if (id != Menu::Undo && id != Menu::Redo && !action->shortcut().isEmpty()) {
            shortcuts.append(action->shortcut());
        }
    }
    shortcutKeeper_->SetShortcuts(shortcuts);
}

// One submenu a script, each page with where it was used; choosing one changes how codes are
// read, not the set.
void MainWindow::BuildCodePageMenu(QMenu* parent) {
    codePageMenu_ = parent->addMenu(QStringLiteral("Code Page"));
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QMenu* scriptMenu = nullptr;
    for (const CodePageInfo& page : KnownCodePages()) {
        if (scriptMenu == nullptr || scriptMenu->title() != page.script) {
            scriptMenu = codePageMenu_->addMenu(page.script);
        }
        QAction* action =
            scriptMenu->addAction(QStringLiteral("%1  (%2)").arg(page.name, page.description));
        action->setData(page.name);
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, name = page.name] { emit codePageChosen(name); });
    }
    codePageMenu_->addSeparator();
    AddMenuItem(codePageMenu_, Menu::LoadMappingFile, QStringLiteral("Load Mapping File..."),
                QKeySequence());
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
