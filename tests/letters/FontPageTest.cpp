#include "charset/CharCodec.h"
#include "charset/DisplayColors.h"
#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"
#include "letters/AddLetters.h"
#include "letters/FontPageFinding.h"
#include "letters/LetterTables.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

QByteArray BytesOf(const Charset& font) {
    EncodedBlock encoded;
    EXPECT_TRUE(EncodeCharset(font, DirtyBytes::Off, encoded).ok());
    return encoded.bytes;
}

std::vector<char32_t> LettersOf(const QString& text) {
    std::vector<char32_t> letters;
    for (const uint letter : text.toUcs4()) {
        letters.push_back(letter);
    }
    return letters;
}

// A Latin-1 font drawn with DejaVu Sans, extended by Add Letters for a page (all of its letters,
// or those of a text) and run again as a translator's second pass would: the page its glyphs show
// is found, and the second run with the same letters keeps every one and writes the same bytes.
TEST(FontPageTest, TheFontsPageIsFoundFromItsGlyphsAndASecondRunChangesNothing) {
    Charset latin;
    latin.NewCharset(1);
    const DrawingSource dejaVu = MakeDrawingFont({u"DejaVu Sans"_s, 13, 0, {}});
    ASSERT_TRUE(GenerateCharset(latin, dejaVu, GenerationStyle::Normal, CodePage(), nullptr).ok());
    const struct {
        const char* page;
        const char* text; // empty for every letter of the page
        const char* found;
        bool clearly;
    } cases[] = {
        {"latin1", "", "latin1", false},
        {"cp1250", "", "cp1250", true},
        {"cp1251", "", "cp1251", true},
        {"cp1253", "", "cp1253", true},
        {"cp1250", "Zażółć gęślą jaźń", "latin1", false},
        {"cp1251", "Съешь же ещё этих мягких французских булок", "latin1", false},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.page);
        SCOPED_TRACE((name + u' ' + QString::fromUtf8(c.text)).toStdString());
        AddLettersRequest request;
        request.toPage = *CodePage::Standard(name);
        request.letters =
            *c.text == 0 ? EveryLetterOf(request.toPage) : LettersOf(QString::fromUtf8(c.text));
        request.drawWith = dejaVu;
        Charset font = latin;
        ApplyAddLetters(PlanAddLetters(font, request), font);

        const FoundPage found = FindFontPage(font, std::nullopt);
        EXPECT_EQ(found.page.name(), QString::fromLatin1(c.found));
        if (c.clearly) {
            EXPECT_TRUE(found.found);
            EXPECT_GE(found.agreeing * 100, found.letters * 75)
                << found.Description().toStdString();
        }
        // The second pass, on the page found, without a face to draw with.
        AddLettersRequest again = request;
        again.fromPage = found.page;
        again.drawWith.reset();
        const AddLettersPlan second = PlanAddLetters(font, again);
        for (const LetterRow& row : second.rows) {
            EXPECT_FALSE(row.glyph.present()) << row.code << ": " << row.detail.toStdString();
        }
        EXPECT_GE(second.Count(LetterSource::Kept), int(second.rows.size()) * 9 / 10);
        EXPECT_TRUE(second.lost.empty());
        Charset twice = font;
        ApplyAddLetters(second, twice);
        EXPECT_EQ(BytesOf(twice), BytesOf(font));
    }
}

// A touched-up letter is kept; a glyph that shows the font's own letter is not taken for a new
// one within two pixels of it (À is not А).
TEST(FontPageTest, ACodeKeepsItsLetterButNotAnotherThatLooksLikeIt) {
    Charset latin;
    latin.NewCharset(1);
    const DrawingSource dejaVu = MakeDrawingFont({u"DejaVu Sans"_s, 13, 0, {}});
    ASSERT_TRUE(GenerateCharset(latin, dejaVu, GenerationStyle::Normal, CodePage(), nullptr).ok());
    AddLettersRequest request;
    request.toPage = *CodePage::Standard(u"cp1250"_s);
    request.letters = LettersOf(u"ą"_s);
    Charset font = latin;
    ApplyAddLetters(PlanAddLetters(font, request), font);
    // One pixel of ą touched up.
    Glyph* touched = font.SlotAt(request.toPage.CodeOf(U'ą'));
    const bool ink = touched->raster.pixel(0, 0) != DisplayColors[0];
    touched->raster.setPixel(0, 0, DisplayColors[ink ? 0 : 1]);
    EXPECT_EQ(PlanAddLetters(font, request).rows.at(0).source, LetterSource::Kept);

    // А at À's code: À differs from A by its grave alone.
    AddLettersRequest cyrillic;
    cyrillic.toPage = *CodePage::Standard(u"cp1251"_s);
    cyrillic.letters = LettersOf(u"А"_s);
    EXPECT_EQ(PlanAddLetters(latin, cyrillic).rows.at(0).source, LetterSource::Borrowed);
}

} // namespace
} // namespace fontlathe::test
