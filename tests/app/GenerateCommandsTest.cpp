#include "charset/CharCodec.h"
#include "cli/CliApp.h"
#include "editor/CharTableView.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QFile>
#include <QTest>

namespace fontlathe::test {
namespace {

class GenerateCommandsTest : public AppFixture {};

TEST_F(GenerateCommandsTest, CancelChangesNothingButStillRefreshes) {
    Start();
    set().CreateBlankGlyph(65); // behind the views' back
    dispatcher().MenuCommand(Menu::GenerateNormal);
    ASSERT_EQ(environment_.fontRequests.size(), 1u);
    EXPECT_EQ(environment_.fontRequests[0].family, QStringLiteral("Arial"));
    EXPECT_EQ(environment_.fontRequests[0].pointSize, 10);
    EXPECT_FALSE(environment_.fontRequests[0].bold);
    EXPECT_FALSE(environment_.fontRequests[0].underline);
    EXPECT_EQ(set().PresentGlyphCount(), 1);
    EXPECT_EQ(window().charList()->charModel()->Text(65, CharTableModel::WidthColumn),
              QStringLiteral("10"))
        << "the views are refreshed after a cancel";
    EXPECT_EQ(Text(Control::CharsFrame),
              QStringLiteral("Preferences of 1 chars (x) = not stored!"));
    QTest::keyClick(&window(), Qt::Key_3, Qt::ControlModifier);
    ASSERT_EQ(environment_.fontRequests.size(), 2u);
    EXPECT_EQ(environment_.fontRequests[1].family, QStringLiteral("Arial"));
    EXPECT_EQ(state().generationFont, GenerationFont{});
}

TEST_F(GenerateCommandsTest, AConfirmedChoiceIsRememberedAndDrawn) {
    Start({QStringLiteral("kept")});
    environment_.fontAnswers.push_back({QStringLiteral("DejaVu Sans"), 10.5, true, true, true});
    dispatcher().MenuCommand(Menu::GenerateShadowed);
    EXPECT_EQ(state().generationFont.familyName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(state().generationFont.size, 10);
    EXPECT_EQ(state().generationFont.styleFlags, 7);
    EXPECT_EQ(set().bitsPerPixel, 2);
    EXPECT_GT(set().PresentGlyphCount(), 150);
    EXPECT_EQ(state().fileType.path(), QStringLiteral("kept.char")) << "the path stays";
    EXPECT_EQ(Text(Control::BitsLabel), QStringLiteral("Bits: 2 (Colors: 4)"));
    EXPECT_EQ(Text(Control::HeightField), QString::number(set().fontHeight));
    EXPECT_TRUE(environment_.messages.empty());

    // The next run preselects the choice, but not its underline.
    dispatcher().MenuCommand(Menu::GenerateNormal);
    ASSERT_EQ(environment_.fontRequests.size(), 2u);
    EXPECT_EQ(environment_.fontRequests[1].family, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(environment_.fontRequests[1].pointSize, 10);
    EXPECT_TRUE(environment_.fontRequests[1].bold);
    EXPECT_TRUE(environment_.fontRequests[1].italic);
    EXPECT_FALSE(environment_.fontRequests[1].underline);
    EXPECT_EQ(set().bitsPerPixel, 2) << "cancelled";
}

TEST_F(GenerateCommandsTest, TooLargeASizeIsRefusedWithAMessage) {
    Start();
    SetGlyph(set(), 65, 3, 3, [](int, int) { return 1; });
    environment_.fontAnswers.push_back({QStringLiteral("DejaVu Sans"), 150, false, false, false});
    dispatcher().MenuCommand(Menu::GenerateOutlined);
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].error);
    EXPECT_TRUE(environment_.messages[0].text.contains(QStringLiteral("127")));
    EXPECT_EQ(set().PresentGlyphCount(), 1);
    EXPECT_EQ(set().bitsPerPixel, 1);
    EXPECT_EQ(state().generationFont.size, 150) << "the choice itself was confirmed";
}

TEST_F(GenerateCommandsTest, CommandLineRunEqualsTheWindowsRun) {
    Start();
    environment_.fontAnswers.push_back({QStringLiteral("Liberation Sans"), 13, true, false, false});
    dispatcher().MenuCommand(Menu::GenerateOutlined);
    environment_.saveAnswers.push_back(PathOf(QStringLiteral("window.char")));
    dispatcher().MenuCommand(Menu::SaveAs);

    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    ASSERT_EQ(
        RunCli({QStringLiteral("generate"), QStringLiteral("--family"),
                QStringLiteral("Liberation Sans"), QStringLiteral("--size"), QStringLiteral("13"),
                QStringLiteral("--bold"), QStringLiteral("--style"), QStringLiteral("outlined"),
                QStringLiteral("-o"), PathOf(QStringLiteral("cli.char"))},
               outStream, errStream),
        0)
        << err.toStdString();
    const QByteArray cli = ReadFile(QStringLiteral("cli.char"));
    EXPECT_GT(cli.size(), 2000);
    EXPECT_EQ(cli, ReadFile(QStringLiteral("window.char")));

    EXPECT_EQ(RunCli({QStringLiteral("generate"), QStringLiteral("--family"), QStringLiteral("X"),
                      QStringLiteral("--size"), QStringLiteral("12"), QStringLiteral("--style"),
                      QStringLiteral("bold"), QStringLiteral("-o"), QStringLiteral("y.char")},
                     outStream, errStream),
              2);
    EXPECT_EQ(
        RunCli({QStringLiteral("generate"), QStringLiteral("--family"),
                QStringLiteral("DejaVu Sans"), QStringLiteral("--size"), QStringLiteral("300"),
                QStringLiteral("-o"), PathOf(QStringLiteral("big.char"))},
               outStream, errStream),
        1);
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("big.char"))));
}

} // namespace
} // namespace fontlathe::test
