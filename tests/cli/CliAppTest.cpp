#include "bundle/BundleBytes.h"
#include "bundle/GameBundle.h"
#include "charset/CharCodec.h"
#include "cli/CliFixture.h"
#include "render/TextPreview.h"
#include "support/AppFixture.h"
#include "support/BundleBuilder.h"
#include "views/ImageView.h"

#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

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
    const QString failing[] = {"info bad.char",
                               "info /dev/zero",
                               "info pipe.char",
                               "info missing.char",
                               "resave good.char .",
                               "coverage good.char --text-file pipe.char",
                               "render good.char -o /no/such/folder/x.png",
                               "render good.char -o ."};
    for (const QString& command : failing) {
        const Run run = Cli(command.split(u' '));
        EXPECT_EQ(run.status, 1) << command.toStdString();
        EXPECT_TRUE(run.err.startsWith(u"fontlathe-cli: "_s + command.section(u' ', -1) + u": "_s))
            << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
    }
    // The system's reason is told.
    EXPECT_TRUE(Cli({"render", "good.char", "-o", "/no/such/x.png"})
                    .err.endsWith(u": No such file or directory\n"_s));
    EXPECT_EQ(Cli({"resave", "missing.char", "x.char"}).status, 1);
    EXPECT_FALSE(QFile::exists(PathOf(u"x.char"_s)));
}

// An output of another kind than its input is never written over the input, however it is
// named; resave writes the same kind and may replace its input.
TEST_F(CliAppTest, OutputsThatAreTheInputFileAreRefusedAndWriteNothing) {
    WriteSet(u"f.char"_s, VariedSet(2, 9, 3));
    ASSERT_EQ(Cli({"export", "f.char", "-o", "s.png"}).status, 0);
    ASSERT_TRUE(QFile::link(u"f.char"_s, u"link.png"_s));
    const QByteArray font = ReadFile(u"f.char"_s), sheet = ReadFile(u"s.png"_s);
    const QString refused[] = {"export f.char -o ./f.char", "render f.char -o link.png",
                               "import s.png -o s.png", "import ./s.png -o s.png",
                               "add-letters f.char --codepage cp1250 --all -o ./f.char"};
    for (const QString& command : refused) {
        const Run run = Cli(command.split(u' '));
        EXPECT_EQ(run.status, 2) << command.toStdString();
        EXPECT_EQ(run.err, u"fontlathe-cli: %1: the output is the input file itself; nothing was "
                           u"written\n"_s.arg(command.section(u' ', -1)));
    }
    EXPECT_EQ(ReadFile(u"f.char"_s), font);
    EXPECT_EQ(ReadFile(u"s.png"_s), sheet);
    EXPECT_EQ(Cli({"resave", "f.char", "f.char"}).status, 0);
    EXPECT_EQ(Cli({"resave", "f.char", "-o", "copy.char"}).status, 0);
    EXPECT_EQ(ReadFile(u"copy.char"_s), font);
}

// A command refuses a file that does not look like a font, in the words the window warns with.
TEST_F(CliAppTest, FilesThatAreNoFontAreRefusedByEveryCommandThatReadsOne) {
    WriteFile(u"t.txt"_s, "hello, this is text and longer than a header");
    WriteFile(u"empty.char"_s, "");
    WriteFile(u"three.char"_s, "CHA");
    WriteSet(u"f.char"_s, VariedSet(2, 9, 3));
    ASSERT_EQ(Cli({"export", "f.char", "-o", "s.png"}).status, 0);
    const std::pair<QString, QString> files[] = {
        {"t.txt", "t.txt does not look like a SCUMM font: it starts with \"hell\", not \"CHAR\"."},
        {"empty.char", "empty.char does not look like a SCUMM font: it is empty."},
        {"three.char", "three.char does not look like a SCUMM font: it starts with \"CHA\", not "
                       "\"CHAR\"."},
        {"s.png", "s.png is a PNG image, not a SCUMM font: to read a glyph sheet, use "
                  "fontlathe-cli import."}};
    const QStringList commands[] = {{"info"},
                                    {"render", "-o", "r.png"},
                                    {"export", "-o", "x.png"},
                                    {"coverage", "--text", "A"},
                                    {"resave", "-o", "x.char"}};
    for (const auto& [file, words] : files) {
        for (QStringList command : commands) {
            command.insert(1, file);
            const Run run = Cli(command);
            EXPECT_EQ(run.status, 1) << command.join(u' ').toStdString();
            EXPECT_EQ(run.err, u"fontlathe-cli: "_s + words + u'\n');
        }
    }
    EXPECT_EQ(QDir(PathOf({})).entryList({"r.png", "x.*"}), QStringList());
}

