#include "letters/AddLetters.h"
#include "charset/DisplayColors.h"
#include "generate/DrawingFont.h"
#include "support/SampleSets.h"
#include "text/CodePage.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <tuple>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

using Art = std::vector<const char*>;

// '#' is index 3, the letters' colour, '+' index 1 and '*' index 2.
void Draw(Charset& set, int code, const Art& rows, int yOffset = 0) {
    const std::string inks = ".+*#";
    SetGlyph(
        set, code, static_cast<int>(std::string_view(rows[0]).size()),
        static_cast<int>(rows.size()),
        [&](int x, int y) { return static_cast<int>(inks.find(rows[std::size_t(y)][x])); }, 0,
        yOffset);
}

// Small letters fill the 12-row line from its top; capitals are cut to their ink two rows down.
const Art E = {"......", "......", "......", "......", ".###..", "#...#.",
               "#####.", "#.....", "#...#.", ".###..", "......", "......"};
const Art AcuteOfE = {"..#", "##."}; // as é carries it, on rows 1 and 2 from column 1
const Art SpacingAcute = {".#", "#."};
const Art SpacingCedilla = {".#.", "..#", "##."};

Art WithMark(const Art& letter, const Art& mark, int left, int top) {
    std::vector<std::string> rows(letter.begin(), letter.end());
    for (std::size_t y = 0; y < mark.size(); ++y) {
        for (std::size_t x = 0; mark[y][x] != 0; ++x) {
            if (mark[y][x] != '.') {
                rows[top + y][left + x] = mark[y][x];
            }
        }
    }
    static std::deque<std::vector<std::string>> kept;
    kept.push_back(rows);
    Art art;
    for (const std::string& row : kept.back()) {
        art.push_back(row.c_str());
    }
    return art;
}

Charset LatinFont() {
    Charset set;
    set.NewCharset(2);
    set.fontHeight = 12;
    set.numChars = 256;
    set.version = 867;
    set.colorMap = {0, 9, 14, 7, 1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13};
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
    Draw(set, U'A',
         {"..##...", ".#..#..", "#....#.", "#....#.", "#++++#.", "#....#.", "#....#.", "#....#."},
         2);
    Draw(set, U'S',
         {".####..", "#....#.", "#......", ".####..", ".....#.", ".....#.", "#....#.", ".####.."},
         2);
    Draw(set, U'H',
         {"#....#.", "#....#.", "#....#.", "######.", "#....#.", "#....#.", "#....#.", "#....#."},
         2);
    Draw(set, 0xE9, WithMark(E, AcuteOfE, 1, 1));                                         // é
    Draw(set, 0xEA, WithMark(E, {".#.", "#.#"}, 1, 1));                                   // ê
    Draw(set, 0xB4, WithMark({"....", "....", "....", "...."}, SpacingAcute, 1, 1));      // ´
    Draw(set, 0xB8, WithMark({"....", "....", "....", "...."}, SpacingCedilla, 0, 0), 9); // ¸
    return set;
}

// A glyph's ink as the line places it: (x, y, palette index) of every pixel that is not 0.
using Ink = std::set<std::tuple<int, int, int>>;
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

// How each case expects a composed letter's mark: the art and place of the font's own mark, or,
// for a built-in mark or a stroke, only where it may lie.
enum class Mark { None, OwnAbove, OwnBelow, BuiltInAbove, BuiltInBelowRight, Stroke };

struct Case {
    const char* page;
    char32_t letter;
    LetterSource source;
    const char* detail; // a pattern
    char32_t from;      // the letter whose glyph it is built from
    Mark mark;
    Art markArt;
};

