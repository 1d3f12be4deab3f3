#include "letters/AddLetters.h"
#include "charset/CharCodec.h"
#include "charset/PaletteLookup.h"
#include "generate/DrawingFont.h"
#include "letters/DrawnLetters.h"
#include "letters/LatinFont.h"
#include "letters/LetterMetrics.h"
#include "letters/LetterRecipes.h"
#include "letters/LetterStyle.h"
#include "letters/LetterTables.h"
#include "support/SampleSets.h"
#include "text/CodePage.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <tuple>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// How each case expects a composed letter's mark: the art and place of the font's own mark, or,
// for a built-in mark or a stroke, only where it may lie.
enum class Mark { None, OwnAbove, OwnBelow, BuiltInAbove, BuiltInBelowRight, Stroke, Bar };

struct Case {
    const char* page;
    char32_t letter;
    LetterSource source;
    const char* detail; // a pattern
    char32_t from;      // the letter whose glyph it is built from
    Mark mark;
    Art markArt;
};

using enum LetterSource;
using enum Mark;

const std::vector<Case> Cases = {
    {"cp1250", U'a', Kept, "^kept$", U'a', None, {}},
    {"cp1250", U'é', Kept, "^kept$", U'é', None, {}},
    {"cp1250", U'ś', Composed, "^composed from s \\+ the font's acute$", U's', OwnAbove, AcuteOfE},
    {"cp1250", U'Ś', Composed, "^composed from S \\+ the font's acute$", U'S', OwnAbove, AcuteOfE},
    {"cp1250", U'ź', Composed, "the font's acute$", U'z', OwnAbove, AcuteOfE},
    {"cp1250", U'ş', Composed, "^composed from s \\+ the font's cedilla$", U's', OwnBelow,
     SpacingCedilla},
    {"cp1250", U'ż', Composed, "from z \\+ the font's dot$", U'z', BuiltInAbove, {}},
    {"cp1250", U'ę', Composed, "a built-in ogonek$", U'e', BuiltInBelowRight, {}},
    {"cp1250", U'ą', Composed, "a built-in ogonek$", U'a', BuiltInBelowRight, {}},
    {"cp1250", U'ł', Composed, "^composed from l \\+ a stroke$", U'l', Stroke, {}},
    {"cp1250", U'Ł', Composed, "^composed from L \\+ a stroke$", U'L', Stroke, {}},
    {"cp1250", U'Đ', Composed, "^composed from D \\+ a stroke$", U'D', Bar, {}},
    {"cp1250", U'ř', Missing, "^missing: .*draw", 0, None, {}},
    {"cp1250", U'ţ', Reserved, "^reserved: .*0xFE", 0, None, {}},
    {"cp1250", U'@', Reserved, "^reserved: .*0x40", 0, None, {}},
    {"cp850", U'é', Moved, "^moved from 0xE9$", U'é', None, {}},
    {"cp1251", U'А', Borrowed, "^borrowed from A$", U'A', None, {}},
    {"cp1251", U'ё', Composed, "from e \\+ a built-in diaeresis$", U'e', BuiltInAbove, {}},
    {"cp1251", U'я', Reserved, "^reserved: .*0xFF", 0, None, {}},
    {"cp1251", U'Ф', Drawn, "^drawn with DejaVu Sans at \\d+ px$", 0, None, {}},
};

void ExpectMark(const Case& c, const Ink& base, const Ink& built, const std::string& what) {
    const Ink extra = Beyond(built, base);
    ASSERT_TRUE(std::includes(built.begin(), built.end(), base.begin(), base.end())) << what;
    ASSERT_FALSE(extra.empty()) << what;
    const QRect ink = BoundsOf(base), mark = BoundsOf(extra);
    if (c.mark == Mark::OwnAbove || c.mark == Mark::OwnBelow) {
        // The mark exactly as the font has it, centred over or under the base's ink (half a
        // pixel to the right where it can't be centred exactly).
        const int width = static_cast<int>(c.markArt[0].size());
        const int height = static_cast<int>(c.markArt.size());
        const QPoint at(ink.left() + (ink.width() - width + 1) / 2,
                        c.mark == Mark::OwnAbove ? ink.top() - 1 - height : ink.bottom() + 1);
        Ink expected;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (c.markArt[std::size_t(y)][x] == '#') {
                    expected.emplace(at.x() + x, at.y() + y, 3);
                }
            }
        }
        EXPECT_EQ(extra, expected) << what;
        return;
    }
    for (const auto& [x, y, index] : extra) {
        EXPECT_EQ(index, 3) << what;
    }
    if (c.mark == Mark::BuiltInAbove) {
        EXPECT_EQ(mark.bottom(), ink.top() - 2) << what;
    } else if (c.mark == Mark::BuiltInBelowRight) {
        // The ogonek hangs under the base's bottom row, its tail one column past that row's
        // rightmost ink where a stem stands on it (a), under it where it ends a curve (e).
        int hook = ink.left();
        for (const auto& [x, y, index] : base) {
            hook = y == ink.bottom() ? std::max(hook, x) : hook;
        }
        const bool foot = std::ranges::any_of(base, [&](const auto& pixel) {
            return std::get<0>(pixel) == hook && std::get<1>(pixel) == ink.bottom() - 1;
        });
        EXPECT_EQ(mark.right(), hook + (foot ? 1 : 0)) << what;
        EXPECT_EQ(mark.top(), ink.bottom() + 1) << what;
        return;
    } else {
        // A stroke or bar crosses the middle third of the base's ink; the stroke of ł and Ł rises
        // to the right: its leftmost pixels lie below its rightmost.
        const int third = ink.height() / 3;
        EXPECT_TRUE(mark.top() >= ink.top() + third && mark.bottom() <= ink.bottom() - third)
            << what;
        if (c.mark == Mark::Bar) {
            return;
        }
        int leftTop = mark.bottom(), rightBottom = mark.top();
        for (const auto& [x, y, index] : extra) {
            leftTop = x == mark.left() ? std::min(leftTop, y) : leftTop;
            rightBottom = x == mark.right() ? std::max(rightBottom, y) : rightBottom;
        }
        EXPECT_GT(leftTop, rightBottom) << what;
        return;
    }
    EXPECT_LE(std::abs(mark.left() + mark.right() - ink.left() - ink.right()), 1) << what;
}