TEST_F(CliAppTest, WrongArgumentsGiveOneLineAndHelpOnlyWhereAnOptionMayStand) {
    WriteSet(u"g.char"_s, VariedSet(2, 9, 3));
    // Every command's own wrong arguments; no file is read before they are checked.
    const QString wrong[] = {"paint",
                             "info --dirty-bytes g.char",
                             "resave g.char",
                             "render g.char --zoom 9 -o z.png",
                             "export g.char --cell 0x4 -o s.png",
                             "export g.char --cell 128x4 -o s.png",
                             "export g.char",
                             "import s.png --cell 4x4 -o g.char",
                             "coverage g.char",
                             "coverage g.char --text A --text-file t.txt",
                             "extract game.000 --font x -o f.char",
                             "add-letters g.char --codepage cp1250 --all",
                             "add-letters g.char --all -o x.char",
                             "add-letters g.char --codepage cp1250 --all --text a -o x.char",
                             "add-letters game.000 --codepage cp1250 --all -o x.char",
                             "add-letters game.000 --font x --codepage cp1250 --all"};
    for (const QString& command : wrong) {
        const Run run = Cli(command.split(u' '));
        SCOPED_TRACE(command.toStdString());
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, QString());
        EXPECT_EQ(run.err.count(u'\n'), 2) << run.err.toStdString();
        // The hint names the command's own help where the command is known.
        const QString name = command.section(u' ', 0, 0);
        EXPECT_TRUE(run.err.endsWith(u"\nTry 'fontlathe-cli help %1'.\n"_s.arg(name)) ||
                    run.err.endsWith(u"\nTry 'fontlathe-cli --help'.\n"_s))
            << run.err.toStdString();
    }
    EXPECT_EQ(Cli({}).status, 2);
    EXPECT_TRUE(Cli({}).err.startsWith(u"Usage: fontlathe-cli COMMAND"_s));
    // Help is asked wherever an option may stand, and tells of that command alone.
    const Run help = Cli({"info", "g.char", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage: fontlathe-cli info "_s));
    EXPECT_FALSE(help.out.contains(u"render"_s));
    EXPECT_EQ(help.err, QString());
    // A value that reads like the help option is still a value.
    const Run render = Cli({"render", "g.char", "--text", "-h", "-o", "h.png"});
    EXPECT_EQ(render.status, 0);
    EXPECT_EQ(render.out, QString());
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
    window().SetTextIfChanged(Control::PreviewText, u"hello world\nzebra quiz"_s);
    window().SetStateIfChanged(Control::PreviewZoomBar, 3);
    presenter().ShowPreview();
    EXPECT_EQ(Cli({"render", "font.char", "--text", "hello world\nzebra quiz", "--zoom", "3", "-o",
                   "out.png"})
                  .status,
              0);
    // The same pixels where the window's preview ends; render grows to hold the whole text.
    const QImage rendered = QImage(PathOf(u"out.png"_s)).convertToFormat(QImage::Format_RGB32);
    const QImage shown = window().previewImage()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(rendered.copy(shown.rect()) == shown);
    EXPECT_EQ(rendered.size(),
              shown.size().expandedTo(TextSizeFor(font, u"hello world\nzebra quiz"_s, 3)));
    const Run cut = Cli({"render", "font.char", "--text", "hello world\nzebra quiz", "--zoom", "3",
                         "--size", "600x70", "-o", "cut.png"});
    EXPECT_EQ(cut.status, 0);
    EXPECT_TRUE(cut.err.startsWith(u"note: the text needs "_s) &&
                cut.err.endsWith(u"; --size 600x70 cuts it\n"_s))
        << cut.err.toStdString();
    EXPECT_EQ(QImage(PathOf(u"cut.png"_s)).size(), QSize(600, 70));

    environment_.fontAnswers.push_back({u"DejaVu Sans"_s, 13, true, false, false});
    dispatcher().MenuCommand(Menu::GenerateOutlined);
    environment_.saveAnswers.push_back(PathOf(u"window.char"_s));
    dispatcher().MenuCommand(Menu::SaveAs);
    const Run run = Cli({"generate", "--family", "DejaVu Sans", "--size", "13", "--bold", "--style",
                         "outlined", "-o", "cli.char"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, QString()) << "an installed family draws silently";
    EXPECT_GT(ReadFile(u"cli.char"_s).size(), 2000);
    EXPECT_EQ(ReadFile(u"cli.char"_s), ReadFile(u"window.char"_s));
    // Every style of DejaVu Sans fits up to the largest size allowed; past it nothing is drawn.
    for (const char* size : {"0", "101"}) {
        const Run big =
            Cli({"generate", "--family", "DejaVu Sans", "--size", size, "-o", "big.char"});
        EXPECT_EQ(big.status, 2);
        EXPECT_TRUE(big.err.contains(u"from 1 to 100"_s)) << big.err.toStdString();
    }
    EXPECT_EQ(Cli({"generate", "--family", "DejaVu Sans", "--size", "100", "--bold", "--italic",
                   "--style", "outlined", "-o", "big.char"})
                  .status,
              0);
    // A family that is not installed is drawn with another, and the user is told which.
    const Run fallback =
        Cli({"generate", "--family", "No Such Family 123", "--size", "12", "-o", "fallback.char"});
    const QRegularExpressionMatch told =
        QRegularExpression(u"^No Such Family 123 is not installed; drew with (.+)\n$"_s)
            .match(fallback.err);
    EXPECT_EQ(fallback.status, 0);
    EXPECT_TRUE(told.hasMatch()) << fallback.err.toStdString();
    EXPECT_TRUE(QFontDatabase::families().contains(told.captured(1)));
    EXPECT_GT(ReadFile(u"fallback.char"_s).size(), 2000);
}

TEST_F(CliAppTest, SheetsGoOutAndComeBackByteForByte) {
    WriteSet(u"in.char"_s, VariedSet(2, 5));
    const QString font = PathOf(u"in.char"_s);
    const QString sheet = PathOf(u"sheet.png"_s);
    ASSERT_EQ(Cli({u"export"_s, font, u"-o"_s, sheet}).status, 0);
    ASSERT_EQ(Cli({u"import"_s, sheet, u"-o"_s, PathOf(u"back.char"_s)}).status, 0);
    EXPECT_EQ(ReadFile(u"back.char"_s), ReadFile(u"in.char"_s));

    const Run tooSmall =
        Cli({u"export"_s, font, u"--cell"_s, u"3x3"_s, u"-o"_s, PathOf(u"small.png"_s)});
    EXPECT_EQ(tooSmall.status, 1);
    EXPECT_TRUE(tooSmall.err.startsWith(u"fontlathe-cli: "_s + font + u": character "_s))
        << tooSmall.err.toStdString();
    EXPECT_FALSE(QFile::exists(PathOf(u"small.png"_s)));
    const Run notASheet = Cli({u"import"_s, font, u"-o"_s, PathOf(u"x.char"_s)});
    EXPECT_EQ(notASheet.status, 1);
    EXPECT_TRUE(notASheet.err.startsWith(u"fontlathe-cli: "_s + font + u':'));
}

TEST_F(CliAppTest, CoverageListsWhatIsMissing) {
    Charset small;
    small.NewCharset(2);
    small.SetNumChars(100);
    SetGlyph(small, 65, 3, 2, [](int x, int y) { return x + y; });
    SetGlyph(small, 10, 1, 1, [](int, int) { return 3; });
    SetGlyph(small, 0x40, 1, 1, [](int, int) { return 3; });
    WriteSet(u"small.char"_s, small);
    const QString font = PathOf(u"small.char"_s);
    const Run covered = Cli({u"coverage"_s, font, u"--text"_s, u"AAA\r\n"_s});
    EXPECT_EQ(covered.status, 0);
    EXPECT_EQ(covered.out, u"Its one distinct character is covered.\n"_s);
    EXPECT_EQ(Cli({u"coverage"_s, font, u"--text"_s, u"\r\n"_s}).out,
              u"The text holds no characters to cover.\n"_s);

    const Run json =
        Cli({u"coverage"_s, font, u"--json"_s, u"--text"_s, u"A\u00E9A\u00E9\U0001F600\v@"_s});
    EXPECT_EQ(json.status, 3);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root["distinct"].toInt(), 5);
    EXPECT_EQ(root["codePage"].toString(), u"latin1"_s);
    EXPECT_EQ(root["missing"].toArray(),
              (QJsonArray{
                  QJsonObject{{"codepoint", "U+00E9"},
                              {"char", u"\u00E9"_s},
                              {"count", 2},
                              {"reason", "notStored"}},
                  QJsonObject{{"codepoint", "U+1F600"},
                              {"char", u"\U0001F600"_s},
                              {"count", 1},
                              {"reason", "notInCodePage"}},
                  QJsonObject{
                      {"codepoint", "U+000B"}, {"char", "\v"}, {"count", 1}, {"reason", "absent"}},
                  QJsonObject{{"codepoint", "U+0040"},
                              {"char", "@"},
                              {"count", 1},
                              {"reason", "reservedCode"}}}));

    // The same text in UTF-8 with and without its mark, in UTF-16 of either byte order behind
    // its mark, and in a page named for it.
    for (const char* hex :
         {"41420d0a", "efbbbf41420d0a", "fffe410042000d000a00", "feff00410042000d000a"}) {
        WriteFile(u"text.txt"_s, QByteArray::fromHex(hex));
        const Run table = Cli({u"coverage"_s, font, u"--text-file"_s, u"text.txt"_s});
        EXPECT_EQ(table.status, 3);
        EXPECT_EQ(table.out,
                  u"U+0042    B           1  absent\n1 of 2 distinct characters missing.\n"_s)
            << hex;
    }
    WriteFile(u"page.txt"_s, "A\xC2");
    EXPECT_EQ(
        Cli({u"coverage"_s, font, u"--text-file"_s, u"page.txt"_s, u"--text-encoding"_s,
             u"cp1251"_s})
            .out,
        u"U+0412    \u0412           1  notInCodePage\n1 of 2 distinct characters missing.\n"_s);
    EXPECT_EQ(Cli({u"coverage"_s, font, u"--text"_s, u"A@"_s}).out,
              u"U+0040    @           1  reservedCode\n1 of 2 distinct characters missing.\n"
              u"The game's text reader takes reservedCode letters as control codes: move them to "
              u"free codes with a mapping file (--codepage FILE).\n"_s);
    WriteFile(u"bad.txt"_s, "AB\xC3(");
    const QString bad = PathOf(u"bad.txt"_s);
    const Run refused = Cli({u"coverage"_s, font, u"--text-file"_s, bad});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(bad + u": it is not UTF-8: the byte at offset 2"_s))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(u"--text-encoding"_s)) << refused.err.toStdString();
}