const std::vector<Case> Cases = {
    {"cp1250", U'a', LetterSource::Kept, "^kept$", U'a', Mark::None, {}},
    {"cp1250", U'é', LetterSource::Kept, "^kept$", U'é', Mark::None, {}},
    {"cp1250", U'ś', LetterSource::Composed, "^composed from s \\+ the font's acute$", U's',
     Mark::OwnAbove, AcuteOfE},
    {"cp1250", U'Ś', LetterSource::Composed, "^composed from S \\+ the font's acute$", U'S',
     Mark::OwnAbove, AcuteOfE},
    {"cp1250", U'ź', LetterSource::Composed, "the font's acute$", U'z', Mark::OwnAbove, AcuteOfE},
    {"cp1250", U'ş', LetterSource::Composed, "^composed from s \\+ the font's ¸$", U's',
     Mark::OwnBelow, SpacingCedilla},
    {"cp1250",
     U'ż',
     LetterSource::Composed,
     "^composed from z \\+ a built-in dot above$",
     U'z',
     Mark::BuiltInAbove,
     {}},
    {"cp1250",
     U'ę',
     LetterSource::Composed,
     "a built-in ogonek$",
     U'e',
     Mark::BuiltInBelowRight,
     {}},
    {"cp1250",
     U'ą',
     LetterSource::Composed,
     "a built-in ogonek$",
     U'a',
     Mark::BuiltInBelowRight,
     {}},
    {"cp1250",
     U'ł',
     LetterSource::Composed,
     "^composed from l \\+ a stroke$",
     U'l',
     Mark::Stroke,
     {}},
    {"cp1250", U'Ł', LetterSource::Missing, "^missing: .*draw", 0, Mark::None, {}},
    {"cp1250", U'ţ', LetterSource::Reserved, "^reserved: .*0xFE", 0, Mark::None, {}},
    {"cp1250", U'@', LetterSource::Reserved, "^reserved: .*0x40", 0, Mark::None, {}},
    {"cp850", U'é', LetterSource::Moved, "^moved from 0xE9$", U'é', Mark::None, {}},
    {"cp1251", U'А', LetterSource::Borrowed, "^borrowed from A$", U'A', Mark::None, {}},
    {"cp1251", U'е', LetterSource::Borrowed, "^borrowed from e$", U'e', Mark::None, {}},
    {"cp1251", U'ѕ', LetterSource::Borrowed, "^borrowed from s$", U's', Mark::None, {}},
    {"cp1251",
     U'ё',
     LetterSource::Composed,
     "^composed from e \\+ a built-in diaeresis$",
     U'e',
     Mark::BuiltInAbove,
     {}},
    {"cp1251", U'я', LetterSource::Reserved, "^reserved: .*0xFF", 0, Mark::None, {}},
    {"cp1251", U'Б', LetterSource::Drawn, "^drawn with DejaVu Sans at \\d+ px$", 0, Mark::None, {}},
};

void ExpectMark(const Case& c, const Ink& base, const Ink& built, const std::string& what) {
    Ink extra;
    std::set_difference(built.begin(), built.end(), base.begin(), base.end(),
                        std::inserter(extra, extra.end()));
    ASSERT_TRUE(std::includes(built.begin(), built.end(), base.begin(), base.end())) << what;
    ASSERT_FALSE(extra.empty()) << what;
    const QRect ink = BoundsOf(base), mark = BoundsOf(extra);
    if (c.mark == Mark::OwnAbove || c.mark == Mark::OwnBelow) {
        // The mark exactly as the font has it, centred over or under the base's ink.
        const int width = static_cast<int>(std::string_view(c.markArt[0]).size());
        const int height = static_cast<int>(c.markArt.size());
        const QPoint at(ink.left() + (ink.width() - width) / 2,
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
        EXPECT_EQ(mark.top(), ink.bottom() + 1) << what;
        EXPECT_EQ(mark.right(), ink.right()) << what;
        return;
    } else {
        EXPECT_TRUE(mark.top() >= ink.top() && mark.bottom() <= ink.bottom()) << what;
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
        EXPECT_EQ(result.colorMap, font.colorMap);
        EXPECT_EQ(
            std::tie(result.tag, result.version, result.bitsPerPixel, result.fontHeight,
                     result.numChars),
            std::tie(font.tag, font.version, font.bitsPerPixel, font.fontHeight, font.numChars));
    }
}

TEST(AddLettersTest, TheStoredCountGrowsOnlyToTheLastNewLetterAndLaterVersionsMayUse0xFE) {
    Charset font = LatinFont();
    font.numChars = 132;
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
    EXPECT_EQ(result.numChars, plan.numChars);
}

// A mark above an i takes the place of its dot, a Cyrillic one's too: ї comes out as ï does.
TEST(AddLettersTest, AMarkAboveAnITakesThePlaceOfItsDot) {
    Charset font = LatinFont();
    Draw(font, U'i', {"..", ".#", "..", ".#", ".#", ".#", ".#", ".#", ".#", "..", "..", ".."});
    const auto glyphFor = [&font](const char* page, char32_t letter) {
        AddLettersRequest request;
        request.toPage = *CodePage::Standard(QString::fromLatin1(page));
        request.letters = {letter};
        const LetterRow row = PlanAddLetters(font, request).rows.at(0);
        EXPECT_EQ(row.source, LetterSource::Composed) << row.detail.toStdString();
        return row.glyph.raster;
    };
    EXPECT_EQ(glyphFor("cp1251", U'\u0457'), glyphFor("latin1", U'\u00EF'));
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
        {"cp1253", U'Γ', "^same as Г$", U'L', Expect::Turned},
        {"cp1251", U'Й', "^composed from И \\+ a built-in breve$", U'N',
         Expect::MirroredWithMarkAbove},
        {"cp1251", U'н', "^Н made small$", U'z', Expect::AsHighAsZ},
        {"cp1251", U'л', "^drawn with DejaVu Sans", U'z', Expect::AsHighAsZ},
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

} // namespace
} // namespace fontlathe::test
