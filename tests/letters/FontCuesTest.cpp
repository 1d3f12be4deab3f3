#include "generate/DrawingFont.h"
#include "letters/AddLetters.h"
#include "letters/LatinFont.h"
#include "support/SampleSets.h"
#include "text/CodePage.h"

#include <QSize>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// What a change to the font does to the letters made for it, each row on its own copy of the
// Latin font, read as Latin-1: the letter made, and what its ink must be.
TEST(AddLettersTest, WhatTheFontShowsDecidesTheLettersMadeForIt) {
    using Change = std::function<void(Charset&)>;
    using Check = std::function<void(const Charset& font, const LetterRow& row)>;
    const auto ownInk = [](const Charset& font, char32_t letter) {
        return InkOf(font, *font.GlyphAt(CodePage().CodeOf(letter)));
    };
    const auto markOf = [&](const Charset& font, const LetterRow& row, char32_t base) {
        return Beyond(InkOf(font, row.glyph), ownInk(font, base));
    };
    const Change none = [](Charset&) {};
    const Change capitalE = [](Charset& f) {
        Draw(f, U'E',
             {"######.", "#......", "#......", "#####..", "#......", "#......", "#......",
              "######."},
             2);
    };
    // A serifed E, the ends of its bars turned: the bottom one up three rows of eight.
    const Change serifedE = [](Charset& f) {
        Draw(f, U'E',
             {"#######", ".#....#", ".#.....", ".####..", ".#.....", ".#....#", ".#....#",
              "#######"},
             2);
    };
    const Art oArt = {"......", "......", "......", "......", ".###..", "#...#.",
                      "#...#.", "#...#.", "#...#.", ".###..", "......", "......"};
    const Change o = [&](Charset& f) {
        Draw(f, U'o', oArt);
        Draw(f, 0xF3, WithMark(oArt, AcuteOfE, 1, 1)); // ó
    };
    // o (of five columns, or of seven) with ó's three-column acute and ö's dots as given.
    const Art wideO = {".......", ".......", ".......", ".......", "..###..", ".#...#.",
                       "#.....#", "#.....#", ".#...#.", "..###..", ".......", "......."};
    const auto dotsOver = [&](bool wide, const Art& dots) {
        return Change([&, wide, dots](Charset& f) {
            const Art& art = wide ? wideO : oArt;
            Draw(f, U'o', art);
            Draw(f, 0xF3, WithMark(art, AcuteOfE, wide ? 2 : 1, 1)); // ó
            Draw(f, 0xF6, WithMark(art, dots, 1, 1));                // ö
        });
    };
    // An o nine columns wide with ó's three-column acute from the column given: from 5, a pixel
    // right of the middle, so that two acutes a column apart would end a column past o.
    const Art nineO = {".........", ".........", ".........", ".........",
                       "..#####..", ".#.....#.", "#.......#", "#.......#",
                       ".#.....#.", "..#####..", ".........", "........."};
    const auto acuteFrom = [&](int column) {
        return Change([&, column](Charset& f) {
            Draw(f, U'o', nineO);
            Draw(f, 0xF3, WithMark(nineO, AcuteOfE, column, 1));
        });
    };
    const auto pairFrom = [&](int column) {
        return Check([&, column](const Charset& f, const LetterRow& row) {
            EXPECT_EQ(BoundsOf(markOf(f, row, U'o')).left(),
                      BoundsOf(ownInk(f, U'o')).left() + column);
        });
    };
    const auto acutesApart = [&](int apart) {
        return Check([&, apart](const Charset& f, const LetterRow& row) {
            const QRect acute = BoundsOf(Beyond(ownInk(f, 0xF3), ownInk(f, U'o')));
            EXPECT_EQ(BoundsOf(markOf(f, row, U'o')).size(),
                      QSize(acute.width() + apart, acute.height()));
        });
    };
    const auto ogonekUnderMiddleOf = [&](char32_t base) {
        return Check([&, base](const Charset& f, const LetterRow& row) {
            const QRect ink = BoundsOf(ownInk(f, base)), mark = BoundsOf(markOf(f, row, base));
            EXPECT_LE(std::abs(mark.left() + mark.right() - ink.left() - ink.right()), 1);
        });
    };
    // An a whose bowl's foot runs left of the middle of its bottom row, a spur standing apart at
    // the row's right end, not at the foot of a stem.
    const Change spurredA = [](Charset& f) {
        Draw(f, U'a',
             {".......", ".......", ".......", ".......", ".####..", ".....#.", ".#####.",
              "#....#.", "#....#.", ".###..#", ".......", "......."});
    };
    // An A whose legs slant down to its feet: its right column has ink in two rows of seven.
    const Change slantedA = [](Charset& f) {
        Draw(f, U'A', {"...#...", "..#.#..", "..#.#..", ".#...#.", ".#####.", "#.....#", "#.....#"},
             3);
    };
    // ê's circumflex as a flat bar; one dot; Á À Â Ä as A, the line having no room for them.
    const Change flat = [](Charset& f) { Draw(f, 0xEA, WithMark(E, {"###"}, 1, 2)); };
    const Change dot = [](Charset& f) { Draw(f, 0xEA, WithMark(E, {"#"}, 2, 2)); };
    const Change unmarked = [](Charset& f) {
        for (const int code : {0xC0, 0xC1, 0xC2, 0xC4}) {
            *f.SlotAt(code) = *f.GlyphAt(U'A');
        }
    };
    // Á as A a row shorter under its acute, which is the font's highest ink: no room above.
    const Change squeezed = [](Charset& f) {
        Draw(f, 0xC1,
             {"...#...", "..#....", "..##...", ".#..#..", "#....#.", "#++++#.", "#....#.",
              "#....#.", "#....#."},
             1);
    };
    // Á's acute touching the flat top of its A, a row shorter, as X11's 6x10 draws it: the acute
    // the font shows is cut to one pixel, which on L's shortened stem would make L again.
    const Change touching = [](Charset& f) {
        Draw(f, U'A', {"..#..", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#"}, 3);
        Draw(f, 0xC1, {"...#.", "..#..", ".###.", "#...#", "#...#", "#####", "#...#", "#...#"}, 2);
        Draw(f, U'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}, 3);
    };
    // É's acute straight on a full E, with no row between them.
    const Change straight = [&](Charset& f) {
        capitalE(f);
        Draw(f, 0xC9,
             {"...#...", ".##....", "######.", "#......", "#......", "#####..", "#......",
              "#......", "#......", "######."});
    };
    const Change serifedL = [&](Charset& f) {
        straight(f);
        Draw(f, U'L',
             {"###...", ".#....", ".#....", ".#....", ".#....", ".#....", ".#...#", "######"}, 2);
    };
    // Ĺ's acute straight above a whole L, its foot's left column so far from L's.
    const auto acuteFootOnL = [&](int column) {
        return Check([&, column](const Charset& f, const LetterRow& row) {
            const Ink made = InkOf(f, row.glyph), own = ownInk(f, U'L');
            EXPECT_TRUE(std::includes(made.begin(), made.end(), own.begin(), own.end()))
                << "L whole";
            const Ink acute = Beyond(made, own);
            const QRect mark = BoundsOf(acute), l = BoundsOf(own);
            ASSERT_EQ(mark.bottom() + 1, l.top()) << "the acute straight above a whole L";
            int foot = mark.right();
            for (const auto& [x, y, colour] : acute) {
                foot = y == mark.bottom() ? std::min(foot, x) : foot;
            }
            EXPECT_EQ(foot, l.left() + column);
        });
    };
    // É's acute one pixel on a full E, Ó's and Ú's two rows over a base a row shorter, as 6x10
    // draws them: a new capital takes the acute most of them have.
    const Change oneOdd = [](Charset& f) {
        const Art e = {"#####", "#....", "#....", "####.", "#....", "#....", "#....", "#####"};
        Art eAcute = e;
        eAcute.insert(eAcute.begin(), "..#..");
        Draw(f, U'E', e, 2);
        Draw(f, 0xC9, eAcute, 1);
        Draw(f, U'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}, 3);
        Draw(f, 0xD3, {"...#.", "..#..", ".###.", "#...#", "#...#", "#...#", "#...#", ".###."}, 2);
        Draw(f, U'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}, 3);
        Draw(f, 0xDA, {"...#.", "..#..", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}, 2);
        Draw(f, U'S', {".###.", "#...#", "#....", ".###.", "....#", "#...#", ".###."}, 3);
    };
    // ä's dots two rows tall.
    const Change tallDots = [](Charset& f) {
        Draw(f, 0xE4,
             {"......", "#..#..", "#..#..", "......", ".###..", "....#.", ".####.", "#...#.",
              "#..##.", ".##.#.", "......", "......"});
    };
    const Change u = [](Charset& f) {
        Draw(f, U'u',
             {"......", "......", "......", "......", "#...#.", "#...#.", "#...#.", "#...#.",
              "#..##.", ".##.#.", "......", "......"});
    };
    // Small letters that are the capitals: a-z drawn as A-Z, each its code's bits.
    const Change capitals = [](Charset& f) {
        for (int code = 'A'; code <= 'Z'; ++code) {
            SetGlyph(
                f, code, 7, 8, [code](int x, int y) { return ((code >> x) & 1) * 3 * (y > 1); }, 0,
                2);
            *f.SlotAt(code + 32) = *f.GlyphAt(code);
        }
    };
    // m with three stems, u whose bottom runs on into its right stem, and w as given.
    const auto stemsAndW = [](Art w) {
        return Change([w](Charset& f) {
            const auto line = [](Art rows) {
                rows.insert(rows.begin(), 4, "......");
                rows.insert(rows.end(), 2, "......");
                return rows;
            };
            Draw(f, U'm', line({"##.#..", "#.#.#.", "#.#.#.", "#.#.#.", "#.#.#.", "#.#.#."}));
            Draw(f, U'u', line({"#...#.", "#...#.", "#...#.", "#...#.", "#...#.", ".####."}));
            Draw(f, U'w', line(w));
        });
    };
    const Change roundW = stemsAndW({"#...#.", "#...#.", "#.#.#.", "#.#.#.", "#.#.#.", ".###.."});
    const Change pointedW = stemsAndW({"#...#.", "#...#.", "#.#.#.", "#.#.#.", "#.#.#.", ".#.#.."});
    const Change squareW = stemsAndW({"#...#.", "#...#.", "#.#.#.", "#.#.#.", "#.#.#.", "#####."});
    // i with a serif left of its stem's top, and t with its foot as given.
    const auto serifedI = [](const char* tBelowStem, const char* tFoot) {
        return Change([=](Charset& f) {
            Draw(f, U'i',
                 {"......", "......", "..#...", "......", ".##...", "..#...", "..#...", "..#...",
                  "..#...", ".###..", "......", "......"});
            Draw(f, U't',
                 {"......", "......", "..#...", "..#...", "#####.", "..#...", "..#...", "..#...",
                  tBelowStem, tFoot, "......", "......"});
        });
    };
    const Change flatT = serifedI("..#...", "...##."), risingT = serifedI("..#..#", "...##.");
    // The same with t's foot running on for six columns, which ι keeps but one of.
    const Change longFootT = [](Charset& f) {
        Draw(f, U'i',
             {"........", "........", ".#......", "........", "##......", ".#......", ".#......",
              ".#......", ".#......", "###.....", "........", "........"});
        Draw(f, U't',
             {"........", "........", ".#......", ".#......", "#####...", ".#......", ".#......",
              ".#......", ".#......", "..######", "........", "........"});
    };
    const auto topRun = [](const Charset& f, const LetterRow& row) {
        const Ink made = InkOf(f, row.glyph);
        const int top = BoundsOf(made).top();
        return std::ranges::count_if(made, [top](const auto& p) { return std::get<1>(p) == top; });
    };
    // å's ring resting on a, and u as given: a ring set as å's would touch a u of four columns at
    // a corner, and stand clear between the stems of one of six.
    const auto ringAndU = [](const char* stems, const char* foot) {
        return Change([=](Charset& f) {
            Draw(f, 0xE5,
                 {"......", ".##...", "#..#..", ".##...", ".###..", "....#.", ".####.", "#...#.",
                  "#..##.", ".##.#.", "......", "......"});
            Draw(f, U'u',
                 {"......", "......", "......", "......", stems, stems, stems, stems, stems, foot,
                  "......", "......"});
        });
    };
    // Å with its ring from a row above the line down onto A.
    const Change ringAboveLine = [](Charset& f) {
        Draw(f, 0xC5,
             {"..##...", ".#..#..", "..##...", "..##...", ".#..#..", "#....#.", "#....#.",
              "#++++#.", "#....#.", "#....#.", "#....#."},
             -1);
    };
    const auto ringBottom = [&](const Charset& f, const LetterRow& row) {
        return BoundsOf(markOf(f, row, U'u')).bottom();
    };
    // Where ш's bottom row starts, from its left, and how long it is.
    const auto bottomOf = [](const Charset& f, const LetterRow& row) {
        const Ink made = InkOf(f, row.glyph);
        const QRect bounds = BoundsOf(made);
        int left = bounds.right(), count = 0;
        for (const auto& [x, y, index] : made) {
            if (y == bounds.bottom()) {
                left = std::min(left, x);
                ++count;
            }
        }
        return std::pair(left - bounds.left(), count);
    };
    const struct {
        const char* what;
        Change change;
        const char* page;
        char32_t letter;
        bool drawWith;
        Check check;
    } rows[] = {
        {"ě's caron is a v where ê's circumflex is flat", flat, "cp1250", U'ě', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(markOf(f, row, U'e'), Ink({{1, 1, 3}, {3, 1, 3}, {2, 2, 3}}));
         }},
        {"ă's breve is a cup where ê's circumflex is flat", flat, "cp1250", U'ă', false,
         [&](const Charset& f, const LetterRow& row) {
             const Ink mark = markOf(f, row, U'a');
             EXPECT_EQ(BoundsOf(mark).height(), 2);
             EXPECT_LT(mark.size(), std::size_t(BoundsOf(mark).width() * 2));
         }},
        {"ž is not ż where ê's circumflex is a dot", dot, "cp1250", U'ž', false,
         [&](const Charset& f, const LetterRow& row) {
             AddLettersRequest dotted;
             dotted.toPage = *CodePage::Standard(u"cp1250"_s);
             dotted.letters = {U'ż'};
             const LetterRow other = PlanAddLetters(f, dotted).rows.at(0);
             EXPECT_NE(markOf(f, row, U'z'), markOf(f, other, U'z'));
             EXPECT_EQ(BoundsOf(markOf(f, row, U'z')).size(), QSize(3, 2));
         }},
        {"ż's dot is one of ä's, as tall and as high", tallDots, "cp1250", U'ż', false,
         [&](const Charset& f, const LetterRow& row) {
             const QRect dot = BoundsOf(markOf(f, row, U'z'));
             EXPECT_EQ(dot.size(), QSize(1, 2));
             EXPECT_EQ(dot.top(), 1);
             EXPECT_TRUE(row.detail.contains(u"a dot of the font's diaeresis"_s))
                 << row.detail.toStdString();
         }},
        {"Ĺ's acute is not swallowed by L's stem", touching, "cp1250", U'Ĺ', false,
         [&](const Charset& f, const LetterRow& row) {
             const Ink made = InkOf(f, row.glyph), own = ownInk(f, U'L');
             EXPECT_TRUE(std::includes(made.begin(), made.end(), own.begin(), own.end()))
                 << "L whole";
             const QRect mark = BoundsOf(Beyond(made, own)), l = BoundsOf(own);
             EXPECT_LT(mark.bottom(), l.top()) << "the acute above L";
             EXPECT_GT(mark.right(), l.left()) << "leaning off the stem";
         }},
        {"Ĺ's acute, with no row between it and L, stands a column clear of the stem", straight,
         "cp1250", U'Ĺ', false, acuteFootOnL(2)},
        {"on a serifed L the acute's foot stands on the stem, under the serif's end", serifedL,
         "cp1250", U'Ĺ', false, acuteFootOnL(1)},
        {"Ś's acute is the two-row one of Ó and Ú, not É's one pixel", oneOdd, "cp1250", U'Ś',
         false,
         [&](const Charset& f, const LetterRow& row) {
             const Ink made = InkOf(f, row.glyph);
             const int top = BoundsOf(made).top();
             for (const int y : {top, top + 1}) {
                 EXPECT_EQ(std::ranges::count_if(
                               made, [y](const auto& p) { return std::get<1>(p) == y; }),
                           1)
                     << "one pixel of the acute in row " << y - top;
             }
         }},
        {"з is not built on itself where the font has no c for ε", none, "cp1251", U'з', true,
         [&](const Charset&, const LetterRow& row) {
             EXPECT_FALSE(row.detail.contains(u"ε"_s)) << row.detail.toStdString();
         }},
        {"Ś is S where the font's Á À Â Ä are A", unmarked, "cp1250", U'Ś', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(InkOf(f, row.glyph), ownInk(f, U'S'));
             EXPECT_TRUE(row.detail.contains(u"without its acute"_s)) << row.detail.toStdString();
         }},
        {"υ is u made symmetric from its left half, without the tail of its right stem", u,
         "cp1253", U'υ', false,
         [&](const Charset& f, const LetterRow& row) {
             const Ink made = InkOf(f, row.glyph), own = ownInk(f, U'u');
             const QRect bounds = BoundsOf(made);
             Ink mirrored;
             for (const auto& [x, y, index] : made) {
                 mirrored.emplace(bounds.left() + bounds.right() - x, y, index);
             }
             EXPECT_EQ(mirrored, made);
             EXPECT_EQ(bounds, BoundsOf(own));
             EXPECT_EQ(Beyond(own, made).size(), 2u) << "the tail's two pixels";
         }},
        {"ĺ's acute stays in the line where the font shortens Á to keep it there", squeezed,
         "cp1250", U'ĺ', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(BoundsOf(InkOf(f, row.glyph)).top(), 1);
             EXPECT_EQ(InkOf(f, row.glyph).size(), ownInk(f, U'l').size() + 2)
                 << "the whole acute on l's stem, a row shorter";
         }},
        {"и is not u", u, "cp1251", U'и', true,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(row.detail, u"И made small"_s);
             EXPECT_NE(InkOf(f, row.glyph), ownInk(f, U'u'));
         }},
        {"a capitals-only font's ж is its Ж", capitals, "cp1251", U'ж', true,
         [&](const Charset& f, const LetterRow& row) {
             AddLettersRequest capital;
             capital.toPage = *CodePage::Standard(u"cp1251"_s);
             capital.letters = {U'Ж'};
             capital.drawWith = MakeDrawingFont({u"DejaVu Sans"_s, 10, 0, {}});
             EXPECT_EQ(InkOf(f, row.glyph), InkOf(f, PlanAddLetters(f, capital).rows.at(0).glyph));
             EXPECT_TRUE(row.detail.endsWith(u"as Ж: the font's small letters are capitals"_s));
         }},
        {"Ę's ogonek hangs from the middle of E's bar", capitalE, "cp1250", U'Ę', false,
         ogonekUnderMiddleOf(U'E')},
        {"a serif is not a stem: Ę's ogonek hangs from the middle", serifedE, "cp1250", U'Ę', false,
         ogonekUnderMiddleOf(U'E')},
        {"nor a slanted leg's foot: Ą's ogonek hangs from between the feet", slantedA, "cp1250",
         U'Ą', false, ogonekUnderMiddleOf(U'A')},
        {"under a bottom row heavier on its left, the ogonek leans left", spurredA, "cp1250", U'ą',
         false,
         [&](const Charset& f, const LetterRow& row) {
             const QRect a = BoundsOf(ownInk(f, U'a')), mark = BoundsOf(markOf(f, row, U'a'));
             EXPECT_EQ(mark.left() + mark.right() - 2 * a.left(), 1 + 6 - 1)
                 << "half a pixel left of the middle of the bottom row, columns 1 to 6";
         }},
        {"ą's ogonek hangs from the foot of a's stem", none, "cp1250", U'ą', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(BoundsOf(markOf(f, row, U'a')).right(),
                       BoundsOf(ownInk(f, U'a')).right() + 1);
         }},
        {"ő's two acutes stand a column apart", o, "cp1250", U'ő', false,
         [&](const Charset& f, const LetterRow& row) {
             const QRect acute = BoundsOf(Beyond(ownInk(f, 0xF3), ownInk(f, U'o')));
             EXPECT_EQ(BoundsOf(markOf(f, row, U'o')).size(),
                       QSize(2 * acute.width() + 1, acute.height()));
         }},
        {"ő's acutes stand off the middle as ó's acute does, as far as o's side", acuteFrom(5),
         "cp1250", U'ő', false, pairFrom(2)},
        {"and so to the left", acuteFrom(1), "cp1250", U'ő', false, pairFrom(0)},
        {"ő's two acutes stand as far apart as ö's dots", dotsOver(true, {"##.##", "##.##"}),
         "cp1250", U'ő', false, acutesApart(3)},
        {"over one-pixel dots, a column apart at least", dotsOver(true, {"#.#"}), "cp1250", U'ő',
         false, acutesApart(4)},
        {"over dots a column wide and two rows tall, touching", dotsOver(true, {"#.#", "#.#"}),
         "cp1250", U'ő', false, acutesApart(3)},
        {"touching acutes as wide as o stand a column apart", dotsOver(false, {"##.##"}), "cp1250",
         U'ő', false, acutesApart(4)},
        {"ш's corner is round as u's where the font's w is a ш with round corners", roundW,
         "cp1251", U'ш', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(bottomOf(f, row), std::pair(1, 4));
             EXPECT_EQ(row.detail, u"m with straight stems, with its corner round as u's"_s);
         }},
        {"ш's corner is square where the font's w is not", pointedW, "cp1251", U'ш', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(bottomOf(f, row), std::pair(0, 5));
             EXPECT_EQ(row.detail, u"m with straight stems"_s) << "a finish not made goes unsaid";
         }},
        {"ш's corner is square where the font's w stands on a square bar", squareW, "cp1251", U'ш',
         false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(bottomOf(f, row), std::pair(0, 5));
         }},
        {"ω is such a w with its tops turned in and its foot parted", roundW, "cp1253", U'ω', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(row.detail, u"w with its top turned in and its foot parted"_s);
             EXPECT_EQ(bottomOf(f, row), std::pair(1, 2));
         }},
        {"ω is any other w with its middle stem carried up", pointedW, "cp1253", U'ω', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(row.detail, u"w with its middle stem carried up"_s);
             EXPECT_EQ(InkOf(f, row.glyph).size(), ownInk(f, U'w').size() + 1);
         }},
        {"ι keeps i's serif where t's foot runs flat", flatT, "cp1253", U'ι', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(topRun(f, row), 2);
             EXPECT_TRUE(row.detail.endsWith(u"with i's serif at its top"_s))
                 << row.detail.toStdString();
         }},
        {"ί's acute stands on ι's stem, its serif aside", longFootT, "cp1253", U'ί', false,
         [&](const Charset& f, const LetterRow& row) {
             AddLettersRequest iota;
             iota.toPage = *CodePage::Standard(u"cp1253"_s);
             iota.letters = {U'ι'};
             const Ink stem = InkOf(f, PlanAddLetters(f, iota).rows.at(0).glyph);
             const Ink mark = Beyond(InkOf(f, row.glyph), stem);
             const int foot = BoundsOf(mark).bottom(), below = BoundsOf(stem).top() + 1;
             const auto leftAt = [](const Ink& ink, int y) {
                 int left = INT_MAX;
                 for (const auto& [x, py, index] : ink) {
                     left = py == y ? std::min(left, x) : left;
                 }
                 return left;
             };
             EXPECT_EQ(leftAt(mark, foot), leftAt(stem, below));
         }},
        {"ι is a lone stem where t's foot rises", risingT, "cp1253", U'ι', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(topRun(f, row), 1);
             EXPECT_FALSE(row.detail.contains(u"serif"_s)) << row.detail.toStdString();
         }},
        {"ů's ring stands a row clear of u where it would touch it", ringAndU("#..#..", ".##..."),
         "cp1250", U'ů', false,
         [&](const Charset& f, const LetterRow& row) { EXPECT_EQ(ringBottom(f, row), 2); }},
        {"ů's ring rests on u as å's on a where the font shortens its capitals under marks",
         [&](Charset& f) {
             ringAndU("#..#..", ".##...")(f);
             Draw(f, 0xC1, // Á as A a row shorter, its acute a row above it on the line's top
                  {"...#...", "..#....", ".......", "..##...", ".#..#..", "#....#.", "#++++#.",
                   "#....#.", "#....#.", "#....#."});
         },
         "cp1250", U'ů', false,
         [&](const Charset& f, const LetterRow& row) { EXPECT_EQ(ringBottom(f, row), 3); }},
        {"ů's ring rests as å's where it stands clear of u's stems", ringAndU("#....#", ".####."),
         "cp1250", U'ů', false,
         [&](const Charset& f, const LetterRow& row) { EXPECT_EQ(ringBottom(f, row), 3); }},
        {"ő's acutes are short where two of ó's would be wider than o",
         [&](Charset& f) {
             Draw(f, U'o', oArt);
             // An acute of three rows, right of o's middle.
             const Art acute = {"...##", "..##.", "##..."};
             Draw(f, 0xF3, WithMark(oArt, acute, 1, 1)); // ó
             Draw(f, 0xE9, WithMark(E, acute, 1, 1));    // é
         },
         "cp1250", U'ő', false,
         [&](const Charset& f, const LetterRow& row) {
             const QRect mark = BoundsOf(markOf(f, row, U'o'));
             EXPECT_EQ(mark.size(), QSize(7, 2)) << "two of .## over #.., a column apart";
             EXPECT_EQ(markOf(f, row, U'o').size(), 6u) << "its bottom rows, then right columns";
             EXPECT_EQ(mark.left(), BoundsOf(ownInk(f, U'o')).left() - 1) << "centred";
         }},
        {"Ů's ring goes a row above Å's where the font's capitals' marks rise above the line",
         [&](Charset& f) {
             ringAboveLine(f);
             Draw(f, U'U',
                  {".#..#..", ".#..#..", ".#..#..", ".#..#..", ".#..#..", ".#..#..", ".#..#..",
                   "..##..."},
                  2);
         },
         "cp1250", U'Ů', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(BoundsOf(markOf(f, row, U'U')).bottom(), 0);
         }},
        {"ů's ring rises above the line no higher than the capitals' marks",
         [&](Charset& f) {
             ringAndU("#..#..", ".##...")(f);
             ringAboveLine(f);
             Draw(f, 0xE5, // å's ring from the line's top down onto a
                  {".##...", "#..#..", "#..#..", ".##...", ".###..", "....#.", ".####.", "#...#.",
                   "#..##.", ".##.#.", "......", "......"});
         },
         "cp1250", U'ů', false,
         [&](const Charset& f, const LetterRow& row) { EXPECT_EQ(ringBottom(f, row), 2); }},
        {"ă's breve is as wide as ã's tilde where that stands well inside a",
         [](Charset& f) {
             const Art wideA = {".......", ".......", ".......", ".......", ".#####.", "......#",
                                ".######", "#.....#", "#....##", ".####.#", ".......", "......."};
             Draw(f, U'a', wideA);
             Draw(f, 0xE3, WithMark(wideA, {".#.#", "#.#."}, 2, 2)); // ã
         },
         "cp1250", U'ă', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(BoundsOf(markOf(f, row, U'a')).width(), 4);
         }},
        {"a capitals-only font's ą is its Ą", capitals, "cp1250", U'ą', false,
         [&](const Charset& f, const LetterRow& row) {
             EXPECT_EQ(BoundsOf(InkOf(f, row.glyph)).top(), BoundsOf(ownInk(f, U'A')).top());
         }},
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(c.what);
        Charset font = LatinFont();
        c.change(font);
        AddLettersRequest request;
        request.toPage = *CodePage::Standard(QString::fromLatin1(c.page));
        request.letters = {c.letter};
        if (c.drawWith) {
            request.drawWith = MakeDrawingFont({u"DejaVu Sans"_s, 10, 0, {}});
        }
        c.check(font, PlanAddLetters(font, request).rows.at(0));
    }
}

} // namespace
} // namespace fontlathe::test