TEST(AddLettersTest, EveryLetterIsBuiltFromTheFontsOwnGlyphsAndNothingElseChanges) {
    const Charset font = LatinFont();
    const Glyph& capitalH = *font.GlyphAt(U'H');
    for (const char* pageName : {"cp1250", "cp850", "cp1251"}) {
        AddLettersRequest request;
        request.toPage = *CodePage::Standard(QString::fromLatin1(pageName));
        if (std::string_view(pageName) == "cp1251") {
            request.drawWith = MakeDrawingFont({u"DejaVu Sans"_s, 10, 0, {}});
        }
        std::vector<const Case*> cases;
        for (const Case& c : Cases) {
            if (std::string_view(c.page) == pageName) {
                request.letters.push_back(c.letter);
                cases.push_back(&c);
            }
        }
        const AddLettersPlan plan = PlanAddLetters(font, request);
        Charset result = font;
        ApplyAddLetters(plan, result);
        ASSERT_EQ(plan.rows.size(), cases.size());
        std::set<int> written;
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Case& c = *cases[i];
            const LetterRow& row = plan.rows[i];
            const std::string what =
                pageName + (" " + QString::fromUcs4(&c.letter, 1).toStdString());
            EXPECT_EQ(row.code, request.toPage.CodeOf(c.letter)) << what;
            EXPECT_EQ(row.source, c.source) << what << ": " << row.detail.toStdString();
            EXPECT_TRUE(row.detail.contains(QRegularExpression(QString::fromUtf8(c.detail))))
                << what << ": " << row.detail.toStdString();
            if (c.source == LetterSource::Missing || c.source == LetterSource::Reserved) {
                continue;
            }
            const Glyph& built = *result.GlyphAt(row.code);
            const Glyph* base = c.from == 0 ? nullptr : font.GlyphAt(CodePage().CodeOf(c.from));
            if (c.source != LetterSource::Kept) {
                written.insert(row.code);
            }
            if (c.source == LetterSource::Drawn) {
                // As tall as H, on H's baseline, in the letters' colour.
                const QRect ink = BoundsOf(InkOf(result, built)),
                            h = BoundsOf(InkOf(font, capitalH));
                EXPECT_EQ(ink.height(), h.height()) << what;
                EXPECT_EQ(ink.bottom(), h.bottom()) << what;
                // H's blank columns on its right.
                EXPECT_EQ(built.xOffset + built.width() - ink.right(),
                          capitalH.xOffset + capitalH.width() - h.right())
                    << what;
                EXPECT_EQ(std::get<2>(*InkOf(result, built).begin()), 3) << what;
            } else if (c.mark == Mark::None) {
                EXPECT_EQ(Describe(result, row.code), Describe(font, CodePage().CodeOf(c.from)))
                    << what;
            } else {
                ExpectMark(c, InkOf(font, *base), InkOf(result, built), what);
            }
        }
        // Ś's acute lies above the line's top: its y offset says so.
        if (std::string_view(pageName) == "cp1250") {
            const Glyph& sAcute = *result.GlyphAt(request.toPage.CodeOf(U'Ś'));
            EXPECT_EQ(sAcute.yOffset, 2 - 1 - static_cast<int>(AcuteOfE.size()));
            EXPECT_EQ(plan.lost, std::vector<char32_t>{U'ê'});
        } else if (std::string_view(pageName) == "cp1251") {
            EXPECT_EQ(plan.lost, std::vector<char32_t>{U'¸'}); // ё took its code
        } else {
            EXPECT_TRUE(plan.lost.empty());
        }
        for (int code = 0; code < GlyphSlotCount; ++code) {
            if (!written.contains(code)) {
                EXPECT_EQ(Describe(result, code), Describe(font, code)) << pageName << " " << code;
            }
        }
        EXPECT_EQ(result.colorMap(), font.colorMap());
        EXPECT_EQ(std::tuple(result.tag(), result.version(), result.bitsPerPixel(),
                             result.fontHeight(), result.numChars()),
                  std::tuple(font.tag(), font.version(), font.bitsPerPixel(), font.fontHeight(),
                             font.numChars()));
    }
}

// Fonts whose every glyph is the same odd shape (a cursor's arrow, a dot, a bar, a block): every
// letter of three pages is built, or reported missing with a reason, and the font with them is
// one the game reads back as it was written.
TEST(AddLettersTest, EveryLetterOfAFontOfOddShapesIsBuiltOrMissingWithAReason) {
    const Art shapes[] = {
        {"#.....", "##....", "###...", "######", "##....", "#.#...", "...#..", "...##."},
        {"#"},
        {"######"},
        {"#", "#", "#", "#", "#", "#", "#", "#", "#", "#", "#", "#"},
        {"####", "####", "####", "####"},
        {"#.#.#", ".#.#.", "#.#.#", ".#.#.", "#.#.#"},
    };
    for (const Art& shape : shapes) {
        Charset font = LatinFont();
        for (int code = 0x21; code < 0x100; ++code) {
            Draw(font, code, shape, static_cast<int>(12 - shape.size()) / 2);
        }
        for (const char* page : {"cp1250", "cp1251", "cp1253"}) {
            const std::string where = std::string(page) + ": " + shape[0];
            AddLettersRequest request;
            request.toPage = *CodePage::Standard(QString::fromLatin1(page));
            request.letters = EveryLetterOf(request.toPage);
            const AddLettersPlan plan = PlanAddLetters(font, request);
            for (const LetterRow& row : plan.rows) {
                EXPECT_TRUE(row.source != LetterSource::Missing ||
                            row.detail.startsWith(u"missing"))
                    << where;
            }
            Charset result = font;
            ApplyAddLetters(plan, result);
            EncodedBlock block;
            Charset read;
            ASSERT_TRUE(EncodeCharset(result, DirtyBytes::Off, block)) << where;
            ASSERT_TRUE(DecodeCharset(block.bytes, read)) << where;
            EXPECT_EQ(read.glyphs().size(), result.glyphs().size()) << where;
        }
    }
}

