#include "document/GameFontEntry.h"
#include "render/TextPreview.h"
#include "support/AppFixture.h"
#include "support/BundleBuilder.h"

#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class GameFontWindowTest : public AppFixture {
protected:
    // Font 1 (1 bit per pixel) in room 1 with a script after it, font 2 (2 bits) in room 2.
    void SetUp() override {
        AppFixture::SetUp();
        BundleBuilder builder(6);
        builder.Room(1).Font(1, SampleFontBlock(1, 20, 1)).Add("SCRP", 1, 30);
        builder.Room(2).Font(2, SampleFontBlock(2, 12, 2));
        built_ = builder.Build();
        data_ = WriteBundleFiles(PathOf(QString()), u"GAME"_s, 6, built_).chopped(1) + u'1';
        WriteFile(u"BAD.000"_s, built_.index);
        WriteFile(u"BAD.001"_s, built_.data.chopped(5));
        WriteBundleFiles(PathOf(QString()), u"NONE"_s, 7, BundleBuilder(7).Room(1).Build());
    }
    QString Title() { return window().windowTitle().remove(u"Fontlathe 1.00 - "_s); }
    void OpenFromMenu(const QString& path, std::optional<int> row) {
        environment_.openAnswers.push_back(path);
        environment_.gameFontAnswers.push_back(row);
        dispatcher().MenuCommand(Menu::OpenGameFont);
    }
    QString LastMessage() {
        return environment_.messages.empty() ? QString() : environment_.messages.back().text;
    }

    BuiltBundle built_;
    QString data_;
};

TEST_F(GameFontWindowTest, OpensFromTheListSavesBackReopensSavesAsAndComesBackFromRecent) {
    Start();
    OpenFromMenu(PathOf(u"GAME.000"_s), 1);
    Charset font2;
    ASSERT_TRUE(DecodeCharset(SampleFontBlock(2, 12, 2), font2).ok());
    EXPECT_EQ(environment_.gameFontRequests.at(0).value(1),
              QString(u"2 2 2 %1 %2"_s).arg(font2.fontHeight()).arg(font2.numChars()).split(u' '));
    ASSERT_EQ(environment_.gameFontSamples.size(), environment_.gameFontRequests.at(0).size());
    EXPECT_EQ(environment_.gameFontSamples.at(1),
              RenderPreview(font2, u"The quick brown fox jumps over the lazy dog."_s, 1,
                            environment_.gameFontSamples.at(1).size()))
        << "each font's row shows the sample text drawn in it";
    EXPECT_EQ(Title(), u"GAME.001, font 2"_s);
    EXPECT_EQ(set().bitsPerPixel(), 2);
    dispatcher().ChooseCodePage(u"cp437"_s);

    int code = 0;
    for (; set().GlyphAt(code) != nullptr; ++code) {
    }
    ClickRow(code);
    Click(Control::OnButton);
    EXPECT_EQ(Title(), u"GAME.001, font 2 *"_s);
    dispatcher().MenuCommand(Menu::Save);
    EXPECT_TRUE(LastMessage().contains(u".orig"_s)) << LastMessage().toStdString();
    EXPECT_EQ(ReadFile(u"GAME.001.orig"_s), built_.data);
    EXPECT_EQ(ReadFile(u"GAME.000.orig"_s), built_.index);
    Charset saved;
    GameFont font;
    ASSERT_TRUE(GameFont::Load(data_, 2, saved, font).ok());
    EXPECT_NE(saved.GlyphAt(code), nullptr);
    EXPECT_EQ(Title(), u"GAME.001, font 2"_s);

    // A damaged bundle is told, file and offset, and changes nothing.
    Click(Control::OffButton);
    OpenFromMenu(PathOf(u"BAD.001"_s), 0);
    EXPECT_TRUE(LastMessage().startsWith(
        u"Could not open \"%1\".\n\nOffset 0"_s.arg(PathOf(u"BAD.001"_s))));
    EXPECT_EQ(Title(), u"GAME.001, font 2 *"_s);
    EXPECT_EQ(set().GlyphAt(code), nullptr);
    dispatcher().MenuCommand(Menu::Reopen);
    EXPECT_EQ(environment_.questions.value(1),
              u"Discard the changes to GAME.001, font 2 and read it again?"_s);
    EXPECT_NE(set().GlyphAt(code), nullptr);

    environment_.saveAnswers.push_back(PathOf(u"copy"_s));
    dispatcher().MenuCommand(Menu::SaveAs);
    EXPECT_EQ(environment_.saveRequests.at(0).startPath, PathOf(u"GAME-font2.char"_s));
    EXPECT_EQ(Title(), PathOf(u"copy.char"_s));
    EXPECT_FALSE(document().gameFont().has_value());

    // The font comes back from Open Recent with the page chosen for it.
    dispatcher().ChooseCodePage(u"cp850"_s);
    QAction* entry = window().recentMenu()->actions().at(1);
    EXPECT_EQ(entry->data().toString(), (GameFontEntry{data_, 2}.Text()));
    EXPECT_TRUE(entry->text().startsWith(u"GAME.001, font 2  ("_s));
    entry->trigger();
    EXPECT_EQ(Title(), u"GAME.001, font 2"_s);
    EXPECT_EQ(document().codePage().name(), u"cp437"_s);
    // Another font of the bundle has a page of its own: never opened, it starts with latin1.
    OpenFromMenu(data_, 0);
    EXPECT_EQ(Title(), u"GAME.001, font 1"_s);
    EXPECT_EQ(document().codePage().name(), u"latin1"_s);
}

// Each start-up names a bundle; then the title and what a message says. A refused bundle or a
// missing font starts a new set.
TEST_F(GameFontWindowTest, StartsWithTheFontNamedOrTheListOrSaysWhy) {
    const std::tuple<QStringList, QString, QString> cases[] = {
        {{u"--font"_s, u"2"_s, data_}, u"GAME.001, font 2"_s, QString()},
        {{u"GAME.000"_s}, u"GAME.001, font 1"_s, QString()}, // the list, answered with row 0
        {{data_, u"--font"_s, u"3"_s}, u"new.char"_s, u"has fonts 1 to 2; there is no font 3"_s},
        {{u"GAME.txt"_s, u"--font"_s, u"1"_s}, u"new.char"_s, u"is no file of a game bundle"_s},
        {{u"NONE.LA0"_s}, u"new.char"_s, u"NONE.LA1 holds no font"_s},
        {{u"01.LFL"_s}, u"new.char"_s, u"version 3 or 4 game"_s},
    };
    for (const auto& [arguments, title, says] : cases) {
        environment_.messages.clear();
        environment_.gameFontAnswers = {0};
        Start(arguments);
        EXPECT_EQ(Title(), title);
        EXPECT_EQ(environment_.messages.size(), says.isEmpty() ? 0u : 1u) << title.toStdString();
        EXPECT_TRUE(LastMessage().contains(says)) << LastMessage().toStdString();
    }
}

} // namespace
} // namespace fontlathe::test
