// Copy Char and Paste Char: one glyph through the system clipboard as an image, its offsets kept
// by the program.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "clipboard/ClipboardImage.h"
#include "document/Document.h"
#include "edit/GlyphEdit.h"
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
// of the glyph last copied. The clipboard is read and checked first: without an image that fits a
// font file (text, say, or an image too large) no edit begins and the user is told why.
void Dispatcher::PasteCharCommand(int code) {
    if (!Charset::IsValidCode(code)) {
        return;
    }
    if (std::optional<QImage> image = ReadPastedImage()) {
        document_.Apply(std::make_unique<PasteGlyph>(
            code, std::move(*image),
            PasteGlyph::Offsets{state_.clipOffsets.x, state_.clipOffsets.y}));
    }
}

std::optional<QImage> Dispatcher::ReadPastedImage() {
    const DecodedImage pasted = ReadClipboardImage(environment_.ClipboardData(), MaxGlyphSide);
    if (pasted.outcome == DecodedImage::Outcome::NotAnImage) {
        environment_.ShowError(&window_, ProgramTitle,
                               QStringLiteral("The clipboard holds no image to paste.\n\nCopy a "
                                              "character, or an image in a paint program, first. "
                                              "The character keeps its pixels."));
        return std::nullopt;
    }
    if (pasted.outcome == DecodedImage::Outcome::TooLarge) {
        environment_.ShowError(
            &window_, ProgramTitle,
            QStringLiteral("The image on the clipboard is %1 x %2 pixels; a character can be at "
                           "most %3 x %3 pixels.\n\nThe character keeps its pixels.")
                .arg(pasted.size.width())
                .arg(pasted.size.height())
                .arg(MaxGlyphSide));
        return std::nullopt;
    }
    return pasted.image;
}

} // namespace fontlathe
