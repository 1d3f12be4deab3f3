#pragma once

#include "Edit.h"

#include <QObject>

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>

namespace fontlathe {

// The undo history of the set: the steps done so far and those undone since, and the place
// where the set equals its file (the clean state). It keeps at most a budget of bytes; past it
// the oldest steps go first.
//
// Every change reaches the history through one door, the document's Apply. Begin opens an edit
// already applied to the set, which keeps the state before it; the edit may go on over many
// events (a paint stroke from press to release, a field being typed); End closes it and records
// it as a step when the set differs from what it keeps. Only one edit is open at a time: Begin
// ends the open one first.
//
// Undo and Redo swap a step with the set and return it, so the caller can show what changed;
// they return nullptr when there is nothing to do.
class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t DefaultBudget = std::size_t(64) * 1024 * 1024;

    explicit EditHistory(std::size_t budget = DefaultBudget, QObject* parent = nullptr);
    ~EditHistory() override;

    void Begin(const Charset& set, std::unique_ptr<Edit> applied);
    // Whether an edit is open: Begin was called and End not yet.
    bool IsOpen() const { return open_ != nullptr; }
    // The open edit, or nullptr.
    const Edit* open() const { return open_.get(); }
    void End(const Charset& set);
    // Takes the open edit back: the set returns to the state before it, and no step is recorded.
    void Cancel(Charset& set);

    Edit* Undo(Charset& set);
    Edit* Redo(Charset& set);

    // A fresh history whose state is clean: after New, Open and Reopen.
    void Clear();
    // The set as it is now equals its file: after Save.
    void MarkClean();
    bool IsModified() const { return clean_ != std::optional<std::size_t>(done_); }

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The glyph the newest done step that made the character at code made it from; nullptr when
    // no done step says.
    const Glyph* MadeFrom(int code) const;
    QString UndoText() const;
    QString RedoText() const;
    std::size_t StepCount() const { return steps_.size(); }
    // The bytes the kept steps hold, each counted as it was recorded.
    std::size_t Cost() const { return cost_; }

signals:
    // Something to undo or redo, or the modified state, changed.
    void changed();

private:
    struct Entry {
        std::unique_ptr<Edit> step;
        std::size_t cost;
    };

    void Record(std::unique_ptr<Edit> step);
    void DropOldest();

    std::deque<Entry> steps_;
    std::unique_ptr<Edit> open_;
    // Steps 0 to done_ - 1 are done; the rest were undone and can be redone.
    std::size_t done_ = 0;
    // The number of done steps at which the set equals its file; nothing when no undo or redo
    // can reach that state any more.
    std::optional<std::size_t> clean_ = 0;
    std::size_t cost_ = 0;
    std::size_t budget_;
};

} // namespace fontlathe
