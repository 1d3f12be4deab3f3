#include "PixelEdits.h"

#include <utility>

namespace fontlathe {

namespace {

constexpr Scope GlyphPixels{ScopeKind::Glyph, {}};

} // namespace

FloatPixels::FloatPixels(int code, QString verb, FloatingPixels floating)
    : GlyphEdit(std::move(verb), GlyphPixels, code), floating_(std::move(floating)) {}

void FloatPixels::Change(Charset& set) {
    if (Glyph* glyph = set.GlyphAt(code());
        glyph && glyph->raster.size() == floating_.under.size()) {
        glyph->raster = Dropped(floating_);
    }
}

std::optional<OngoingEdit> FloatPixels::ongoing() const {
    return OngoingEdit{OngoingEdit::Kind::FloatingPixels, code()};
}

std::optional<int> FloatingPixelsCode(const Edit* edit) {
    const std::optional<OngoingEdit> ongoing = edit ? edit->ongoing() : std::nullopt;
    return ongoing && ongoing->kind == OngoingEdit::Kind::FloatingPixels
               ? std::optional<int>(ongoing->which)
               : std::nullopt;
}

ClearPixels::ClearPixels(int code, QRect rect)
    : GlyphEdit(QStringLiteral("Clear Pixels"), GlyphPixels, code), rect_(rect) {}

void ClearPixels::Change(Charset& set) {
    if (Glyph* glyph = set.GlyphAt(code())) {
        glyph->raster = Cleared(glyph->raster, rect_);
    }
}

FlipPixels::FlipPixels(int code, QRect rect, Qt::Orientation orientation)
    : GlyphEdit(orientation == Qt::Horizontal ? QStringLiteral("Flip Horizontally")
                                              : QStringLiteral("Flip Vertically"),
                GlyphPixels, code),
      rect_(rect), orientation_(orientation) {}

void FlipPixels::Change(Charset& set) {
    if (Glyph* glyph = set.GlyphAt(code())) {
        glyph->raster = Flipped(glyph->raster, rect_, orientation_);
    }
}

} // namespace fontlathe
