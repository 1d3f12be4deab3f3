#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <utility>

class QWidget;

namespace fontlathe {

// Text fields claim keys such as Ctrl+C, Ctrl+V and Ctrl+A for themselves before the window's
// shortcuts see them. Watching a field, the keeper turns that claim down for the window's own
// shortcuts, so they reach the window, except for the field's editing keys (select all, copy,
// cut, paste, undo and redo): a user who selects the field's text means that text, not the
// window's glyph or file. Every other key stays with the field.
//
// Some keys the window has mean something in a field too (Delete, Ctrl+arrows, Return and
// Escape): the field keeps those, unless the window takes them for the time being.
class ShortcutKeeper : public QObject {
    Q_OBJECT
public:
    explicit ShortcutKeeper(QObject* parent);

    void SetShortcuts(QList<QKeySequence> shortcuts);
    // Keys a field keeps for itself although the window has them too.
    void SetFieldKeys(QList<QKeySequence> keys) { fieldKeys_ = std::move(keys); }
    // Keys among those that the window takes from the fields until told otherwise.
    void SetTakenKeys(QList<QKeySequence> keys) { takenKeys_ = std::move(keys); }
    void Watch(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> shortcuts_;
    QList<QKeySequence> fieldKeys_;
    QList<QKeySequence> takenKeys_;
};

} // namespace fontlathe
