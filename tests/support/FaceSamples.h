#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace fontlathe::test {

// A glyph for hand-made face files: the character (or, with encoding -1, the code), its advance,
// and its rows of '#' (ink) and '.' placed with box's top-left against the origin, y down.
struct SampleGlyph {
    char32_t character;
    int advance;
    QPoint topLeft;
    QStringList rows;
    int encoding = -2; // what the file gives as its encoding; -2: the character
};

struct SampleFace {
    int ascent = 9;
    int descent = 3;
    QString registry = QStringLiteral("ISO10646");
    QString encoding = QStringLiteral("1");
    std::vector<SampleGlyph> glyphs;
};

// H, g and É in a cell of 8 x 12 with the baseline under row 9: the same pixels every format
// can hold.
SampleFace CellFace();

// How a hand-made PCF file lays out its tables and bitmaps.
struct PcfLayout {
    bool msbBytes = true;
    bool msbBits = true;
    int padBytes = 4;
    int unitBytes = 1;
    bool compressedMetrics = false;
};

QByteArray BdfOf(const SampleFace& face);
// Each glyph's box cut to its ink, as X11's compiler may keep it.
QByteArray PcfOf(const SampleFace& face, const PcfLayout& layout);
// Every glyph is a full cell of the face; with a table, the glyphs' characters are listed in it,
// without, the glyphs stand at their characters' cp437 codes.
QByteArray PsfOf(const SampleFace& face, int version, bool unicodeTable);
QByteArray Gzipped(const QByteArray& bytes);

} // namespace fontlathe::test
