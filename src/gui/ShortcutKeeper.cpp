#include "ShortcutKeeper.h"

#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace fontlathe {

ShortcutKeeper::ShortcutKeeper(QObject* parent) : QObject(parent) {}

void ShortcutKeeper::SetShortcuts(QList<QKeySequence> shortcuts) {
    shortcuts_ = std::move(shortcuts);
}

void ShortcutKeeper::Watch(QWidget* field) {
    field->installEventFilter(this);
}

bool ShortcutKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(
            QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
        if (shortcuts_.contains(pressed)) {
            // Left unaccepted, the override lets the window's shortcut take the key.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace fontlathe