TEST(AddLettersTest, TheStoredCountGrowsOnlyToTheLastNewLetterAndLaterVersionsMayUse0xFE) {
    Charset font = LatinFont();
    font.SetNumChars(132);
    AddLettersRequest request;
    request.toPage = *CodePage::Standard(u"cp1250"_s);
    request.letters = {U'ś', U'ş', U'ţ'};
    request.gameVersion = 7;
    const AddLettersPlan plan = PlanAddLetters(font, request);
    EXPECT_EQ(plan.numChars, request.toPage.CodeOf(U'ş') + 1);
    // At 0xFE ţ is no longer reserved, and the font has no t to build it on.
    EXPECT_EQ(plan.rows[2].source, LetterSource::Missing);
    EXPECT_EQ(plan.Count(LetterSource::Composed), 2);
    Charset result = font;
    ApplyAddLetters(plan, result);
    EXPECT_EQ(result.numChars(), plan.numChars);
}

// The font after Add Letters of the one letter, read and written in the page; code is where.
Charset WithLetter(const Charset& font, const char* page, char32_t letter, int& code) {
    AddLettersRequest request;
    request.fromPage = request.toPage = *CodePage::Standard(QString::fromLatin1(page));
    request.letters = {letter};
    const AddLettersPlan plan = PlanAddLetters(font, request);
    Charset result = font;
    ApplyAddLetters(plan, result);
    code = plan.rows.at(0).code;
    return result;
}

// What Add Letters gives the letter beyond the ink of its base, moved to start at 0, 0: the
// shape of its mark.
Ink MarkShape(const Charset& font, const char* page, char32_t letter, const Ink& base) {
    int code = 0;
    const Charset result = WithLetter(font, page, letter, code);
    const Glyph* glyph = result.GlyphAt(code);
    const Ink ink = glyph == nullptr ? Ink() : InkOf(result, *glyph);
    EXPECT_TRUE(std::includes(ink.begin(), ink.end(), base.begin(), base.end()))
        << page << " " << std::uint32_t(letter);
    const Ink extra = Beyond(ink, base);
    const QRect bounds = BoundsOf(extra);
    Ink shape;
    for (const auto& [x, y, index] : extra) {
        shape.emplace(x - bounds.left(), y - bounds.top(), index);
    }
    return shape;
}

// A mark above an i, a Cyrillic one's too, takes the place of its dot: over the stem stands the
// mark as it stands over e, and nothing else.
TEST(AddLettersTest, AMarkAboveAnITakesThePlaceOfItsDot) {
    const Charset font = LatinFont();
    Ink stem; // i's ink below its first blank row
    for (const auto& pixel : InkOf(font, *font.GlyphAt(U'i'))) {
        if (std::get<1>(pixel) > 2) {
            stem.insert(pixel);
        }
    }
    const Ink e = InkOf(font, *font.GlyphAt(U'e'));
    const std::tuple<const char*, char32_t, char32_t> cases[] = {{"latin1", U'ï', U'ë'},
                                                                 {"latin1", U'í', U'é'},
                                                                 {"latin1", U'î', U'ê'},
                                                                 {"latin1", U'ì', U'è'},
                                                                 {"cp1251", U'ї', U'ë'}};
    for (const auto& [page, onI, onE] : cases) {
        EXPECT_EQ(MarkShape(font, page, onI, stem), MarkShape(font, "latin1", onE, e))
            << page << " " << std::uint32_t(onI);
    }
}

// A mark below cut from a letter of the font keeps all its rows, the one beside the base's
// bottom row too.
TEST(AddLettersTest, AMarkBelowIsCutWhole) {
    const Art C = {"......", "......", "......", "......", ".###..", "#...#.",
                   "#.....", "#.....", "#...#.", ".###..", "......", "......"};
    Charset font = LatinFont();
    Draw(font, U'c', C);
    const CodePage cp1250 = *CodePage::Standard(u"cp1250"_s);
    Draw(font, cp1250.CodeOf(U'ç'), WithMark(C, {"...#", "..#.", ".##."}, 2, 9));
    Draw(font, cp1250.CodeOf(U'ę'), WithMark(E, {".#", "#.", ".#"}, 4, 9));
    // Ą's ogonek hangs from under its stem's foot: on Ę, not one row higher, in the stem.
    Draw(font, U'E', {"#####", "#....", "####.", "#....", "#....", "#....", "#....", "#####"}, 2);
    Draw(font, cp1250.CodeOf(U'Ą'),
         {"..##...", ".#..#..", "#....#.", "#....#.", "#++++#.", "#....#.", "#....#.", "#....#.",
          ".....#.", "....#..", ".....##"},
         2);
    // A letter of the font and its base; a letter taking its mark and that one's base.
    const std::tuple<char32_t, char32_t, char32_t, char32_t> cases[] = {
        {U'ç', U'c', U'ş', U's'}, {U'ę', U'e', U'ą', U'a'}, {U'Ą', U'A', U'Ę', U'E'}};
    for (const auto& [accented, base, taking, takingBase] : cases) {
        EXPECT_EQ(MarkShape(font, "cp1250", taking, InkOf(font, *font.GlyphAt(takingBase))),
                  MarkShape(font, "cp1250", accented, InkOf(font, *font.GlyphAt(base))))
            << std::uint32_t(taking);
    }
}

