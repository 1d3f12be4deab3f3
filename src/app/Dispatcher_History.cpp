// The undo history: how changes become steps, Undo and Redo, and the questions asked before
// unsaved changes would be lost.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "edit/GlyphEdit.h"
#include "edit/HeaderFieldEdit.h"
#include "gui/Environment.h"
#include "gui/NumericField.h"

#include <QAction>

namespace fontlathe {

namespace {

bool SameGlyph(const Glyph& a, const Glyph& b) {
    return a.xOffset == b.xOffset && a.yOffset == b.yOffset && a.raster == b.raster;
}

struct FieldPlace {
    HeaderFieldEdit::Field field;
    int entry;
    std::size_t slot;
};

FieldPlace FieldOf(int controlId) {
    if (controlId == Control::HeightField) {
        return {HeaderFieldEdit::Field::FontHeight, 0, 0};
    }
    const int entry = controlId - Control::ColorMapField0;
    return {HeaderFieldEdit::Field::ColorMap, entry, static_cast<std::size_t>(1 + entry)};
}

} // namespace

void Dispatcher::ChangeGlyph(const QString& verb, int code, const std::function<void()>& change) {
    Glyph* slot = state_.charset.SlotAt(code);
    if (!slot) {
        return;
    }
    // The copy shares the raster until the change writes to it.
    const Glyph before = *slot;
    const std::int32_t offsetEntry = state_.charset.glyphOffsets[static_cast<std::size_t>(code)];
    change();
    if (!SameGlyph(*slot, before) ||
        offsetEntry != state_.charset.glyphOffsets[static_cast<std::size_t>(code)]) {
        history_.Record(
            std::make_unique<GlyphEdit>(StepText(verb, code), code, before, offsetEntry));
    }
}

void Dispatcher::OpenStroke(int code) {
    if (stroke_) {
        return;
    }
    if (const Glyph* glyph = state_.charset.GlyphAt(code)) {
        stroke_ = Stroke{code, *glyph, state_.charset.glyphOffsets[static_cast<std::size_t>(code)]};
    }
}

void Dispatcher::FinishStroke() {
    if (!stroke_) {
        return;
    }
    const Stroke stroke = std::move(*stroke_);
    stroke_.reset();
    const Glyph* now = state_.charset.SlotAt(stroke.code);
    if (now && !SameGlyph(*now, stroke.before)) {
        history_.Record(std::make_unique<GlyphEdit>(StepText(QStringLiteral("Paint"), stroke.code),
                                                    stroke.code, stroke.before,
                                                    stroke.offsetEntry));
    }
}

// Typing writes into the set at once, so the preview follows; the step is recorded when the
// edit is finished, from the value the field had when the typing began.
void Dispatcher::EditHeaderField(int controlId) {
    const FieldPlace place = FieldOf(controlId);
    const int typed = controlId == Control::HeightField
                          ? window_.heightField()->Value()
                          : window_.colorMapField(place.entry)->Value();
    std::optional<int>& start = fieldEditStart_[place.slot];
    if (!start) {
        start = HeaderFieldEdit::ValueOf(state_.charset, place.field, place.entry);
    }
    HeaderFieldEdit::SetValue(state_.charset, place.field, place.entry, typed);
    if (place.field == HeaderFieldEdit::Field::FontHeight) {
        RenderPreview();
    }
}

void Dispatcher::CommitHeaderField(int controlId) {
    const FieldPlace place = FieldOf(controlId);
    std::optional<int>& start = fieldEditStart_[place.slot];
    const int now = HeaderFieldEdit::ValueOf(state_.charset, place.field, place.entry);
    if (start && *start != now) {
        const QString name = place.field == HeaderFieldEdit::Field::FontHeight
                                 ? QStringLiteral("Height")
                                 : QStringLiteral("Palette Index %1").arg(place.entry + 1);
        history_.Record(std::make_unique<HeaderFieldEdit>(name, place.field, place.entry, *start,
                                                          state_.currentChar));
    }
    start.reset();
}

void Dispatcher::FinishPendingEdits() {
    FinishStroke();
    CommitHeaderFields();
}

void Dispatcher::CommitHeaderFields() {
    for (int id = Control::HeightField; id <= Control::ColorMapFieldLast; ++id) {
        if (id == Control::HeightField || id >= Control::ColorMapField0) {
            CommitHeaderField(id);
        }
    }
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
        RenderPreview();
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
    window_.setWindowTitle(MainWindowTitle(state_.fileType.path()) +
                           (history_.IsModified() ? QStringLiteral(" *") : QString()));
}

bool Dispatcher::MayDiscardChanges() {
    if (!history_.IsModified()) {
        return true;
    }
    switch (environment_.AskSaveChanges(
        &window_, ProgramTitle,
        QStringLiteral("Save the changes to %1?").arg(state_.fileType.path()))) {
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
