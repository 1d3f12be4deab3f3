// The one door of the set's changes: edits applied, undone and redone, each announced once.
#include "Document.h"

namespace fontlathe {

void Document::Apply(std::unique_ptr<Edit> edit) {
    const Scope applied = edit->applied();
    const int code = edit->code();
    const std::optional<OngoingEdit> ongoing = edit->ongoing();
    const Edit* open = history_.open();
    if (ongoing && open != nullptr && open->ongoing() == ongoing) {
        // The open edit kept the state before them both.
        edit->Change(set_);
    } else {
        history_.End(set_);
        edit->Name(codePage_);
        const std::optional<QString> page = edit->page();
        if (page) {
            edit->SetOtherPage(codePage_.name());
        }
        edit->Apply(set_);
        history_.Begin(set_, std::move(edit));
        if (!ongoing) {
            history_.End(set_);
        }
        if (page && UseCodePage(*page)) {
            codePageChoices_.Remember(FileKey(), codePage_.name());
        }
    }
    emit changed(applied, code);
}

void Document::EndEdit() {
    history_.End(set_);
}

void Document::CancelEdit() {
    const Edit* open = history_.open();
    if (open == nullptr) {
        return;
    }
    const Scope swapped = open->swapped();
    const int code = open->code();
    history_.Cancel(set_);
    emit changed(swapped, code);
}

const Edit* Document::Undo() {
    return Swapped(history_.Undo(set_));
}

const Edit* Document::Redo() {
    return Swapped(history_.Redo(set_));
}

const Edit* Document::Swapped(Edit* step) {
    if (step == nullptr) {
        return nullptr;
    }
    SwapPage(step);
    emit changed(step->swapped(), step->code());
    return step;
}

void Document::SwapPage(Edit* step) {
    if (!step->otherPage()) {
        return;
    }
    const QString other = *step->otherPage();
    step->SetOtherPage(codePage_.name());
    if (UseCodePage(other)) {
        codePageChoices_.Remember(FileKey(), codePage_.name());
    }
}

} // namespace fontlathe
