#include "charset/CharCodec.h"
#include "cli/CliApp.h"
#include "editor/CharTableView.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class GenerateCommandsTest : public AppFixture {};

TEST_F(GenerateCommandsTest, CancelChangesNothingButStillRefreshes) {
    Start();
    set().CreateBlankGlyph(65); // behind the views' back
    dispatcher().MenuCommand(Menu::GenerateNormal);
    ASSERT_EQ(environment_.fontRequests.size(), 1u);
    EXPECT_EQ(environment_.fontRequests[0].family, u"Arial"_s);
    EXPECT_EQ(environment_.fontRequests[0].pointSize, 10);
    EXPECT_FALSE(environment_.fontRequests[0].bold);
    EXPECT_FALSE(environment_.fontRequests[0].underline);
    EXPECT_EQ(set().PresentGlyphCount(), 1);
    EXPECT_EQ(window().charList()->charModel()->Text(65, CharTableModel::WidthColumn), u"10"_s)
        << "the views are refreshed after a cancel";
    EXPECT_EQ(Text(Control::CharsFrame), u"Preferences of 1 chars (x) = not stored!"_s);
    QTest::keyClick(&window(), Qt::Key_3, Qt::ControlModifier);
    ASSERT_EQ(environment_.fontRequests.size(), 2u);
    EXPECT_EQ(environment_.fontRequests[1].family, u"Arial"_s);
    EXPECT_EQ(state().generationFont, GenerationFont{});

    // A size whose glyphs a file can't hold is refused with a message, the set unchanged.
    environment_.fontAnswers.push_back({u"DejaVu Sans"_s, 150, false, false, false});
    dispatcher().MenuCommand(Menu::GenerateOutlined);
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].text.contains(u"127"_s));
    EXPECT_EQ(set().PresentGlyphCount(), 1);
    EXPECT_EQ(set().bitsPerPixel, 1);
}

TEST_F(GenerateCommandsTest, AConfirmedChoiceIsRememberedAndDrawn) {
    Start({u"kept"_s});
    environment_.fontAnswers.push_back({u"DejaVu Sans"_s, 10.5, true, true, true});
    dispatcher().MenuCommand(Menu::GenerateShadowed);
    EXPECT_EQ(state().generationFont.familyName, u"DejaVu Sans"_s);
    EXPECT_EQ(state().generationFont.size, 10);
    EXPECT_EQ(state().generationFont.styleFlags, 7);
    EXPECT_EQ(set().bitsPerPixel, 2);
    EXPECT_GT(set().PresentGlyphCount(), 150);
    EXPECT_EQ(state().fileType.path(), u"kept.char"_s) << "the path stays";
    EXPECT_EQ(Text(Control::BitsLabel), u"Bits: 2 (Colors: 4)"_s);
    EXPECT_EQ(Text(Control::HeightField), QString::number(set().fontHeight));
    EXPECT_TRUE(environment_.messages.empty());

    // The next run preselects the choice, but not its underline.
    dispatcher().MenuCommand(Menu::GenerateNormal);
    ASSERT_EQ(environment_.fontRequests.size(), 2u);
    EXPECT_EQ(environment_.fontRequests[1].family, u"DejaVu Sans"_s);
    EXPECT_EQ(environment_.fontRequests[1].pointSize, 10);
    EXPECT_TRUE(environment_.fontRequests[1].bold);
    EXPECT_TRUE(environment_.fontRequests[1].italic);
    EXPECT_FALSE(environment_.fontRequests[1].underline);
    EXPECT_EQ(set().bitsPerPixel, 2) << "cancelled";
}

TEST_F(GenerateCommandsTest, CommandLineRunEqualsTheWindowsRun) {
    Start();
    environment_.fontAnswers.push_back({u"Liberation Sans"_s, 13, true, false, false});
    dispatcher().MenuCommand(Menu::GenerateOutlined);
    environment_.saveAnswers.push_back(PathOf(u"window.char"_s));
    dispatcher().MenuCommand(Menu::SaveAs);

    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    ASSERT_EQ(RunCli({u"generate"_s, u"--family"_s, u"Liberation Sans"_s, u"--size"_s, u"13"_s,
                      u"--bold"_s, u"--style"_s, u"outlined"_s, u"-o"_s, PathOf(u"cli.char"_s)},
                     outStream, errStream),
              0)
        << err.toStdString();
    const QByteArray cli = ReadFile(u"cli.char"_s);
    EXPECT_GT(cli.size(), 2000);
    EXPECT_EQ(cli, ReadFile(u"window.char"_s));

    EXPECT_EQ(RunCli({u"generate"_s, u"--family"_s, u"DejaVu Sans"_s, u"--size"_s, u"300"_s,
                      u"-o"_s, PathOf(u"big.char"_s)},
                     outStream, errStream),
              1);
    EXPECT_FALSE(QFile::exists(PathOf(u"big.char"_s)));
}

} // namespace
} // namespace fontlathe::test