TEST_F(CliAppTest, EveryCommandReadsCodesThroughTheChosenPage) {
    Charset font;
    font.NewCharset(2);
    for (int code : {0x74, 0x80, 0x82, 0xE9}) {
        SetGlyph(font, code, 3, 4, [code](int x, int y) { return (x + y + code) % 4; });
    }
    WriteSet(u"font.char"_s, font);
    WriteFile(u"map.txt"_s, "# a layout of our own\n0x80\t0x0104\t# A with ogonek\n0x74 0x0074\n");

    ASSERT_EQ(Cli({"render", "font.char", "--codepage", "cp850", "--text", u"été"_s, "-o", "a.png"})
                  .status,
              0);
    EXPECT_EQ(QImage(u"a.png"_s).convertToFormat(QImage::Format_RGB32),
              RenderPreview(font, u"\u0082t\u0082"_s, 2).convertToFormat(QImage::Format_RGB32))
        << "é is code 0x82 in cp850";
    EXPECT_TRUE(Cli({"info", "font.char", "--codepage", "CP850"}).out.contains(u"\n  130  é "_s));
    EXPECT_EQ(Cli({"coverage", "font.char", "--codepage", "./map.txt", "--text", u"Ąt"_s}).status,
              0);
    EXPECT_EQ(Cli({"coverage", "font.char", "--text", u"Ąt"_s}).status, 3) << "not in latin1";
    EXPECT_TRUE(Cli({"codepages"}).out.contains(QRegularExpression(u"\ncp1251 +Cyrillic"_s)));

    ASSERT_EQ(Cli({"export", "font.char", "--codepage", "cp850", "-o", "sheet.png"}).status, 0);
    EXPECT_TRUE(ReadFile(u"sheet.png"_s).contains(R"("codePage":"cp850")"));
    ASSERT_EQ(Cli({"import", "sheet.png", "-o", "back.char"}).status, 0);
    EXPECT_EQ(ReadFile(u"back.char"_s), ReadFile(u"font.char"_s));
}

TEST_F(CliAppTest, AnUnknownPageIsAUsageErrorAndABadMappingFileTheFilesFailure) {
    WriteSet(u"font.char"_s, VariedSet(2, 9, 3));
    WriteFile(u"bad.txt"_s, "0x41 0x0041\n0x141 0x0042\n");
    const Run unknown = Cli({"info", "font.char", "--codepage", "cp999"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, u"fontlathe-cli: unknown code page \"cp999\"\n"
                           u"Try 'fontlathe-cli codepages'.\n"_s);
    const Run bad = Cli({"render", "font.char", "--codepage", "bad.txt", "-o", "x.png"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.startsWith(u"fontlathe-cli: bad.txt: line 2 "_s)) << bad.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(u"x.png"_s));
}

} // namespace
} // namespace fontlathe::test
