#include "cli/CliApp.h"
#include "editor/CharTableView.h"
#include "editor/ImageView.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class CliAppTest : public AppFixture {
protected:
    struct Run {
        int status;
        QString out, err;
    };
    Run Cli(const QStringList& args) {
        Run run;
        QTextStream out(&run.out), err(&run.err);
        run.status = RunCli(args, out, err);
        return run;
    }
};

TEST_F(CliAppTest, InfoNamesEveryCharacterAsTheTableDoesAndSpeaksJson) {
    const int codes[] = {0, 31, 32, 65, 127, 159, 160, 255};
    Charset font;
    font.NewCharset(2);
    font.version = -1;
    for (int code : codes) {
        SetGlyph(
            font, code, 4, 2, [](int x, int y) { return (x + y) % 4; }, -2, code % 4);
    }
    WriteSet(u"font.char"_s, font);
    Start({u"font.char"_s});
    const Run text = Cli({u"info"_s, PathOf(u"font.char"_s)});
    EXPECT_TRUE(text.out.contains(u"\nVersion:         -1\nColor map:       15 0 3"_s));
    for (int code : codes) {
        const QString shown =
            window().charList()->charModel()->Text(code, CharTableModel::CharColumn);
        EXPECT_TRUE(text.out.contains(
            u"\n%1  %2      4       2        -2 %3\n"_s.arg(code, 5).arg(shown, -4).arg(code % 4,
                                                                                        9)))
            << code << " is \"" << shown.toStdString() << "\" in the table\n"
            << text.out.toStdString();
    }
    const QJsonObject json =
        QJsonDocument::fromJson(Cli({u"info"_s, u"--json"_s, PathOf(u"font.char"_s)}).out.toUtf8())
            .object();
    EXPECT_EQ(json.keys().join(u' '),
              u"bitsPerPixel blockSize colorMap dataSize fontHeight glyphs numChars tag version"_s);
    EXPECT_EQ(json["blockSize"].toInt(), ReadFile(u"font.char"_s).size());
    EXPECT_EQ(json["glyphs"].toArray().last().toObject(),
              (QJsonObject{{"code", 255},
                           {"width", 4},
                           {"height", 2},
                           {"xOffset", -2},
                           {"yOffset", 3},
                           {"rows", QJsonArray{"0123", "1230"}}}));
    EXPECT_EQ(
        Cli({u"resave"_s, u"--dirty-bytes"_s, PathOf(u"font.char"_s), PathOf(u"d.char"_s)}).status,
        0);
    EXPECT_EQ(Cli({u"resave"_s, PathOf(u"d.char"_s), PathOf(u"same.char"_s)}).status, 0);
    EXPECT_EQ(ReadFile(u"same.char"_s), ReadFile(u"font.char"_s));
    EXPECT_EQ(ReadFile(u"d.char"_s).size(), ReadFile(u"font.char"_s).size() + 8);
}

TEST_F(CliAppTest, FailuresNameTheFileOnOneLineAndWriteNothing) {
    WriteFile(u"bad.char"_s, HandMadeHeader(3, 8, 2));
    WriteSet(u"good.char"_s, VariedSet(2, 9, 3));
    ASSERT_EQ(mkfifo(QFile::encodeName(PathOf(u"pipe.char"_s)).constData(), 0600), 0);
    // Neither a device nor a pipe is read: one never ends, the other blocks the open.
    const std::pair<QStringList, QString> failing[] = {
        {{u"info"_s, PathOf(u"bad.char"_s)}, PathOf(u"bad.char"_s)},
        {{u"info"_s, u"/dev/zero"_s}, u"/dev/zero"_s},
        {{u"info"_s, PathOf(u"pipe.char"_s)}, PathOf(u"pipe.char"_s)},
        {{u"resave"_s, PathOf(u"missing.char"_s), PathOf(u"x.char"_s)}, PathOf(u"missing.char"_s)},
        {{u"resave"_s, PathOf(u"good.char"_s), PathOf(u"."_s)}, PathOf(u"."_s)}};
    for (const auto& [args, blamed] : failing) {
        const Run run = Cli(args);
        EXPECT_EQ(run.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(u"fontlathe-cli: "_s + blamed + u": "_s) &&
                    run.err.count(u'\n') == 1)
            << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(PathOf(u"x.char"_s)));
}

