#include "cli/CliApp.h"
#include "editor/ImageView.h"
#include "support/AppFixture.h"

#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// The tool runs in the test's own folder, so names stand for files there.
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

TEST_F(CliAppTest, InfoNamesEveryCharacterAsTheTableDoesAndResaveWritesWhatItRead) {
    const int codes[] = {0, 31, 32, 65, 127, 159, 160, 255};
    Charset font;
    font.NewCharset(2);
    for (int code : codes) {
        SetGlyph(
            font, code, 4, 2, [](int x, int y) { return (x + y) % 4; }, -2, 3);
    }
    WriteSet(u"font.char"_s, font);
    Start({u"font.char"_s});
    const QString info = Cli({"info", "font.char"}).out;
    for (int code : codes) {
        const QString shown =
            window().charList()->charModel()->Text(code, CharTableModel::CharColumn);
        EXPECT_TRUE(info.contains(
            u"\n%1  %2      4       2        -2         3\n"_s.arg(code, 5).arg(shown, -4)))
            << code << " is \"" << shown.toStdString() << "\" in the table";
    }
    const QJsonObject json =
        QJsonDocument::fromJson(Cli({"info", "--json", "font.char"}).out.toUtf8()).object();
    EXPECT_EQ(json["blockSize"].toInt(), ReadFile(u"font.char"_s).size());
    EXPECT_EQ(
        QJsonDocument(json["glyphs"].toArray().last().toObject()).toJson(QJsonDocument::Compact),
        R"({"code":255,"height":2,"rows":["0123","1230"],"width":4,"xOffset":-2,"yOffset":3})");
    EXPECT_EQ(Cli({"resave", "--dirty-bytes", "font.char", "dirty.char"}).status, 0);
    EXPECT_EQ(Cli({"resave", "dirty.char", "clean.char"}).status, 0);
    EXPECT_EQ(ReadFile(u"clean.char"_s), ReadFile(u"font.char"_s));
    EXPECT_EQ(ReadFile(u"dirty.char"_s).size(), ReadFile(u"font.char"_s).size() + 8);
}

TEST_F(CliAppTest, FailuresNameTheFileOnOneLineAndWriteNothing) {
    WriteFile(u"bad.char"_s, HandMadeHeader(3, 8, 2));
    WriteSet(u"good.char"_s, VariedSet(2, 9, 3));
    ASSERT_EQ(mkfifo("pipe.char", 0600), 0);
    // Neither a device nor a pipe is read: one never ends, the other blocks the open.
    const QString failing[] = {"info bad.char", "info /dev/zero", "info pipe.char",
                               "info missing.char", "resave good.char ."};
    for (const QString& command : failing) {
        const Run run = Cli(command.split(u' '));
        EXPECT_EQ(run.status, 1) << command.toStdString();
        EXPECT_TRUE(
            run.err.startsWith(u"fontlathe-cli: "_s + command.section(u' ', -1) + u": "_s) &&
            run.err.count(u'\n') == 1)
            << run.err.toStdString();
    }
    EXPECT_EQ(Cli({"resave", "missing.char", "x.char"}).status, 1);
    EXPECT_FALSE(QFile::exists(PathOf(u"x.char"_s)));
}

TEST_F(CliAppTest, WrongArgumentsGiveOneLineAndHelpOnlyWhereAnOptionMayStand) {
    WriteSet(u"g.char"_s, VariedSet(2, 9, 3));
    const QString wrong[] = {"paint", "info --dirty-bytes g.char", "resave g.char",
                             "render g.char --zoom 9 -o z.png"};
    for (const QString& command : wrong) {
        const Run run = Cli(command.split(u' '));
        EXPECT_TRUE(run.status == 2 && run.out.isEmpty() && run.err.count(u'\n') == 2 &&
                    run.err.endsWith(u"\nTry 'fontlathe-cli --help'.\n"_s))
            << command.toStdString() << ": " << run.err.toStdString();
    }
    EXPECT_TRUE(Cli({}).status == 2 && Cli({}).err.startsWith(u"Usage:"_s));
    const Run help = Cli({"info", "--help"});
    EXPECT_TRUE(help.status == 0 && help.out.startsWith(u"Usage:"_s) && help.err.isEmpty());
    // A value that reads like the help option is still a value.
    const Run render = Cli({"render", "g.char", "--text", "-h", "-o", "h.png"});
    EXPECT_TRUE(render.status == 0 && render.out.isEmpty() && QFile::exists(PathOf(u"h.png"_s)));
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
    window().SetTextIfChanged(Control::PreviewText, u"hello world\nzebra quiz"_s);
    window().SetStateIfChanged(Control::PreviewZoomBar, 3);
    dispatcher().RenderPreview();
    EXPECT_EQ(Cli({"render", "font.char", "--text", "hello world\nzebra quiz", "--zoom", "3", "-o",
                   "out.png"})
                  .status,
              0);
    EXPECT_TRUE(QImage(PathOf(u"out.png"_s)).convertToFormat(QImage::Format_RGB32) ==
                window().previewImage()->image().convertToFormat(QImage::Format_RGB32));

    environment_.fontAnswers.push_back({u"DejaVu Sans"_s, 13, true, false, false});
    dispatcher().MenuCommand(Menu::GenerateOutlined);
    environment_.saveAnswers.push_back(PathOf(u"window.char"_s));
    dispatcher().MenuCommand(Menu::SaveAs);
    const Run run = Cli({"generate", "--family", "DejaVu Sans", "--size", "13", "--bold", "--style",
                         "outlined", "-o", "cli.char"});
    EXPECT_TRUE(run.status == 0 && run.err.isEmpty()) << "an installed family draws silently";
    EXPECT_GT(ReadFile(u"cli.char"_s).size(), 2000);
    EXPECT_EQ(ReadFile(u"cli.char"_s), ReadFile(u"window.char"_s));
    EXPECT_EQ(
        Cli({"generate", "--family", "DejaVu Sans", "--size", "300", "-o", "big.char"}).status, 1);
    EXPECT_FALSE(QFile::exists(PathOf(u"big.char"_s)));
    // A family that is not installed is drawn with another, and the user is told which.
    const Run fallback =
        Cli({"generate", "--family", "No Such Family 123", "--size", "12", "-o", "fallback.char"});
    const QRegularExpressionMatch told =
        QRegularExpression(u"^No Such Family 123 is not installed; drew with (.+)\n$"_s)
            .match(fallback.err);
    EXPECT_TRUE(fallback.status == 0 && told.hasMatch()) << fallback.err.toStdString();
    EXPECT_TRUE(QFontDatabase::families().contains(told.captured(1)));
    EXPECT_GT(ReadFile(u"fallback.char"_s).size(), 2000);
}

} // namespace
} // namespace fontlathe::test
