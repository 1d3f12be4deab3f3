#include "ShortcutKeeper.h"

#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace fontlathe {

namespace {

constexpr QKeySequence::StandardKey FieldEditingKeys[] = {
    QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
    QKeySequence::Paste,     QKeySequence::Undo, QKeySequence::Redo};

bool IsFieldEditingKey(const QKeyEvent& key) {
    for (QKeySequence::StandardKey editing : FieldEditingKeys) {
        if (key.matches(editing)) {
            return true;
        }
    }
    return false;
}

} // namespace

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
        if (takenKeys_.contains(pressed)) {
            event->ignore();
            return true;
        }
        if (fieldKeys_.contains(pressed)) {
            // Accepted, the override hands the key to the field.
            event->accept();
            return true;
        }
        if (shortcuts_.contains(pressed) && !IsFieldEditingKey(*key)) {
            // Left unaccepted, the override lets the window's shortcut take the key.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace fontlathe
