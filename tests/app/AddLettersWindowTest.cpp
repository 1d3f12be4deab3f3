#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"
#include "letters/AddLetters.h"
#include "letters/LetterTables.h"
#include "support/AppFixture.h"
#include "support/BundleBuilder.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

const QString Polish = u"Zażółć gęślą jaźń"_s;

class AddLettersWindowTest : public AppFixture {
protected:
    const LetterReport::Row* RowOf(const LetterReport& preview, const QString& letter) {
        for (const LetterReport::Row& row : preview.rows) {
            if (row.letter == letter) {
                return &row;
            }
        }
        ADD_FAILURE() << "no row for " << letter.toStdString();
        return nullptr;
    }
};

TEST_F(AddLettersWindowTest, ShowsThePlanThenAddsThePolishLettersAsOneStep) {
    Charset latin1;
    ASSERT_TRUE(
        GenerateCharset(latin1, MakeDrawingFont({u"DejaVu Sans"_s, 14, 0}), GenerationStyle::Normal)
            .ok());
    WriteSet(u"font.char"_s, latin1);
    Start({u"font.char"_s});
    const Charset before = set();
    window().previewText()->setPlainText(Polish);

    // Cancel: the dialog opened on the sample text and the font's own page; nothing changes.
    dispatcher().MenuCommand(Menu::AddLetters);
    ASSERT_EQ(environment_.addLettersRequests.size(), 1u);
    EXPECT_EQ(environment_.addLettersRequests[0].text, Polish);
    EXPECT_EQ(environment_.addLettersRequests[0].toPage, u"latin1"_s);
    ExpectSameSet(set(), before, "after Cancel");
    EXPECT_EQ(dispatcher().history().StepCount(), 0u);

    environment_.addLettersAnswers.push_back(
        {u"cp1250"_s, WantedLetters::OfText, Polish, std::nullopt, GenerationStyle::Normal});
    dispatcher().MenuCommand(Menu::AddLetters);
    ASSERT_EQ(environment_.addLettersPreviews.size(), 3u);
    const LetterReport& shown = environment_.addLettersPreviews.back();
    EXPECT_EQ(shown.rows.size(), 15u) << "each letter of the sentence once, the space too";
    // code, letter, how it begins; ó keeps Latin-1's glyph, ł and ą are made of the font's l, a.
    const std::tuple<QString, QString, QString> expected[] = {
        {u"0x5A"_s, u"Z"_s, u"kept"_s},
        {u"0xF3"_s, u"ó"_s, u"kept"_s},
        {u"0xB3"_s, u"ł"_s, u"composed from l"_s},
        {u"0xB9"_s, u"ą"_s, u"composed from a"_s},
        {u"0x9C"_s, u"ś"_s, u"composed from s"_s},
        {u"0xBF"_s, u"ż"_s, u"composed from z"_s},
    };
    for (const auto& [code, letter, how] : expected) {
        const LetterReport::Row* row = RowOf(shown, letter);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->code, code) << letter.toStdString();
        EXPECT_TRUE(row->how.startsWith(how)) << row->how.toStdString();
        const Glyph* glyph = set().GlyphAt(row->code.toInt(nullptr, 16));
        ASSERT_NE(glyph, nullptr) << letter.toStdString();
        if (how == u"kept"_s) {
            EXPECT_TRUE(row->glyph.isNull()) << letter.toStdString();
        } else {
            EXPECT_EQ(row->glyph, glyph->raster) << "the set has the glyph the dialog showed";
        }
    }
    EXPECT_EQ(document().codePage().name(), u"cp1250"_s);
    EXPECT_EQ(Text(Control::CodePageLabel), u"Code Page: cp1250"_s);
    EXPECT_EQ(dispatcher().history().StepCount(), 1u);
    EXPECT_EQ(window().menuAction(Menu::Undo)->text(), u"Undo Add Letters"_s);

    dispatcher().MenuCommand(Menu::Undo);
    ExpectSameSet(set(), before, "after Undo");
    EXPECT_EQ(Text(Control::CodePageLabel), u"Code Page: latin1"_s)
        << "the glyphs and the page they were drawn for come back together";
    dispatcher().MenuCommand(Menu::Redo);
    EXPECT_EQ(Text(Control::CodePageLabel), u"Code Page: cp1250"_s);

    // A style chosen over the font's own is offered again for this font.
    environment_.addLettersAnswers.push_back(
        {u"cp1250"_s, WantedLetters::OfText, u"ę"_s, std::nullopt, GenerationStyle::Outlined});
    dispatcher().MenuCommand(Menu::AddLetters);
    dispatcher().MenuCommand(Menu::AddLetters);
    EXPECT_EQ(environment_.addLettersRequests.back().style, GenerationStyle::Outlined);
}