// The font's style is found and kept: on an outlined and a shadowed copy of the font, a composed,
// a borrowed and a drawn letter are the plain font's letters in that style.
TEST(AddLettersTest, ANewLetterTakesTheStyleOfTheFont) {
    const Charset plain = LatinFont();
    const PaletteLookup palette(plain.ColorCount());
    LetterStyle outlined{LetterStyle::Kind::Outline, {}, true, 2, 3};
    LetterStyle shadowed{LetterStyle::Kind::Shadow, {1, 1}, true, 2, 3};
    for (const auto& [style, description] :
         {std::pair{outlined, "outlined in colour 2"},
          std::pair{shadowed, "shadow one pixel right and down in colour 2"}}) {
        Charset styled = plain;
        for (int code = 32; code < GlyphSlotCount; ++code) {
            if (const Glyph* glyph = plain.GlyphAt(code)) {
                *styled.SlotAt(std::size_t(code)) = Styled(*glyph, style, palette);
            }
        }
        AddLettersRequest request;
        request.toPage = *CodePage::Standard(u"cp1251"_s);
        request.letters = {U'А', U'ё', U'Ф'};
        request.drawWith = MakeDrawingFont({u"DejaVu Sans"_s, 10, 0, {}});
        const AddLettersPlan onPlain = PlanAddLetters(plain, request);
        const AddLettersPlan onStyled = PlanAddLetters(styled, request);
        EXPECT_EQ(onStyled.style, QString::fromLatin1(description));
        EXPECT_EQ(onPlain.style, u"plain"_s);
        for (std::size_t i = 0; i < request.letters.size(); ++i) {
            EXPECT_EQ(onStyled.rows[i].source, onPlain.rows[i].source) << description << i;
            EXPECT_EQ(InkOf(styled, onStyled.rows[i].glyph),
                      InkOf(styled, Styled(onPlain.rows[i].glyph, style, palette)))
                << description << " " << onStyled.rows[i].detail.toStdString();
        }
    }
}

// A style named for a plain font drawn in colour 1: the shadow falls one pixel right and down from
// the body, in colour 2, as a font drawn so is found to have it.
TEST(AddLettersTest, ANamedShadowFallsRightAndDownInAColourOfItsOwn) {
    Charset font;
    font.NewCharset(2);
    Draw(font, U'l', {"+..", "+..", "+..", "+..", "+..", ".++"});
    AddLettersRequest request;
    request.toPage = *CodePage::Standard(u"cp1250"_s);
    request.letters = {U'ł'};
    request.style = GenerationStyle::Shadowed;
    const AddLettersPlan plan = PlanAddLetters(font, request);
    EXPECT_EQ(plan.style, u"shadow one pixel right and down in colour 2"_s);
    const Ink made = InkOf(font, plan.rows.at(0).glyph);
    Ink expected;
    for (const auto& [x, y, index] : made) {
        if (index == 1) {
            expected.insert({{x, y, 1}, {x + 1, y + 1, made.contains({x + 1, y + 1, 1}) ? 1 : 2}});
        }
    }
    EXPECT_EQ(made, expected);
    Draw(font, U'l', {"+...", "+*..", "+*..", "+*..", "+*..", ".++.", "..**"});
    request.style.reset();
    EXPECT_EQ(PlanAddLetters(font, request).style, plan.style);
}

// On a font whose accented capitals are shorter capitals with their marks where the whole
// capital's top row would be, a new capital is shortened as most of the font's own are, the fewer
// rows where as many lost more (Á two, Â three), and its mark stands whole above its ink.
TEST(AddLettersTest, ANewCapitalIsShortenedAsTheFontsOwnAndItsMarkStandsAboveIt) {
    Charset font = LatinFont();
    Draw(font, U'Z',
         {"######.", ".....#.", "....#..", "...#...", "..#....", ".#.....", "#......", "######."},
         2);
    Draw(font, 0xC1, // Á
         {"...#...", ".......", "..##...", ".#..#..", "#....#.", "#++++#.", "#....#.", "#....#."},
         2);
    Draw(font, 0xC2, // Â
         {"...#...", "..#.#..", ".......", "..##...", ".#..#..", "#++++#.", "#....#.", "#....#."},
         2);
    // Each letter, its top rows from its ink's top-left (the mark alone) and its height.
    const std::tuple<char32_t, Ink, int> cases[] = {
        {U'Ź', {{3, 0, 3}}, 8},                       // Á's acute on Z less two rows
        {U'Ż', {{3, 0, 3}, {3, 1, 3}}, 9},            // i's dot, like the acute, doubled
        {U'Š', {{2, 0, 3}, {4, 0, 3}, {3, 1, 3}}, 9}, // Â's circumflex turned
    };
    for (const auto& [letter, mark, height] : cases) {
        int code = 0;
        const Charset result = WithLetter(font, "cp1250", letter, code);
        const Ink made = InkOf(result, *result.GlyphAt(code));
        const QRect bounds = BoundsOf(made);
        Ink top;
        for (const auto& [x, y, index] : made) {
            if (y - bounds.top() <= BoundsOf(mark).bottom()) {
                top.emplace(x - bounds.left(), y - bounds.top(), index);
            }
        }
        EXPECT_EQ(top, mark) << std::uint32_t(letter);
        EXPECT_EQ(bounds.height(), height) << std::uint32_t(letter);
    }
}

// Marks the font lacks are made from its own, each put where the designer put its source: the
// caron is the circumflex turned; the dot is i's, and never the acute; ď takes the comma beside
// its stem where the font's accented capitals rise above the line.
// What a letter added for cp1250 has beyond its base's ink, in the font as changed.
Ink MarkMade(Charset font, char32_t letter, char32_t base) {
    AddLettersRequest request;
    request.toPage = *CodePage::Standard(u"cp1250"_s);
    request.letters = {letter};
    return Beyond(InkOf(font, PlanAddLetters(font, request).rows.at(0).glyph),
                  InkOf(font, *font.GlyphAt(static_cast<int>(base))));
}

