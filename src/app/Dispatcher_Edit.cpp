// The edits of the set: the glyph canvas, the arrow buttons, "= last char" and the header fields.
// Each is an edit object applied through the document, which makes it one step and announces it.
#include "ControlIds.h"
#include "Dispatcher.h"
#include "MainWindow.h"
#include "document/Document.h"
#include "edit/GlyphEdit.h"
#include "edit/HeaderEdit.h"
#include "gui/NumericField.h"

namespace fontlathe {

namespace {

// The one-pixel step of each arrow button.
QPoint ShiftStepOf(int controlId) {
    switch (controlId) {
    case Control::ShiftLeftButton:
        return {-1, 0};
    case Control::ShiftRightButton:
        return {1, 0};
    case Control::ShiftUpButton:
        return {0, -1};
    default:
        return {0, 1};
    }
}

} // namespace

void Dispatcher::ApplyToGlyph(std::unique_ptr<Edit> edit) {
    if (Charset::IsValidCode(edit->code())) {
        document_.Apply(std::move(edit));
    }
}

ShiftMode Dispatcher::SelectedShiftMode() const {
    for (int option : {Control::RollOption, Control::ResizeOption, Control::OffsetOption}) {
        if (window_.StateOf(option) == 1) {
            return ShiftModeOfOption(option);
        }
    }
    return ShiftMode::None;
}

void Dispatcher::ShiftCommand(int controlId, int code) {
    ApplyToGlyph(std::make_unique<Shift>(code, ShiftStepOf(controlId), SelectedShiftMode()));
}

void Dispatcher::LastCharCommand(int code) {
    ApplyToGlyph(std::make_unique<LastChar>(code));
}

// Typing writes into the set at once, so the preview follows; the step is recorded when the
// edit ends, from the header as it was when the typing began.
void Dispatcher::EditHeaderField(int controlId) {
    if (controlId == Control::HeightField) {
        document_.Apply(std::make_unique<SetHeaderField>(
            SetHeaderField::Field::Height, 0, window_.heightField()->Value(), state_.currentChar));
        return;
    }
    const int entry = controlId - Control::ColorMapField0;
    document_.Apply(std::make_unique<SetHeaderField>(SetHeaderField::Field::ColorMap, entry,
                                                     window_.colorMapField(entry)->Value(),
                                                     state_.currentChar));
}

void Dispatcher::FinishPendingEdits() {
    document_.EndEdit();
    SyncSelection();
}

// A paint changes one pixel; a stroke goes on until the button is released, and any other edit
// still open ends first.
void Dispatcher::CanvasPixelAction(QPoint pixel, CanvasAction action) {
    ReadCurrentChar();
    const int current = state_.currentChar;
    if (action == CanvasAction::Pick) {
        FinishPendingEdits();
        if (const std::optional<int> picked = PickPixel(document_.set(), current, pixel)) {
            state_.selectedColor = *picked;
        }
        presenter_.DrawPaletteBar();
        return;
    }
    if (document_.set().GlyphAt(current) != nullptr && !state_.strokeDropsPixels) {
        document_.Apply(std::make_unique<Paint>(current, pixel, state_.selectedColor));
    }
}

void Dispatcher::EndStroke() {
    state_.strokeDropsPixels = false;
    FinishPendingEdits();
}

void Dispatcher::ChooseColor(int index) {
    ReadCurrentChar();
    FinishPendingEdits();
    state_.selectedColor = index;
    presenter_.DrawPaletteBar();
}

} // namespace fontlathe
