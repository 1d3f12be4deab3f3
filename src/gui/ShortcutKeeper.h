#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QWidget;

namespace fontlathe {

// Text fields claim keys such as Ctrl+C, Ctrl+V and Ctrl+A for themselves before the window's
// shortcuts see them. Watching a field, the keeper turns that claim down for the window's own
// shortcuts, so they reach the window, except for the field's editing keys (select all, copy,
// cut, paste, undo and redo): a user who selects the field's text means that text, not the
// window's glyph or file. Every other key stays with the field.
class ShortcutKeeper : public QObject {
    Q_OBJECT
public:
    explicit ShortcutKeeper(QObject* parent);

    void SetShortcuts(QList<QKeySequence> shortcuts);
    void Watch(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> shortcuts_;
};

} // namespace fontlathe