// Marks the font lacks come from its own, placed where its designer put them: each case redraws
// some glyphs of the Latin font and expects the ink a letter has beyond its base's.
TEST(AddLettersTest, MarksTheFontLacksComeFromItsOwnWhereItsDesignerPutThem) {
    struct Change {
        int code;
        Art rows;
        int yOffset = 0;
    };
    const Art acute = {".#", "#."};
    const Art twoPixelDot = {"...", "##.", "...", ".#.", ".#.", ".#.",
                             ".#.", ".#.", ".#.", "...", "...", "..."};
    const Art onePixelDot = {"..", ".#", "..", ".#", ".#", ".#",
                             ".#", ".#", ".#", "..", "..", ".."};
    const Art fourWideZ = {"......", "......", "......", "......", "####..", "..#...",
                           ".#....", "#.....", "####..", "......", "......", "......"};
    const std::vector<Change> caronBeside = {
        {U'd',
         {"....#.", "....#.", "....#.", "....#.", ".####.", "#...#.", "#...#.", "#...#.", "#...#.",
          ".####.", "......", "......"}},
        {U',', {"..", "..", "..", "..", "..", "..", "..", "..", ".#", ".#", "#.", ".."}},
        {U'E', {"#####", "#....", "####.", "#....", "#....", "#####"}, 2},
        {0xC9,
         {".#...", "#....", ".....", "#####", "#....", "####.", "#....", "#....", "#####"},
         -1}};
    const Change apostrophe{
        U'\'', {"..", "#.", "#.", "..", "..", "..", "..", "..", "..", "..", "..", ".."}};
    const Change shortT{U't',
                        {"......", "......", "..#...", "..#...", "#####.", "..#...", "..#...",
                         "..#...", "..#...", "...##.", "......", "......"}};
    const auto with = [](std::vector<Change> changes, const std::vector<Change>& more) {
        changes.insert(changes.end(), more.begin(), more.end());
        return changes;
    };
    struct MarkCase {
        const char* why;
        std::vector<Change> changes;
        char32_t letter;
        char32_t base;
        Ink extra;
    };
    const MarkCase cases[] = {
        // s is as wide as e, so ś's acute stands where é's does, far right.
        {"acute as é's", {{0xE9, WithMark(E, acute, 3, 1)}}, U'ś', U's', {{4, 1, 3}, {3, 2, 3}}},
        // ě gets ê's circumflex turned.
        {"caron from ê",
         {{0xE9, WithMark(E, acute, 3, 1)}},
         U'ě',
         U'e',
         {{1, 1, 3}, {3, 1, 3}, {2, 2, 3}}},
        // A dot two pixels wide cannot be centred on z, five: its half pixel goes the way é's
        // acute went where that could not be centred either.
        {"dot left as é's acute",
         {{0xE9, WithMark(E, acute, 1, 1)}, {U'i', twoPixelDot}},
         U'ż',
         U'z',
         {{1, 2, 3}, {2, 2, 3}}},
        {"dot under ź's acute",
         {{0xE9, WithMark(E, acute, 0, 1)}, {U'i', twoPixelDot}},
         U'ż',
         U'z',
         {{0, 2, 3}, {1, 2, 3}}},
        // é's acute is half a pixel right of centre only because e is odd; on a z four wide, ź's
        // is centred.
        {"acute centred",
         {{0xE9, WithMark(E, acute, 2, 1)}, {U'z', fourWideZ}},
         U'ź',
         U'z',
         {{2, 1, 3}, {1, 2, 3}}},
        // A dot of one pixel cannot be centred on it: it goes right where é's acute went right,
        // though ź's acute has its foot on the left; left where é's went left.
        {"one-pixel dot right",
         {{0xE9, WithMark(E, acute, 2, 1)}, {U'z', fourWideZ}, {U'i', onePixelDot}},
         U'ż',
         U'z',
         {{2, 2, 3}}},
        {"one-pixel dot left",
         {{0xE9, WithMark(E, acute, 1, 1)}, {U'z', fourWideZ}, {U'i', onePixelDot}},
         U'ż',
         U'z',
         {{1, 2, 3}}},
        // A caron that cannot be centred leans over n's arch, left, even where ê's circumflex
        // leans right.
        {"caron over the arch",
         {{U'n',
           {"....", "....", "....", "....", "###.", "#..#", "#..#", "#..#", "#..#", "#..#", "....",
            "...."}}},
         U'ň',
         U'n',
         {{0, 1, 3}, {2, 1, 3}, {1, 2, 3}}},
        {"caron over the arch, ê's circumflex right of centre",
         {{0xEA, WithMark(E, {".##.", "#..#"}, 1, 1)},
          {U'n',
           {".....", ".....", ".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#",
            "#...#", ".....", "....."}}},
         U'ň',
         U'n',
         {{0, 1, 3}, {3, 1, 3}, {1, 2, 3}, {2, 2, 3}}},
        // ă's breve, a cup of ê's strokes, is as wide as the font's macron (not a's counter).
        {"breve as wide as the macron",
         {{0xAF, {"#####"}, 1}},
         U'ă',
         U'a',
         {{0, 1, 3}, {4, 1, 3}, {1, 2, 3}, {2, 2, 3}, {3, 2, 3}}},
        // In a proportional font ď's caron is the comma at its top right, two columns clear of
        // the stem; Ľ's the same.
        {"caron beside d",
         with({{0xE9, WithMark(E, acute, 1, 1)}}, caronBeside),
         U'ď',
         U'd',
         {{8, 0, 3}, {8, 1, 3}, {7, 2, 3}}},
        {"caron beside L",
         with({{0xE9, WithMark(E, acute, 1, 1)}}, caronBeside),
         U'Ľ',
         U'L',
         {{8, 2, 3}, {8, 3, 3}, {7, 4, 3}}},
        // ť's: a column past its bar, from d's top though t is shorter.
        {"caron beside a short t",
         with({{0xE9, WithMark(E, acute, 1, 1)}, shortT}, caronBeside),
         U'ť',
         U't',
         {{7, 0, 3}, {7, 1, 3}, {6, 2, 3}}},
        // The comma before the apostrophe; the apostrophe where the font has no comma.
        {"comma before apostrophe",
         with({{0xE9, WithMark(E, acute, 1, 1)}, apostrophe}, caronBeside),
         U'ď',
         U'd',
         {{8, 0, 3}, {8, 1, 3}, {7, 2, 3}}},
        {"apostrophe without a comma",
         with({{0xE9, WithMark(E, acute, 1, 1)}, apostrophe},
              {caronBeside[0], caronBeside[2], caronBeside[3]}),
         U'ď',
         U'd',
         {{7, 0, 3}, {7, 1, 3}}},
    };
    for (const MarkCase& c : cases) {
        Charset font = LatinFont();
        for (const Change& change : c.changes) {
            Draw(font, change.code, change.rows, change.yOffset);
        }
        EXPECT_EQ(MarkMade(font, c.letter, c.base), c.extra) << c.why;
    }
    // A one-pixel acute and a one-pixel dot: ż still differs from ź.
    Charset font = LatinFont();
    Draw(font, 0xE9, WithMark(E, {"#"}, 2, 2));
    EXPECT_NE(BoundsOf(MarkMade(font, U'ż', U'z')).size(),
              BoundsOf(MarkMade(font, U'ź', U'z')).size());
}