TEST_F(CliAppTest, WrongArgumentsGiveOneLineAndHelpOnlyWhereAnOptionMayStand) {
    WriteSet(u"good.char"_s, VariedSet(2, 9, 3));
    const QString good = PathOf(u"good.char"_s);
    const QStringList wrong[] = {{u"paint"_s},
                                 {u"info"_s},
                                 {u"info"_s, u"--dirty-bytes"_s, good},
                                 {u"resave"_s, good},
                                 {u"render"_s, good, u"--zoom"_s, u"9"_s, u"-o"_s, u"z.png"_s},
                                 {u"render"_s, good, u"-o"_s}};
    for (const QStringList& args : wrong) {
        const Run run = Cli(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty() && run.err.count(u'\n') == 2 &&
                    run.err.endsWith(u"\nTry 'fontlathe-cli --help'.\n"_s))
            << run.err.toStdString();
    }
    EXPECT_TRUE(Cli({}).status == 2 && Cli({}).err.startsWith(u"Usage:"_s));
    for (const QStringList& args : {QStringList{u"-h"_s}, QStringList{u"info"_s, u"--help"_s}}) {
        const Run help = Cli(args);
        EXPECT_TRUE(help.status == 0 && help.out.startsWith(u"Usage:"_s) && help.err.isEmpty());
    }
    // A value that reads like the help option is still a value.
    const Run render = Cli({u"render"_s, good, u"--text"_s, u"-h"_s, u"-o"_s, PathOf(u"h.png"_s)});
    EXPECT_TRUE(render.status == 0 && render.out.isEmpty()) << render.err.toStdString();
    EXPECT_TRUE(QFile::exists(PathOf(u"h.png"_s)));
}

TEST_F(CliAppTest, GenerateAndRenderDrawWhatTheWindowDraws) {
    Charset font = VariedSet(2, 77, 60);
    for (int code = 'a'; code <= 'z'; ++code) {
        SetGlyph(
            font, code, 3 + code % 4, 5 + code % 3,
            [code](int x, int y) { return (x + y + code) % 4; }, code % 3 - 1, code % 2);
    }
    WriteSet(u"font.char"_s, font);
    Start({u"font.char"_s});
    const QString text = u"hello world\nzebra quiz"_s;
    window().SetTextIfChanged(Control::PreviewText, text);
    window().SetStateIfChanged(Control::PreviewZoomBar, 3);
    dispatcher().RenderPreview();
    EXPECT_EQ(Cli({u"render"_s, PathOf(u"font.char"_s), u"--text"_s, text, u"--zoom"_s, u"3"_s,
                   u"-o"_s, PathOf(u"out.png"_s)})
                  .status,
              0);
    EXPECT_TRUE(QImage(PathOf(u"out.png"_s)).convertToFormat(QImage::Format_RGB32) ==
                window().previewImage()->image().convertToFormat(QImage::Format_RGB32));

    environment_.fontAnswers.push_back({u"Liberation Sans"_s, 13, true, false, false});
    dispatcher().MenuCommand(Menu::GenerateOutlined);
    environment_.saveAnswers.push_back(PathOf(u"window.char"_s));
    dispatcher().MenuCommand(Menu::SaveAs);
    const Run run = Cli({u"generate"_s, u"--family"_s, u"Liberation Sans"_s, u"--size"_s, u"13"_s,
                         u"--bold"_s, u"--style"_s, u"outlined"_s, u"-o"_s, PathOf(u"cli.char"_s)});
    EXPECT_TRUE(run.status == 0 && run.err.isEmpty()) << "an installed family draws silently";
    EXPECT_GT(ReadFile(u"cli.char"_s).size(), 2000);
    EXPECT_EQ(ReadFile(u"cli.char"_s), ReadFile(u"window.char"_s));
    EXPECT_EQ(Cli({u"generate"_s, u"--family"_s, u"DejaVu Sans"_s, u"--size"_s, u"300"_s, u"-o"_s,
                   PathOf(u"big.char"_s)})
                  .status,
              1);
    EXPECT_FALSE(QFile::exists(PathOf(u"big.char"_s)));
    // A family that is not installed is drawn with another, and the user is told which.
    const Run fallback = Cli({u"generate"_s, u"--family"_s, u"No Such Family 123"_s, u"--size"_s,
                              u"12"_s, u"-o"_s, PathOf(u"fallback.char"_s)});
    const QRegularExpressionMatch told =
        QRegularExpression(u"^No Such Family 123 is not installed; drew with (.+)\n$"_s)
            .match(fallback.err);
    EXPECT_TRUE(fallback.status == 0 && told.hasMatch()) << fallback.err.toStdString();
    EXPECT_TRUE(QFontDatabase::families().contains(told.captured(1)));
    EXPECT_GT(ReadFile(u"fallback.char"_s).size(), 2000);
}

} // namespace
} // namespace fontlathe::test
