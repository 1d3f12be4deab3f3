#include "GlyphEdit.h"

#include "GlyphPainting.h"
#include "clipboard/ClipboardImage.h"

#include <array>
#include <utility>

namespace fontlathe {

namespace {

// The step names of the arrow buttons, by ShiftMode.
QString ShiftModeName(ShiftMode mode) {
    static constexpr std::array<const char*, 4> names = {"", "Roll", "Resize", "Offset"};
    return QString::fromLatin1(names.at(static_cast<std::size_t>(mode)));
}

constexpr Scope Presence{ScopeKind::GlyphPresence, {}};

} // namespace

GlyphEdit::GlyphEdit(QString verb, Scope applied, int code)
    : Edit(std::move(verb), applied, Presence, code) {}

void GlyphEdit::Keep(const Charset& set) {
    if (const Glyph* slot = set.SlotAt(code())) {
        glyph_ = *slot;
    }
}

void GlyphEdit::Swap(Charset& set) {
    if (Glyph* slot = set.SlotAt(code())) {
        std::swap(*slot, glyph_);
    }
}

bool GlyphEdit::Differs(const Charset& set) const {
    const Glyph* now = set.SlotAt(code());
    return now != nullptr && (now->xOffset != glyph_.xOffset || now->yOffset != glyph_.yOffset ||
                              now->raster != glyph_.raster);
}

std::size_t GlyphEdit::Cost() const {
    return sizeof(*this) + static_cast<std::size_t>(glyph_.raster.sizeInBytes());
}

GlyphOn::GlyphOn(int code) : GlyphEdit(QStringLiteral("On"), Presence, code) {}

void GlyphOn::Change(Charset& set) {
    set.CreateBlankGlyph(code());
}

GlyphOff::GlyphOff(int code) : GlyphEdit(QStringLiteral("Off"), Presence, code) {}

void GlyphOff::Change(Charset& set) {
    set.ClearGlyph(code());
}

PasteGlyph::PasteGlyph(int code, QImage image, Offsets offsets)
    : GlyphEdit(QStringLiteral("Paste"), Presence, code), image_(std::move(image)),
      offsets_(offsets) {}

void PasteGlyph::Change(Charset& set) {
    Glyph* slot = set.SlotAt(code());
    if (!slot) {
        return;
    }
    slot->raster = image_;
    SnapToDisplayColors(set, code());
    slot->xOffset = offsets_.x;
    slot->yOffset = offsets_.y;
}

Paint::Paint(int code, QPoint pixel, int colorIndex)
    : GlyphEdit(QStringLiteral("Paint"), {ScopeKind::Pixel, pixel}, code), pixel_(pixel),
      colorIndex_(colorIndex) {}

void Paint::Change(Charset& set) {
    PaintPixel(set, code(), pixel_, colorIndex_);
}

std::optional<OngoingEdit> Paint::ongoing() const {
    return OngoingEdit{OngoingEdit::Kind::Stroke, code()};
}

Shift::Shift(int code, QPoint step, ShiftMode mode)
    : GlyphEdit(ShiftModeName(mode), {ScopeKind::Glyph, {}}, code), step_(step), mode_(mode) {}

void Shift::Change(Charset& set) {
    ShiftGlyph(set, code(), step_.x(), step_.y(), mode_);
}

} // namespace fontlathe
