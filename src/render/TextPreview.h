#pragma once

#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace fontlathe {

inline constexpr QSize PreviewSize(600, 70);

// The text the preview shows until the user types another.
inline const QString SampleText =
    QStringLiteral("The quick brown fox jumps over the lazy dog.\r\n1234567890");

// Whether the preview marks each character the set does not cover (see CheckCoverage). Shown,
// such a character is drawn as an outline box in MissingMarkColor, one font pixel thick, at the
// pen: fontHeight pixels tall and half as wide, each at least MinMarkSide, times the zoom; the
// pen advances by the box's width, so the boxes overlap neither each other nor the glyphs. A glyph
// the file does not store is not drawn then, as the game will not show it.
enum class MissingMarks { Hidden, Shown };

// Orange, the colour farthest from all 16 display colours, so a mark is never taken for ink.
inline constexpr QRgb MissingMarkColor = qRgb(255, 170, 0);
inline constexpr int MinMarkSide = 3;

// The width of the games' screen in pixels of the font: a line of the preview wider than this
// does not fit on the game's screen.
inline constexpr int GameScreenWidth = 320;

// The column of the preview at zoom where a line starting at the pen reaches the screen's width.
int ScreenWidthColumn(int zoom);

// Every line break of any kind ("\r\n", a lone "\r" or "\n") becomes one carriage return.
QString NormalizeLineBreaks(const QString& text);

// Whether the preview of text draws the glyph of code, the character that code stands for in the
// page, wherever the pen stands.
bool TextUsesCode(const QString& text, int code, const CodePage& page);

// Draws the text with the set at zoom, as the window's preview shows it: the pen starts at
// (4 + zoom, 4); a line break returns it and moves it down fontHeight x zoom; each glyph is drawn
// at the pen moved by its offsets, and the pen advances by its width plus xOffset; characters
// without a glyph are skipped without moving the pen. Glyph backgrounds are transparent, so a
// later glyph never hides an earlier one.
// Each character is drawn as the glyph of its code in the page; one the page does not hold is
// skipped as an absent glyph is.
// A glyph that leaves the line (a mark lifted with a negative y offset, a tail below the line) is
// drawn where the engine draws it: the text moves down by the rows glyphs reach above its first
// line, and a guide one pixel thin in LineGuideColor runs along the top and bottom of every line,
// just above the line's first row. A text whose glyphs stay inside their lines looks as ever.
QImage RenderPreview(const Charset& set, const QString& text, int zoom, QSize size = PreviewSize,
                     MissingMarks marks = MissingMarks::Hidden, const CodePage& page = CodePage());

// The smallest size that shows the whole text as RenderPreview draws it: its widest line and
// every line, with the rows its glyphs reach outside them, and the margins.
QSize TextSizeFor(const Charset& set, const QString& text, int zoom,
                  MissingMarks marks = MissingMarks::Hidden, const CodePage& page = CodePage());

// The size grown by the rows the text's glyphs reach above its first line and below its last.
QSize PreviewSizeFor(const Charset& set, const QString& text, int zoom, QSize size = PreviewSize,
                     MissingMarks marks = MissingMarks::Hidden, const CodePage& page = CodePage());

// A pale blue that is none of the display colours.
inline constexpr QRgb LineGuideColor = qRgb(128, 128, 255);

} // namespace fontlathe
