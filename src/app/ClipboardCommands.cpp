// Copy Char and Paste Char: one glyph through the system clipboard as an image, its offsets kept
// by the program.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "editor/ClipboardImage.h"
#include "gui/Environment.h"

namespace fontlathe {

void Dispatcher::CopyChar(int code) {
    const Glyph& glyph = state_.charset.glyphs[static_cast<std::size_t>(code)];
    environment_.SetClipboardData(MakeClipboardData(glyph.raster));
    state_.clipOffsets = {glyph.xOffset, glyph.yOffset};
}

// Steps 2 to 4 of the paste; the refresh follows in the dispatch. An image too large for a font
// file is not pasted: the glyph is treated as if the clipboard held no image, and the user is
// told why.
void Dispatcher::PasteChar(int code) {
    if (!Charset::IsValidCode(code)) {
        return;
    }
    Glyph& glyph = state_.charset.glyphs[static_cast<std::size_t>(code)];
    const DecodedImage pasted = ReadClipboardImage(environment_.ClipboardData(), MaxGlyphSide);
    if (pasted.outcome == DecodedImage::Outcome::Image) {
        glyph.raster = pasted.image;
    }
    SnapToDisplayColors(state_.charset, code);
    glyph.xOffset = state_.clipOffsets.x;
    glyph.yOffset = state_.clipOffsets.y;
    if (pasted.outcome == DecodedImage::Outcome::TooLarge) {
        environment_.ShowError(
            &window_, QStringLiteral("Fontlathe 1.00"),
            QStringLiteral("The image on the clipboard is %1 x %2 pixels; a character can be at "
                           "most %3 x %3 pixels.\n\nThe character keeps its pixels.")
                .arg(pasted.size.width())
                .arg(pasted.size.height())
                .arg(MaxGlyphSide));
    }
}

} // namespace fontlathe
