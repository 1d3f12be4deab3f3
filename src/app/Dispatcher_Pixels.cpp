// Selected pixels of the current glyph: selected with Shift and a drag, moved as floating pixels
// that make one step until dropped, flipped, cleared, copied and pasted at the same place of the
// line on another glyph.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "clipboard/ClipboardImage.h"
#include "document/Document.h"
#include "edit/PixelEdits.h"
#include "gui/Environment.h"

#include <QMimeData>

namespace fontlathe {

bool Dispatcher::SelectionOn(int code) const {
    return state_.selection.SelectsOn(code) && document_.set().GlyphAt(code) != nullptr;
}

void Dispatcher::SyncSelection() {
    PixelSelection& selection = state_.selection;
    if (!selection.floating()) {
        return;
    }
    if (FloatingPixelsCode(document_.history().open()) == selection.code()) {
        return;
    }
    const Glyph* glyph = document_.set().GlyphAt(selection.code());
    selection.Dropped(glyph ? glyph->raster.rect() : QRect());
    presenter_.ShowGlyph(window_.CurrentRow());
}

void Dispatcher::SelectPixels(QRect rect) {
    ReadCurrentChar();
    FinishPendingEdits();
    state_.selection.Select(state_.currentChar, rect);
    presenter_.ShowGlyph(state_.currentChar);
    // The keys that move and clear the pixels reach the window from the table, not from a field
    // typed into last.
    window_.FocusCharList();
}

void Dispatcher::SelectAllPixels(int code) {
    if (const Glyph* glyph = document_.set().GlyphAt(code)) {
        state_.selection.Select(code, glyph->raster.rect());
        presenter_.ShowGlyph(code);
    }
}

void Dispatcher::MovePixels(int code, QPoint step) {
    const Glyph* glyph = document_.set().GlyphAt(code);
    if (glyph == nullptr) {
        return;
    }
    SyncSelection();
    PixelSelection& selection = state_.selection;
    if (!selection.FloatsOn(code)) {
        FinishPendingEdits();
        const QRect rect = SelectionOn(code) ? *selection.rect() : glyph->raster.rect();
        selection.Float(code, Lifted(glyph->raster, rect), QStringLiteral("Move Pixels"));
    }
    selection.MoveBy(step);
    document_.Apply(
        std::make_unique<FloatPixels>(code, selection.floatVerb(), *selection.floating()));
    // An edit that changes nothing (blank pixels moved) shows the selection all the same.
    presenter_.ShowGlyph(code);
}

void Dispatcher::DropPixels() {
    document_.EndEdit();
    SyncSelection();
}

void Dispatcher::DeselectPixels() {
    if (state_.selection.floating()) {
        state_.selection.Cancelled();
        document_.CancelEdit();
    } else {
        state_.selection.Clear();
    }
    presenter_.ShowGlyph(window_.CurrentRow());
}

void Dispatcher::ClearSelectedPixels(int code) {
    if (SelectionOn(code)) {
        ApplyToGlyph(std::make_unique<ClearPixels>(code, *state_.selection.rect()));
    }
}

void Dispatcher::FlipPixelsCommand(int code, Qt::Orientation orientation) {
    const Glyph* glyph = document_.set().GlyphAt(code);
    if (glyph == nullptr) {
        return;
    }
    const QRect rect = SelectionOn(code) ? *state_.selection.rect() : InkBounds(glyph->raster);
    ApplyToGlyph(std::make_unique<FlipPixels>(code, rect, orientation));
}

void Dispatcher::CopyPixels(int code) {
    const Glyph& glyph = *document_.set().GlyphAt(code);
    const QRect rect = *state_.selection.rect() & glyph.raster.rect();
    const QImage pixels = glyph.raster.copy(rect);
    QMimeData* data = MakeClipboardData(pixels);
    state_.copiedPixels = AppState::CopiedPixels{
        pixels, rect.topLeft() + QPoint(glyph.xOffset, glyph.yOffset), data->data(TiffMimeType)};
    environment_.SetClipboardData(data);
    state_.pastesPixels = true;
    presenter_.ShowPixelItems();
}

bool Dispatcher::ClipboardHoldsCopiedPixels() {
    const QMimeData* data = environment_.ClipboardData();
    state_.pastesPixels = state_.copiedPixels && data != nullptr &&
                          data->data(TiffMimeType) == state_.copiedPixels->clipboardImage;
    return state_.pastesPixels;
}

// The copy stands where it stood on the line, floating over the glyph until it is dropped; the
// glyph keeps its size and every pixel the copy's colour 0 leaves.
void Dispatcher::PastePixels(int code) {
    const Glyph* glyph = document_.set().GlyphAt(code);
    if (glyph == nullptr) {
        return;
    }
    const AppState::CopiedPixels& copied = *state_.copiedPixels;
    const QPoint at = copied.lineAt - QPoint(glyph->xOffset, glyph->yOffset);
    state_.selection.Float(code, Laid(glyph->raster, copied.pixels, at),
                           QStringLiteral("Paste Pixels"));
    document_.Apply(std::make_unique<FloatPixels>(code, state_.selection.floatVerb(),
                                                  *state_.selection.floating()));
    presenter_.ShowGlyph(code);
}

void Dispatcher::CanvasPressed() {
    if (state_.selection.floating()) {
        DropPixels();
        state_.strokeDropsPixels = true;
    }
}

} // namespace fontlathe