// In a monospaced font ď's caron stands above d, within its columns, and takes no row off d
// where the font's marks rise above the line; a small letter's caron does not rise above the
// capitals' marks; one that cannot be centred over d leans towards its stem; and Ě's E is É's
// where É's E lost a row.
TEST(AddLettersTest, ACaronAboveFollowsTheFontsOwnCapitalsAndTheirMarks) {
    Charset font = LatinFont();
    Draw(font, 0xE9, WithMark(E, {".#", "#."}, 1, 1));
    Draw(font, U'd',
         {"....#.", "....#.", "....#.", "....#.", ".####.", "#...#.", "#...#.", "#...#.", "#...#.",
          ".####.", "......", "......"});
    Draw(font, U',', {"..", "..", "..", "..", "..", "..", "..", "..", ".#", ".#", "#.", ".."});
    Draw(font, U'E', {"#####", "#....", "####.", "#....", "#....", "#####"}, 2);
    Draw(font, 0xC9,
         {".#...", "#....", ".....", "#####", "#....", "####.", "#....", "#....", "#####"}, -1);
    const auto made = [&font](char32_t letter) {
        AddLettersRequest request;
        request.toPage = *CodePage::Standard(u"cp1250"_s);
        request.letters = {letter};
        return InkOf(font, PlanAddLetters(font, request).rows.at(0).glyph);
    };
    const auto extra = [&](char32_t letter, char32_t base) {
        return Beyond(made(letter), InkOf(font, *font.GlyphAt(base)));
    };
    // Every letter ends at column 8; a's glyph starts a column left of its origin (as an outline
    // pushes it), which widens the glyph, not the pitch.
    Charset proportional = font;
    for (char32_t letter = U'A'; letter <= U'z'; ++letter) {
        if (const Glyph* glyph = proportional.GlyphAt(static_cast<int>(letter));
            glyph != nullptr && QChar::isLetter(letter)) {
            const int left = letter == U'a' ? 1 : 0;
            SetGlyph(
                font, static_cast<int>(letter), 8 + left, glyph->height(),
                [&](int x, int y) {
                    return x >= left && x - left < glyph->width()
                               ? proportional.PaletteIndexOf(glyph->raster.pixel(x - left, y))
                               : 0;
                },
                -left, glyph->yOffset);
        }
    }
    const Ink caronAbove = extra(U'ď', U'd');
    EXPECT_FALSE(caronAbove.empty());
    EXPECT_LT(BoundsOf(caronAbove).right(), 6) << "within d's columns";
    // Clear of the stem, it takes no row off d, as É's acute does off E's bar, in a font whose
    // marks rise above the line (where they keep within it, d is shortened instead).
    Draw(font, 0xC9, {".#...", "#....", ".....", "#####", "#....", "####.", "#....", "#####"}, -2);
    const Ink d = InkOf(font, *font.GlyphAt(U'd')), withCaron = made(U'ď');
    EXPECT_TRUE(std::includes(withCaron.begin(), withCaron.end(), d.begin(), d.end()));
    // Nor does a small letter's caron rise above the capitals' marks: t loses its top row.
    Draw(font, 0xC9, {".#...", "#....", ".....", "#####", "#....", "####.", "#....", "#####"});
    Draw(font, 0xEA, WithMark(E, {".#.", "#.#"}, 1, 0));
    Draw(font, U't',
         {"........", "........", "........", ".#......", ".#......", "###.....", ".#......",
          ".#......", ".#......", "..#.....", "........", "........"});
    const Ink t = made(U'ť');
    EXPECT_EQ(BoundsOf(t).top(), 0);
    EXPECT_TRUE(!t.contains({1, 3, 3}) && t.contains({1, 4, 3}));
    // A caron that cannot be centred over d leans towards its stem, though the circumflex it is
    // made from (û's) leans the other way.
    const Art u = {"........", "........", "........", "........", "#....#..", "#....#..",
                   "#....#..", "#....#..", "#...##..", ".###.#..", "........", "........"};
    Draw(font, U'u', u);
    Draw(font, 0xFB, WithMark(u, {".#.", "#.#"}, 1, 1)); // û
    font.ClearGlyph(0xEA);                               // ê, centred on e
    Draw(font, U'd',
         {"........", ".....#..", ".....#..", ".....#..", ".#####..", "#....#..", "#....#..",
          "#....#..", "#...##..", ".###.#..", "........", "........"});
    EXPECT_EQ(BoundsOf(extra(U'ď', U'd')).left(), 2);
    font = proportional;
    // Where É's E lost a row other than the one the rules would take, Ě's E is É's; an E that is
    // not E's rows (redrawn) is not taken.
    for (const bool redrawn : {false, true}) {
        Draw(font, 0xC9,
             {".#...", "#....", ".....", "#####", redrawn ? "###.." : "####.", "#....", "#....",
              "#####"});
        const Ink caron = made(U'Ě');
        EXPECT_EQ(caron.contains({1, 4, 3}) && !caron.contains({1, 5, 3}), !redrawn) << redrawn;
    }
}

// A font drawn for a mapping file keeps no glyph of its old layout: every letter it has that the
// target page holds elsewhere moves there, wanted or not; a standard page's font only gets the
// letters wanted.
TEST(AddLettersTest, AFontDrawnForAMappingFileMovesEveryLetterItHas) {
    Charset font = LatinFont();
    Draw(font, 0xEA, E); // é, one code later than Latin-1 puts it
    CodePage layout;
    ASSERT_TRUE(
        CodePage::ParseMapping("0x61 0x61\n0x73 0x73\n0xEA 0xE9", u"game-layout.txt"_s, layout)
            .ok());
    for (const bool mapped : {true, false}) {
        AddLettersRequest request;
        request.fromPage = mapped ? layout : CodePage();
        request.toPage = *CodePage::Standard(u"cp1250"_s);
        request.letters = {U'ś'};
        const AddLettersPlan plan = PlanAddLetters(font, request);
        ASSERT_EQ(plan.rows.size(), mapped ? 2u : 1u);
        if (mapped) {
            EXPECT_EQ(plan.rows[1].letter, U'é');
            EXPECT_EQ(plan.rows[1].code, 0xE9);
            EXPECT_EQ(plan.rows[1].detail, u"moved from 0xEA"_s);
        }
    }
}