// Generate on a font of a game's bundle asks first, naming the game's glyphs it will not draw
// again: those outside the printable ASCII codes, space to tilde. On a font file it asks nothing.
// A font never given a page is read through the page its glyphs show, which the dialog marks; the
// font's page is not remembered until the user chooses one or adds letters.
TEST_F(AddLettersWindowTest, TheDrawnForPageStartsAtThePageTheGlyphsShow) {
    Charset font;
    const DrawingSource dejaVu = MakeDrawingFont({u"DejaVu Sans"_s, 14, 0});
    ASSERT_TRUE(GenerateCharset(font, dejaVu, GenerationStyle::Normal).ok());
    AddLettersRequest russian;
    russian.toPage = *CodePage::Standard(u"cp1251"_s);
    russian.letters = EveryLetterOf(russian.toPage);
    russian.drawWith = dejaVu;
    ApplyAddLetters(PlanAddLetters(font, russian), font);
    WriteSet(u"ru.char"_s, font);
    Start({u"ru.char"_s});

    dispatcher().MenuCommand(Menu::AddLetters);
    ASSERT_EQ(environment_.addLettersRequests.size(), 1u);
    EXPECT_EQ(environment_.addLettersRequests[0].fromPage, u"cp1251"_s);
    EXPECT_TRUE(environment_.addLettersRequests[0].fromPageFound);
    EXPECT_EQ(QDir(environment_.addLettersRequests[0].folder), QDir(PathOf(QString())));
    EXPECT_FALSE(document().CodePageKnown()) << "Cancel remembers nothing";
    EXPECT_EQ(document().codePage().name(), u"latin1"_s);

    ASSERT_TRUE(document().ChooseCodePage(u"cp1251"_s));
    dispatcher().MenuCommand(Menu::AddLetters);
    EXPECT_EQ(environment_.addLettersRequests.back().fromPage, u"cp1251"_s);
    EXPECT_FALSE(environment_.addLettersRequests.back().fromPageFound) << "chosen, not found";

    // Reserved letters moved: OK asks where to save the page with the moves, which becomes the
    // font's page; Cancel there changes nothing.
    AddLettersChoices move{u"cp1251"_s, WantedLetters::OfText, u"юя"_s, std::nullopt,
                           GenerationStyle::Normal};
    move.fromPage = u"cp1251"_s;
    move.moveReserved = true;
    environment_.addLettersAnswers = {move, move};
    environment_.saveAnswers = {QString(), PathOf(u"moved.txt"_s)};
    dispatcher().MenuCommand(Menu::AddLetters);
    EXPECT_EQ(dispatcher().history().StepCount(), 0u);
    EXPECT_TRUE(RowOf(environment_.addLettersPreviews.back(), u"я"_s)
                    ->how.endsWith(u"(at 0x81: 0xFF is reserved)"_s));
    dispatcher().MenuCommand(Menu::AddLetters);
    EXPECT_EQ(dispatcher().history().StepCount(), 1u);
    EXPECT_EQ(QFileInfo(document().codePage().name()), QFileInfo(PathOf(u"moved.txt"_s)));
    EXPECT_EQ(document().codePage().CodeOf(U'я'), 0x81);
    EXPECT_NE(set().GlyphAt(0x81), nullptr);
}

TEST_F(AddLettersWindowTest, GenerateOnAGameFontAsksFirst) {
    Charset game;
    game.NewCharset(1);
    for (const int code : {1, 2, 31, 32, 65, 126, 127, 128, 129, 140, 0xFE}) {
        SetGlyph(game, code, 2, 3, [](int x, int y) { return (x + y) % 2; });
    }
    BundleBuilder builder(7);
    builder.Room(1).Font(1, Encoded(game));
    WriteBundleFiles(PathOf(QString()), u"GAME"_s, 7, builder.Build());
    WriteSet(u"font.char"_s, game);
    const QString question =
        u"Generate replaces every glyph of font 1 and its colour map; the game's own glyphs at "
        "codes 1, 2, 31, 127 to 129, 140, 254 will be lost."_s;
    const FontChoice dejaVu{u"DejaVu Sans"_s, 12};

    struct Case {
        std::optional<GenerateOverGameFontAnswer> answer; // nothing: a font file
        QStringList asked;
        std::size_t fontRequests, dialogs;
        std::optional<QString> step;
    };
    using enum GenerateOverGameFontAnswer;
    const Case cases[] = {
        {Replace, {question}, 1, 0, u"Undo Generate Normal"_s},
        {AddLettersInstead, {question}, 0, 1, u"Undo Add Letters"_s},
        {Cancel, {question}, 0, 0, std::nullopt},
        {std::nullopt, {}, 1, 0, u"Undo Generate Normal"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer ? int(*c.answer) : -1);
        environment_.questions.clear();
        environment_.fontRequests.clear();
        environment_.addLettersRequests.clear();
        environment_.addLettersAnswers.clear();
        environment_.fontAnswers = {dejaVu};
        if (c.answer) {
            environment_.generateAnswers.push_back(*c.answer);
            // cp1251 puts ю at 0xFE, which the text of version 7 may use, and я at 0xFF.
            environment_.addLettersAnswers.push_back(
                {u"cp1251"_s, WantedLetters::OfText, u"юя"_s, dejaVu, GenerationStyle::Normal});
            Start({PathOf(u"GAME.LA1"_s), u"--font"_s, u"1"_s});
        } else {
            Start({u"font.char"_s});
        }
        dispatcher().MenuCommand(Menu::GenerateNormal);
        EXPECT_EQ(environment_.questions, c.asked);
        EXPECT_EQ(environment_.fontRequests.size(), c.fontRequests);
        EXPECT_EQ(environment_.addLettersRequests.size(), c.dialogs);
        if (c.dialogs > 0) {
            const LetterReport& shown = environment_.addLettersPreviews.back();
            // ю is built by a recipe: Ю, an O joined to a stem, made small.
            EXPECT_EQ(RowOf(shown, u"ю"_s)->how, u"Ю made small"_s) << "0xFE is free in 7";
            EXPECT_TRUE(RowOf(shown, u"я"_s)->how.startsWith(u"reserved"_s));
        }
        EXPECT_EQ(dispatcher().history().StepCount(), c.step ? 1u : 0u);
        if (c.step) {
            EXPECT_EQ(window().menuAction(Menu::Undo)->text(), *c.step);
        }
        app_.reset();
    }
}

} // namespace
} // namespace fontlathe::test
