// The edits of the set: the glyph canvas, the arrow buttons, "= last char", the header fields,
// and Undo and Redo. Each goes through the document, which makes it one step.
#include "ControlIds.h"
#include "Dispatcher.h"
#include "MainWindow.h"
#include "document/Document.h"
#include "edit/GlyphEdit.h"
#include "edit/HeaderEdit.h"
#include "gui/NumericField.h"
#include "render/TextPreview.h"
#include "views/GlyphView.h"

#include <array>

namespace fontlathe {

namespace {

// The step names of the arrow buttons, by ShiftMode.
QString ShiftModeName(ShiftMode mode) {
    static constexpr std::array<const char*, 4> names = {"", "Roll", "Resize", "Offset"};
    return QString::fromLatin1(names.at(static_cast<std::size_t>(mode)));
}

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

QString Dispatcher::StepName(const QString& verb, int code) const {
    return StepText(verb, code, document_.codePage());
}

void Dispatcher::ChangeGlyph(const QString& verb, int code,
                             const std::function<void(Charset&)>& change) {
    if (!Charset::IsValidCode(code)) {
        return;
    }
    document_.Change(std::make_unique<GlyphEdit>(StepName(verb, code), document_.set(), code),
                     change);
}

ShiftMode Dispatcher::SelectedShiftMode() const {
    for (int option : {Control::RollOption, Control::ResizeOption, Control::OffsetOption}) {
        if (window_.StateOf(option) == 1) {
            return ShiftModeOfOption(option);
        }
    }
    return ShiftMode::None;
}

ViewScope Dispatcher::ShiftCommand(int controlId, int code) {
    const QPoint step = ShiftStepOf(controlId);
    const ShiftMode mode = SelectedShiftMode();
    ChangeGlyph(ShiftModeName(mode), code,
                [&](Charset& set) { ShiftGlyph(set, code, step.x(), step.y(), mode); });
    return ViewScope::Glyph;
}

ViewScope Dispatcher::LastCharCommand(int code) {
    if (Charset::IsValidCode(code)) {
        const Charset& set = document_.set();
        document_.Change(
            std::make_unique<HeaderEdit>(StepName(QStringLiteral("Last Char"), code), set,
                                         EditStep::Scope::StoredCount, code),
            [&](Charset& changed) { changed.numChars = static_cast<std::int16_t>(code + 1); });
    }
    return ViewScope::StoredCount;
}

// Typing writes into the set at once, so the preview follows; the step is recorded when the
// edit ends, from the header as it was when the typing began.
void Dispatcher::EditHeaderField(int controlId) {
    const bool height = controlId == Control::HeightField;
    const int entry = controlId - Control::ColorMapField0;
    const QString name =
        height ? QStringLiteral("Height") : QStringLiteral("Palette Index %1").arg(entry + 1);
    const int current = state_.currentChar;
    document_.Continue(
        {OngoingEdit::Kind::HeaderField, controlId},
        [&](const Charset& set) {
            return std::make_unique<HeaderEdit>(name, set, EditStep::Scope::Header, current);
        },
        [&](Charset& set) {
            if (height) {
                set.fontHeight = static_cast<std::uint8_t>(window_.heightField()->Value());
            } else {
                set.colorMap[static_cast<std::size_t>(entry)] =
                    static_cast<std::uint8_t>(window_.colorMapField(entry)->Value());
            }
        });
    if (height) {
        presenter_.ShowPreview();
    }
}

void Dispatcher::FinishPendingEdits() {
    document_.EndEdit();
}

// A paint changes one pixel: its table row, its one cell of the canvas and the preview are shown
// again, in the order of a refresh of the character.
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
    // A stroke goes on until the button is released; any other edit still open ends first.
    bool painted = false;
    document_.Continue(
        {OngoingEdit::Kind::Stroke, current},
        [&](const Charset& set) {
            return std::make_unique<GlyphEdit>(StepName(QStringLiteral("Paint"), current), set,
                                               current);
        },
        [&](Charset& set) { painted = PaintPixel(set, current, pixel, state_.selectedColor); });
    if (painted) {
        presenter_.UpdateTableRows(current);
        window_.glyphView()->canvas()->ShowPixel(pixel);
        // Painting changes no glyph's presence, so the preview changes only where it draws
        // this glyph.
        if (TextUsesCode(window_.PreviewSampleText(), current, document_.codePage())) {
            presenter_.ShowPreview();
        }
    }
}

void Dispatcher::EndStroke() {
    FinishPendingEdits();
}

void Dispatcher::ChooseColor(int index) {
    ReadCurrentChar();
    FinishPendingEdits();
    state_.selectedColor = index;
    presenter_.DrawPaletteBar();
}

void Dispatcher::ShowSwapped(const EditStep* step) {
    if (step == nullptr) {
        return;
    }
    const int code = step->code();
    switch (step->scope()) {
    case EditStep::Scope::Glyph:
        window_.SetStateIfChanged(Control::CharList, code);
        presenter_.Show(ViewScope::GlyphPresence, code);
        break;
    case EditStep::Scope::StoredCount:
        window_.SetStateIfChanged(Control::CharList, code);
        presenter_.Show(ViewScope::StoredCount, code);
        break;
    case EditStep::Scope::Header:
        presenter_.Show(ViewScope::Header, code);
        break;
    case EditStep::Scope::WholeSet:
        presenter_.Show(ViewScope::WholeSet, state_.currentChar);
        break;
    }
}

} // namespace fontlathe