// A Cyrillic or Greek letter that looks like a Latin one, and the no-break space and soft
// hyphen, are the glyph of their Latin twin byte for byte.
TEST(AddLettersTest, ALetterThatLooksLikeALatinOneIsACopyOfIt) {
    Charset font;
    font.NewCharset(2);
    for (int code = 32; code < 127; ++code) { // each glyph shows its code's bits
        SetGlyph(font, code, 7, 1, [code](int x, int) { return ((code >> x) & 1) * 3; });
    }
    const std::u32string letters = U"АВЕКМНОРСТХІЈЅаеорсухіјѕΑΒΕΖΗΙΚΜΝΟΡΤΥΧο\u00A0\u00AD";
    const std::string twins = "ABEKMHOPCTXIJSaeopcyxijsABEZHIKMNOPTYXo -";
    ASSERT_EQ(letters.size(), twins.size());
    for (std::size_t i = 0; i < letters.size(); ++i) {
        int code = 0;
        const char* page = letters[i] >= 0x400   ? "cp1251"
                           : letters[i] >= 0x370 ? "cp1253"
                                                 : "latin1";
        const Charset result = WithLetter(font, page, letters[i], code);
        EXPECT_EQ(Describe(result, code), Describe(font, twins[i]))
            << "the twin of " << QString::fromUcs4(&letters[i], 1).toStdString() << " is "
            << twins[i];
    }
}

// Letters of other scripts that recipes build from the font's own glyphs, one on another, and a
// letter no recipe makes drawn as tall as the font's small letters.
TEST(AddLettersTest, RecipesBuildOtherScriptsFromTheFontsOwnGlyphs) {
    Charset font = LatinFont();
    Draw(font, U'N',
         {"#....#.", "##...#.", "#.#..#.", "#..#.#.", "#...##.", "#....#.", "#....#.", "#....#."},
         2);
    Draw(font, U'L',
         {"#......", "#......", "#......", "#......", "#......", "#......", "#......", "#####.."},
         2);
    Draw(font, U'P',
         {"#####..", "#....#.", "#....#.", "#####..", "#......", "#......", "#......", "#......"},
         2);
    enum class Expect { Mirrored, Turned, MirroredWithMarkAbove, AsHighAsZ };
    const struct {
        const char* page;
        char32_t letter;
        const char* detail;
        char32_t from;
        Expect expect;
    } rows[] = {
        {"cp1251", U'И', "^N mirrored$", U'N', Expect::Mirrored},
        {"cp1251", U'Г', "^L turned upside down$", U'L', Expect::Turned},
        {"cp1251", U'Ь', "^P turned upside down$", U'P', Expect::Turned},
        {"cp1253", U'Γ', "^same as Г$", U'L', Expect::Turned},
        {"cp1251", U'Й', "^composed from И \\+ a cup of the font's circumflex strokes$", U'N',
         Expect::MirroredWithMarkAbove},
        {"cp1251", U'н', "^Н made small$", U'z', Expect::AsHighAsZ},
        {"cp1251", U'и', "^И made small$", U'z', Expect::AsHighAsZ},
        {"cp1251", U'л', "^Л made small$", U'z', Expect::AsHighAsZ},
    };
    for (const auto& c : rows) {
        AddLettersRequest request;
        request.toPage = *CodePage::Standard(QString::fromLatin1(c.page));
        request.letters = {c.letter};
        request.drawWith = MakeDrawingFont({u"DejaVu Sans"_s, 10, 0, {}});
        const LetterRow row = PlanAddLetters(font, request).rows.at(0);
        const std::string what = QString::fromUcs4(&c.letter, 1).toStdString();
        EXPECT_TRUE(row.detail.contains(QRegularExpression(QString::fromUtf8(c.detail))))
            << what << ": " << row.detail.toStdString();
        const Ink from = InkOf(font, *font.GlyphAt(CodePage().CodeOf(c.from)));
        const Ink made = InkOf(font, row.glyph);
        const QRect bounds = BoundsOf(from), madeBounds = BoundsOf(made);
        const bool turn = c.expect == Expect::Turned;
        Ink expected;
        for (const auto& [x, y, index] : from) {
            expected.emplace(turn ? x : bounds.left() + bounds.right() - x,
                             turn ? bounds.top() + bounds.bottom() - y : y, index);
        }
        if (c.expect == Expect::Mirrored || turn) {
            EXPECT_EQ(made, expected) << what;
        } else if (c.expect == Expect::MirroredWithMarkAbove) {
            EXPECT_TRUE(std::includes(made.begin(), made.end(), expected.begin(), expected.end()));
            EXPECT_LT(madeBounds.top(), bounds.top() - 1) << what;
        } else { // on the baseline, as high as z
            EXPECT_EQ(madeBounds.top(), bounds.top()) << what;
            EXPECT_EQ(madeBounds.bottom(), bounds.bottom()) << what;
        }
    }
}

// How wide the font's letters run (what a tail may take in a monospaced cell): Æ counts, not Ð,
// whose bar sticks out left of its stem.
TEST(AddLettersTest, TheWidestLetterLeavesOutABarThroughAStem) {
    Charset font = LatinFont();
    const CodePage page = *CodePage::Standard(u"latin1"_s);
    const auto widest = [&] {
        return MeasureLetters(font, page, PaletteLookup(font.ColorCount()))->widestLetter;
    };
    const int before = widest();
    Draw(font, 0xD0,
         {".####...", ".#...#..", ".#....#.", "####..#.", ".#....#.", ".#....#.", ".#...#..",
          ".####..."},
         2);
    EXPECT_EQ(widest(), before);
    Draw(font, 0xC6,
         {"..######", ".#..#...", "#...#...", "#...####", "#####...", "#...#...", "#...#...",
          "#...####"},
         2);
    EXPECT_EQ(widest(), 8);
    EXPECT_LT(before, 7) << "Ð is wider than the letters before it";
}

