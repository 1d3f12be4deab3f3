// The undo history: how changes become steps, Undo and Redo, and the questions asked before
// unsaved changes would be lost.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "edit/GlyphEdit.h"
#include "edit/HeaderEdit.h"
#include "gui/Environment.h"
#include "gui/NumericField.h"

#include <QAction>

namespace fontlathe {

void Dispatcher::ChangeGlyph(const QString& verb, int code, const std::function<void()>& change) {
    if (!state_.charset.SlotAt(code)) {
        return;
    }
    history_.Begin(state_.charset,
                   std::make_unique<GlyphEdit>(StepText(verb, code), state_.charset, code));
    change();
    history_.End(state_.charset);
}

// Typing writes into the set at once, so the preview follows; the step is recorded when the
// edit ends, from the header as it was when the typing began.
void Dispatcher::EditHeaderField(int controlId) {
    const bool height = controlId == Control::HeightField;
    const int entry = controlId - Control::ColorMapField0;
    const QString name = height ? QStringLiteral("Height")
                                : QStringLiteral("Palette Index %1").arg(entry + 1);
    Charset& set = state_.charset;
    if (!history_.IsEditing(name)) {
        history_.Begin(set, std::make_unique<HeaderEdit>(name, set, EditStep::Scope::Header,
                                                         state_.currentChar));
    }
    if (height) {
        set.fontHeight = static_cast<std::uint8_t>(window_.heightField()->Value());
        ShowPreview();
    } else {
        set.colorMap[static_cast<std::size_t>(entry)] =
            static_cast<std::uint8_t>(window_.colorMapField(entry)->Value());
    }
}

void Dispatcher::FinishPendingEdits() {
    history_.End(state_.charset);
}

void Dispatcher::ShowSwapped(const EditStep* step) {
    if (step == nullptr) {
        return;
    }
    const int code = step->code();
    switch (step->scope()) {
    case EditStep::Scope::Glyph:
        window_.SetStateIfChanged(Control::CharList, code);
        RefreshChar(code);
        UpdateCharsFrameTitle();
        break;
    case EditStep::Scope::StoredCount:
        window_.SetStateIfChanged(Control::CharList, code);
        RefreshAll(code);
        break;
    case EditStep::Scope::Header:
        RefreshHeader();
        ShowPreview();
        break;
    case EditStep::Scope::WholeSet:
        RefreshAll(state_.currentChar);
        RefreshHeader();
        break;
    }
}

void Dispatcher::UpdateEditMenu() {
    if (QAction* undo = window_.menuAction(Menu::Undo)) {
        undo->setEnabled(history_.CanUndo());
        undo->setText(history_.CanUndo() ? QStringLiteral("Undo ") + history_.UndoText()
                                         : QStringLiteral("Undo"));
    }
    if (QAction* redo = window_.menuAction(Menu::Redo)) {
        redo->setEnabled(history_.CanRedo());
        redo->setText(history_.CanRedo() ? QStringLiteral("Redo ") + history_.RedoText()
                                         : QStringLiteral("Redo"));
    }
}

void Dispatcher::UpdateWindowTitle() {
    window_.setWindowTitle(MainWindowTitle(CurrentName()) +
                           (history_.IsModified() ? QStringLiteral(" *") : QString()));
}

bool Dispatcher::MayDiscardChanges() {
    if (!history_.IsModified()) {
        return true;
    }
    switch (environment_.AskSaveChanges(
        &window_, ProgramTitle,
        QStringLiteral("Save the changes to %1?").arg(CurrentName()))) {
    case SaveChangesAnswer::Save:
        return Save();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace fontlathe
