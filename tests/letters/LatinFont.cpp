#include "letters/LatinFont.h"

#include "support/SampleSets.h"

#include <algorithm>
#include <iterator>

namespace fontlathe::test {

void Draw(Charset& set, int code, const Art& rows, int yOffset) {
    const std::string inks = ".+*#";
    SetGlyph(
        set, code, static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
        [&](int x, int y) { return static_cast<int>(inks.find(rows[std::size_t(y)][x])); }, 0,
        yOffset);
}

Art WithMark(const Art& letter, const Art& mark, int left, int top) {
    Art rows = letter;
    for (std::size_t y = 0; y < mark.size(); ++y) {
        for (std::size_t x = 0; x < mark[y].size(); ++x) {
            if (mark[y][x] != '.') {
                rows[top + y][left + x] = mark[y][x];
            }
        }
    }
    return rows;
}

Charset LatinFont() {
    Charset set;
    set.NewCharset(2);
    set.SetFontHeight(12);
    set.SetNumChars(256);
    set.SetVersion(867);
    set.SetColorMap({0, 9, 14, 7, 1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13});
    Draw(set, 1, {"*.", "**", "*."}); // an arrow the game's inventory shows
    Draw(set, U'a',
         {"......", "......", "......", "......", ".###..", "....#.", ".####.", "#...#.", "#..##.",
          ".##.#.", "......", "......"});
    Draw(set, U'e', E);
    Draw(set, U's',
         {"......", "......", "......", "......", ".####.", "#.....", ".###..", "....#.", "....#.",
          "####..", "......", "......"});
    Draw(set, U'z',
         {"......", "......", "......", "......", "#####.", "...#..", "..#...", ".#....", "#.....",
          "#####.", "......", "......"});
    Draw(set, U'l',
         {"....", "....", ".#..", ".#..", ".#..", ".#..", ".#..", ".#..", ".#..", "..#.", "....",
          "...."});
    Draw(set, U'i', {"..", ".#", "..", ".#", ".#", ".#", ".#", ".#", ".#", "..", "..", ".."});
    Draw(set, U'L',
         {"#.....", "#.....", "#.....", "#.....", "#.....", "#.....", "#.....", "#####."}, 2);
    Draw(set, U'A',
         {"..##...", ".#..#..", "#....#.", "#....#.", "#++++#.", "#....#.", "#....#.", "#....#."},
         2);
    Draw(set, U'S',
         {".####..", "#....#.", "#......", ".####..", ".....#.", ".....#.", "#....#.", ".####.."},
         2);
    Draw(set, U'H',
         {"#....#.", "#....#.", "#....#.", "######.", "#....#.", "#....#.", "#....#.", "#....#."},
         2);
    Draw(set, U'D',
         {"####...", "#...#..", "#....#.", "#....#.", "#....#.", "#....#.", "#...#..", "####..."},
         2);
    Draw(set, 0xE9, WithMark(E, AcuteOfE, 1, 1));       // é
    Draw(set, 0xEA, WithMark(E, {".#.", "#.#"}, 1, 1)); // ê
    const Art spacingAcute = {".#", "#."};
    Draw(set, 0xB4, WithMark({"....", "....", "....", "...."}, spacingAcute, 1, 1));      // ´
    Draw(set, 0xB8, WithMark({"....", "....", "....", "...."}, SpacingCedilla, 0, 0), 9); // ¸
    return set;
}

Ink InkOf(const Charset& set, const Glyph& glyph) {
    Ink ink;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            if (const int index = set.PaletteIndexOf(glyph.raster.pixel(x, y)); index != 0) {
                ink.emplace(x + glyph.xOffset, y + glyph.yOffset, index);
            }
        }
    }
    return ink;
}

QRect BoundsOf(const Ink& ink) {
    QRect bounds;
    for (const auto& [x, y, index] : ink) {
        bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

Ink Beyond(const Ink& built, const Ink& base) {
    Ink extra;
    std::set_difference(built.begin(), built.end(), base.begin(), base.end(),
                        std::inserter(extra, extra.end()));
    return extra;
}

} // namespace fontlathe::test
