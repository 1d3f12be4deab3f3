#include "EditHistory.h"

namespace fontlathe {

EditHistory::EditHistory(std::size_t budget, QObject* parent) : QObject(parent), budget_(budget) {}

EditHistory::~EditHistory() = default;

void EditHistory::Begin(const Charset& set, std::unique_ptr<Edit> applied) {
    End(set);
    open_ = std::move(applied);
}

void EditHistory::End(const Charset& set) {
    if (std::unique_ptr<Edit> step = std::move(open_); step && step->Differs(set)) {
        Record(std::move(step));
    }
}

void EditHistory::Cancel(Charset& set) {
    if (std::unique_ptr<Edit> open = std::move(open_)) {
        open->Swap(set);
    }
}

void EditHistory::Record(std::unique_ptr<Edit> step) {
    // A change after an undo drops the steps that could have been redone.
    while (steps_.size() > done_) {
        cost_ -= steps_.back().cost;
        steps_.pop_back();
    }
    if (clean_ && *clean_ > done_) {
        clean_.reset();
    }
    const std::size_t cost = step->Cost();
    cost_ += cost;
    steps_.push_back({std::move(step), cost});
    ++done_;
    while (cost_ > budget_ && steps_.size() > 1) {
        DropOldest();
    }
    emit changed();
}

void EditHistory::DropOldest() {
    cost_ -= steps_.front().cost;
    steps_.pop_front();
    --done_;
    if (clean_) {
        clean_ = *clean_ == 0 ? std::nullopt : std::optional<std::size_t>(*clean_ - 1);
    }
}

Edit* EditHistory::Undo(Charset& set) {
    End(set);
    if (!CanUndo()) {
        return nullptr;
    }
    Edit* step = steps_[--done_].step.get();
    step->Swap(set);
    emit changed();
    return step;
}

Edit* EditHistory::Redo(Charset& set) {
    End(set);
    if (!CanRedo()) {
        return nullptr;
    }
    Edit* step = steps_[done_++].step.get();
    step->Swap(set);
    emit changed();
    return step;
}

void EditHistory::Clear() {
    steps_.clear();
    open_.reset();
    done_ = 0;
    clean_ = 0;
    cost_ = 0;
    emit changed();
}

void EditHistory::MarkClean() {
    clean_ = done_;
    emit changed();
}

const Glyph* EditHistory::MadeFrom(int code) const {
    for (std::size_t i = done_; i-- > 0;) {
        if (const Glyph* made = steps_[i].step->MadeFrom(code)) {
            return made;
        }
    }
    return nullptr;
}

QString EditHistory::UndoText() const {
    return CanUndo() ? steps_[done_ - 1].step->text() : QString();
}

QString EditHistory::RedoText() const {
    return CanRedo() ? steps_[done_].step->text() : QString();
}

} // namespace fontlathe