// Glyphs cut to their ink, standing clear of the x-height and the baseline, are measured without
// reading a row outside them.
TEST(AddLettersTest, GlyphsCutToTheirInkAreMeasuredWithinThem) {
    Charset font = LatinFont();
    Draw(font, U't', {"#"}, 2);
    Draw(font, U'i', {"#"}, 11);
    const auto metrics =
        MeasureLetters(font, *CodePage::Standard(u"latin1"_s), PaletteLookup(font.ColorCount()));
    ASSERT_TRUE(metrics.has_value());
    EXPECT_EQ(metrics->stemSerif, 0);
}

// A recipe's result reads as another letter where the font then shows that letter with the same
// glyph and the drawing face draws the two apart; a mirror (И from N) or a letter's own other case
// is no other letter.
TEST(AddLettersTest, ARecipesResultReadsAsTheLetterWhoseGlyphItIs) {
    Charset font = LatinFont();
    const Art u = {"#...#.", "#...#.", "#...#.", "#..##.", ".##.#."};
    const Art n = {"#....#.", "##...#.", "#.#..#.", "#..#.#.", "#...##.", "#....#."};
    Draw(font, U'u', u, 5);
    Draw(font, U'N', n, 4);
    const std::map<char32_t, Art> drawings = {
        {U'и', {"#.....#", "#....##", "#...#.#", "#..#..#", "#.#...#", "##....#", "#.....#"}},
        {U'u', u},
        {U'N', n},
        {U'И', {"#....#", "#...##", "#..#.#", "#.#..#", "##...#", "#....#"}},
    };
    const PaletteLookup palette(font.ColorCount());
    const auto glyphOf = [&](const Art& art) {
        Charset scratch = font;
        Draw(scratch, 0, art);
        return *scratch.GlyphAt(0);
    };
    // The font's own glyphs, and the drawings above as the drawing face's.
    struct Parts final : LetterParts {
        const Charset& font;
        std::map<char32_t, Glyph> drawn;
        explicit Parts(const Charset& f) : font(f) {}
        const Glyph* Part(char32_t letter) override {
            return font.GlyphAt(CodePage().CodeOf(letter));
        }
        const Glyph* PartOrDrawn(char32_t letter) override { return Part(letter); }
        const Glyph* Reference(char32_t letter) override {
            const auto found = drawn.find(letter);
            return found == drawn.end() ? nullptr : &found->second;
        }
    } parts(font);
    for (const auto& [letter, art] : drawings) {
        parts.drawn.emplace(letter, glyphOf(art));
    }
    RecipeBook book(font, CodePage());
    Glyph mirrored = *font.GlyphAt(U'N');
    mirrored.raster = mirrored.raster.mirrored(true, false);
    EXPECT_EQ(book.ReadsAs(U'и', {*font.GlyphAt(U'u'), {}, U'n', 0, 0}, parts), U'u');
    EXPECT_EQ(book.ReadsAs(U'и', {*font.GlyphAt(U'u'), {}, U'u', 0, U'u'}, parts), 0u)
        << "by design";
    EXPECT_EQ(book.ReadsAs(U'И', {mirrored, {}, U'N', 0, 0}, parts), 0u);
}

// In a font of capitals 7 pixels tall and 4 wide, DejaVu Sans draws at 9 pixels: a drawn letter
// keeps the strokes the drawing has there, however narrow the font's M.
TEST(AddLettersTest, ADrawnLetterKeepsItsStrokesAtSmallSizes) {
    Charset font;
    font.NewCharset(2);
    font.SetFontHeight(10);
    font.SetNumChars(256);
    const std::map<char32_t, Art> letters = {
        {U'H', {"#..#.", "#..#.", "#..#.", "####.", "#..#.", "#..#.", "#..#."}},
        {U'M', {"#..#.", "####.", "####.", "#..#.", "#..#.", "#..#.", "#..#."}},
        {U'x', {"......", "......", "#...#.", ".#.#..", "..#...", ".#.#..", "#...#."}},
        {U'm', {"......", "......", "##.#..", "#.#.#.", "#.#.#.", "#.#.#.", "#...#."}},
        {U'l', {".##...", "..#...", "..#...", "..#...", "..#...", "..#...", ".###.."}},
    };
    for (const auto& [letter, art] : letters) {
        Draw(font, static_cast<int>(letter), art, 1);
    }
    const LetterDrawer drawer(font, CodePage(), MakeDrawingFont({u"DejaVu Sans"_s, 9, 0, {}}),
                              GenerationStyle::Normal);
    ASSERT_EQ(drawer.Description(), u"DejaVu Sans at 9 px"_s);
    // The rows three strokes cross in the drawing: ж's arms above and below its waist, Ф's bowl
    // round its stem, Щ's three stems.
    for (const auto& [letter, threeStrokeRows] : {std::pair{U'ж', 3}, {U'Ф', 3}, {U'Щ', 6}}) {
        const std::optional<Glyph> drawn = drawer.Draw(letter);
        ASSERT_TRUE(drawn);
        std::map<int, std::string> rows;
        for (const auto& [x, y, index] : InkOf(font, *drawn)) {
            rows[y].resize(std::size_t(x) + 1, '.');
            rows[y][std::size_t(x)] = '#';
        }
        int crossed = 0;
        for (const auto& [y, row] : rows) {
            int strokes = 0;
            for (std::size_t x = 0; x < row.size(); ++x) {
                strokes += row[x] == '#' && (x == 0 || row[x - 1] != '#') ? 1 : 0;
            }
            crossed += strokes == 3 ? 1 : 0;
        }
        EXPECT_GE(crossed, threeStrokeRows) << QString::fromUcs4(&letter, 1).toStdString();
    }
}

} // namespace
} // namespace fontlathe::test
