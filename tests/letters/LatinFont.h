#pragma once

// A small Latin font drawn from ASCII art, and the ink of its glyphs, for the tests of the
// letters Add Letters makes.

#include "charset/Charset.h"

#include <QRect>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace fontlathe::test {

// Rows of a glyph: '.' is index 0, '+' index 1, '*' index 2 and '#' index 3, the letters' colour.
using Art = std::vector<std::string>;

void Draw(Charset& set, int code, const Art& rows, int yOffset = 0);

// The letter's art with the mark's ink laid over it, the mark's top left at left, top.
Art WithMark(const Art& letter, const Art& mark, int left, int top);

// Small letters fill the 12-row line from its top; capitals are cut to their ink two rows down.
// Inline, so that they are made before the tables of any file that includes this one.
inline const Art E = {"......", "......", "......", "......", ".###..", "#...#.",
                      "#####.", "#.....", "#...#.", ".###..", "......", "......"};
inline const Art AcuteOfE = {"..#", "##."}; // as é carries it, on rows 1 and 2 from column 1
inline const Art SpacingCedilla = {".#.", "..#", "##."};

// A 2-bit font of 256 codes: a e s z l i L A S H D, é ê, the spacing acute and cedilla, and an
// arrow at code 1 as a game's inventory shows one.
Charset LatinFont();

// A glyph's ink as the line places it: (x, y, palette index) of every pixel that is not 0.
using Ink = std::set<std::tuple<int, int, int>>;
Ink InkOf(const Charset& set, const Glyph& glyph);
QRect BoundsOf(const Ink& ink);

// The ink of built that base does not have.
Ink Beyond(const Ink& built, const Ink& base);

} // namespace fontlathe::test
