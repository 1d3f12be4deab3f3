// Copy Char and Paste Char: one glyph through the system clipboard as an image, its offsets kept
// by the program.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "clipboard/ClipboardImage.h"
#include "document/Document.h"
#include "gui/Environment.h"

namespace fontlathe {

void Dispatcher::CopyChar(int code) {
    const Glyph* glyph = document_.set().GlyphAt(code);
    if (!glyph) {
        return;
    }
    environment_.SetClipboardData(MakeClipboardData(glyph->raster));
    state_.clipOffsets = {glyph->xOffset, glyph->yOffset};
}

// The clipboard's image becomes the glyph's raster, snapped to the set's colours, with the offsets
// of the glyph last copied; the dispatch refreshes afterwards. Without an image that fits a font
// file (text, say, or an image too large) nothing changes and the user is told why.
ViewScope Dispatcher::PasteCharCommand(int code) {
    ChangeGlyph(QStringLiteral("Paste"), code, [&](Charset& set) { PasteChar(set, code); });
    return ViewScope::GlyphPresence;
}

void Dispatcher::PasteChar(Charset& set, int code) {
    Glyph* slot = set.SlotAt(code);
    if (!slot) {
        return;
    }
    const DecodedImage pasted = ReadClipboardImage(environment_.ClipboardData(), MaxGlyphSide);
    if (pasted.outcome == DecodedImage::Outcome::NotAnImage) {
        environment_.ShowError(&window_, ProgramTitle,
                               QStringLiteral("The clipboard holds no image to paste.\n\nCopy a "
                                              "character, or an image in a paint program, first. "
                                              "The character keeps its pixels."));
        return;
    }
    if (pasted.outcome == DecodedImage::Outcome::TooLarge) {
        environment_.ShowError(
            &window_, ProgramTitle,
            QStringLiteral("The image on the clipboard is %1 x %2 pixels; a character can be at "
                           "most %3 x %3 pixels.\n\nThe character keeps its pixels.")
                .arg(pasted.size.width())
                .arg(pasted.size.height())
                .arg(MaxGlyphSide));
        return;
    }
    slot->raster = pasted.image;
    SnapToDisplayColors(set, code);
    slot->xOffset = state_.clipOffsets.x;
    slot->yOffset = state_.clipOffsets.y;
}

} // namespace fontlathe
