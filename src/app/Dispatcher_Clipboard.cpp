// Copy Char and Paste Char: one glyph through the system clipboard as an image, its offsets kept
// by the program.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "edit/ClipboardImage.h"
#include "gui/Environment.h"

namespace fontlathe {

void Dispatcher::CopyChar(int code) {
    const Glyph* glyph = state_.charset.GlyphAt(code);
    if (!glyph) {
        return;
    }
    environment_.SetClipboardData(MakeClipboardData(glyph->raster));
    state_.clipOffsets = {glyph->xOffset, glyph->yOffset};
}

// The clipboard's image becomes the glyph's raster, snapped to the set's colours, with the offsets
// of the glyph last copied; the dispatch refreshes afterwards. An image too large for a font file
// is not pasted: the glyph keeps its raster as if the clipboard held no image, and the user is
// told why.
void Dispatcher::PasteChar(int code) {
    Glyph* slot = state_.charset.SlotAt(code);
    if (!slot) {
        return;
    }
    Glyph& glyph = *slot;
    const DecodedImage pasted = ReadClipboardImage(environment_.ClipboardData(), MaxGlyphSide);
    if (pasted.outcome == DecodedImage::Outcome::Image) {
        glyph.raster = pasted.image;
    }
    SnapToDisplayColors(state_.charset, code);
    glyph.xOffset = state_.clipOffsets.x;
    glyph.yOffset = state_.clipOffsets.y;
    if (pasted.outcome == DecodedImage::Outcome::TooLarge) {
        environment_.ShowError(
            &window_, ProgramTitle,
            QStringLiteral("The image on the clipboard is %1 x %2 pixels; a character can be at "
                           "most %3 x %3 pixels.\n\nThe character keeps its pixels.")
                .arg(pasted.size.width())
                .arg(pasted.size.height())
                .arg(MaxGlyphSide));
    }
}

} // namespace fontlathe
