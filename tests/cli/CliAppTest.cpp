#include "cli/CliApp.h"
#include "bundle/BundleBytes.h"
#include "bundle/GameBundle.h"
#include "charset/CharCodec.h"
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
                               "import s.png -o s.png", "import ./s.png -o s.png"};
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
    const QString wrong[] = {"paint", "info --dirty-bytes g.char", "resave g.char",
                             "render g.char --zoom 9 -o z.png"};
    for (const QString& command : wrong) {
        const Run run = Cli(command.split(u' '));
        SCOPED_TRACE(command.toStdString());
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, QString());
        EXPECT_EQ(run.err.count(u'\n'), 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith(u"\nTry 'fontlathe-cli --help'.\n"_s))
            << run.err.toStdString();
    }
    EXPECT_EQ(Cli({}).status, 2);
    EXPECT_TRUE(Cli({}).err.startsWith(u"Usage:"_s));
    const Run help = Cli({"info", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage:"_s));
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
    EXPECT_TRUE(QImage(PathOf(u"out.png"_s)).convertToFormat(QImage::Format_RGB32) ==
                window().previewImage()->image().convertToFormat(QImage::Format_RGB32));

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

    const QStringList wrong[] = {{u"export"_s, font, u"--cell"_s, u"0x4"_s, u"-o"_s, sheet},
                                 {u"export"_s, font, u"--cell"_s, u"128x4"_s, u"-o"_s, sheet},
                                 {u"export"_s, font},
                                 {u"import"_s, sheet, u"--cell"_s, u"4x4"_s, u"-o"_s, font}};
    for (const QStringList& args : wrong) {
        EXPECT_EQ(Cli(args).status, 2) << args.join(' ').toStdString();
    }
}

TEST_F(CliAppTest, CoverageListsWhatIsMissing) {
    Charset small;
    small.NewCharset(2);
    small.numChars = 100;
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

    WriteFile(u"text.txt"_s, "\xEF\xBB\xBF"
                             "AB\r\n");
    const QString text = PathOf(u"text.txt"_s);
    // The same text as UTF-8, as UTF-16 behind its mark, and in a page named for it.
    WriteFile(u"utf16.txt"_s, QByteArray("\xFF\xFE"
                                         "A\0B\0\r\0\n\0",
                                         10));
    WriteFile(u"page.txt"_s, "A\xC2");
    for (const QStringList& from :
         {QStringList{u"--text-file"_s, text},
          {u"--text-file"_s, PathOf(u"utf16.txt"_s)},
          {u"--text-file"_s, PathOf(u"page.txt"_s), u"--text-encoding"_s, u"cp1251"_s}}) {
        const Run table = Cli(QStringList{u"coverage"_s, font} + from);
        EXPECT_EQ(table.status, 3);
        EXPECT_EQ(table.out, from.size() == 2
                                 ? u"U+0042    B           1  absent\n1 of 2 distinct characters "
                                   u"missing.\n"_s
                                 : u"U+0412    \u0412           1  notInCodePage\n1 of 2 distinct "
                                   u"characters missing.\n"_s)
            << from.last().toStdString();
    }
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
    EXPECT_EQ(Cli({u"coverage"_s, font}).status, 2);
    EXPECT_EQ(Cli({u"coverage"_s, font, u"--text"_s, u"A"_s, u"--text-file"_s, text}).status, 2);
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

TEST_F(CliAppTest, FontsInsideAGameAreListedExtractedAndInserted) {
    BundleBuilder builder(6);
    builder.Room(3).Font(1, SampleFontBlock(2, 10, 5)).Add("SCRP", 1, 30);
    const QString game = WriteBundleFiles(PathOf({}), u"game"_s, 6, builder.Build());
    EXPECT_TRUE(Cli({"fonts", game}).out.contains(u"version 6, XOR-encrypted, 1 fonts"_s));
    const QJsonDocument json = QJsonDocument::fromJson(Cli({"fonts", game, "--json"}).out.toUtf8());
    EXPECT_EQ(json["fonts"][0]["room"].toInt(), 3);
    ASSERT_EQ(Cli({"extract", game, "--font", "1", "-o", "f.char"}).status, 0);
    EXPECT_EQ(ReadFile(u"f.char"_s), SampleFontBlock(2, 10, 5));
    EXPECT_EQ(Cli({"insert", game, "--font", "1", "f.char"}).status, 0);
    const Run missing = Cli({"extract", game, "--font", "3", "-o", "g.char"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.startsWith(u"fontlathe-cli: "_s + game + u": "_s));
    WriteFile(u"short.char"_s, "CHAR");
    const Run refused = Cli({"insert", game, "--font", "1", "short.char"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(u"short.char does not look like a SCUMM font"_s))
        << refused.err.toStdString();
    EXPECT_EQ(Cli({"extract", game, "--font", "x", "-o", "g.char"}).status, 2);
    EXPECT_FALSE(QFile::exists(PathOf(u"g.char"_s)));
    // Neither file of the game is written over, whatever the name the output goes by.
    const QByteArray index = ReadFile(u"game.000"_s), data = ReadFile(u"game.001"_s);
    for (const char* output : {"game.001", "./game.000"}) {
        EXPECT_EQ(Cli({"extract", game, "--font", "1", "-o", output}).status, 2) << output;
    }
    EXPECT_EQ(ReadFile(u"game.000"_s), index);
    EXPECT_EQ(ReadFile(u"game.001"_s), data);
}

// Every block a directory entry (other than a room's) lands on, by directory tag and entry.
std::map<std::pair<std::uint32_t, std::size_t>, QByteArray> EntryBlocks(const QString& game) {
    GameBundle bundle;
    EXPECT_TRUE(GameBundle::Open(game, bundle).ok());
    std::map<std::pair<std::uint32_t, std::size_t>, QByteArray> blocks;
    for (const BundleDirectory& directory : bundle.layout().directories) {
        for (std::size_t i = 0; i < directory.rooms.size(); ++i) {
            const auto room = bundle.layout().roomByNumber.find(directory.rooms[i]);
            if (directory.block.tag != bundle::Tag("DROO") &&
                room != bundle.layout().roomByNumber.end()) {
                const std::int64_t at =
                    bundle.layout().rooms[room->second].base() + directory.offsets[i];
                blocks[{directory.block.tag, i}] =
                    bundle.data().mid(at, bundle::Big32(bundle.data(), at + 4));
            }
        }
    }
    return blocks;
}

TEST_F(CliAppTest, AddLettersAddsToEveryFontOfAGameAndADryRunWritesNothing) {
    // Fonts of 1 and 2 bits with an s, an e and an é whose acute the letters take.
    const auto font = [](int bits) {
        Charset set;
        set.NewCharset(bits);
        set.fontHeight = 9;
        set.numChars = 256;
        SetGlyph(set, 's', 4, 9, [](int x, int y) { return y > 3 && (y % 2 == 0 || x == 0); });
        SetGlyph(set, 'e', 4, 9, [](int x, int y) { return y > 3 && (y != 6 || x < 3); });
        SetGlyph(set, 0xE9, 4, 9,
                 [](int x, int y) { return y > 3 ? y != 6 || x < 3 : y == 1 && x == 2; });
        return Encoded(set);
    };
    BundleBuilder builder(6);
    builder.Room(1).Add("SCRP", 1, 40).Font(1, font(1)).Add("SOUN", 1, 30).Add("COST", 1, 20);
    builder.Room(2).Font(2, font(2)).Add("SCRP", 2, 12);
    const QString game = WriteBundleFiles(PathOf({}), u"game"_s, 6, builder.Build());
    const QByteArray index = ReadFile(u"game.000"_s), data = ReadFile(u"game.001"_s);
    const auto before = EntryBlocks(game);
    const QStringList add = {"add-letters", game,     "--font", "all",
                             "--codepage",  "cp1250", "--text", "Świeży śnieg"};

    const Run dry = Cli(add + QStringList{"--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err.toStdString();
    EXPECT_EQ(dry.out.count(u"0x9C  ś       composed from s + the font's acute"_s), 2)
        << dry.out.toStdString();
    EXPECT_TRUE(dry.out.contains(u"dry run: nothing was written"_s));
    EXPECT_EQ(ReadFile(u"game.000"_s), index);
    EXPECT_EQ(ReadFile(u"game.001"_s), data);
    EXPECT_FALSE(QFile::exists(PathOf(u"game.001.orig"_s)));

    const Run run = Cli(add + QStringList{"--json"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonArray fonts = QJsonDocument::fromJson(run.out.toUtf8())["fonts"].toArray();
    ASSERT_EQ(fonts.size(), 2);
    for (const int number : {1, 2}) {
        ASSERT_EQ(Cli({"extract", game, "--font", QString::number(number), "-o", "f.char"}).status,
                  0);
        Charset set;
        ASSERT_TRUE(DecodeCharset(ReadFile(u"f.char"_s), set).ok());
        EXPECT_NE(set.GlyphAt(0x9C), nullptr) << "ś in font " << number;
        EXPECT_EQ(fonts[number - 1]["totals"]["composed"].toInt(), 1) << run.out.toStdString();
    }
    const auto after = EntryBlocks(game);
    for (const auto& [entry, block] : before) {
        if (entry.first != bundle::Tag("DCHR")) {
            EXPECT_EQ(after.at(entry), block) << entry.second;
        }
    }
    EXPECT_TRUE(QFile::exists(PathOf(u"game.001.orig"_s)));

    // One font file, and what the command refuses.
    WriteFile(u"one.char"_s, font(1));
    const Run one =
        Cli({"add-letters", "one.char", "--codepage", "cp1251", "--all", "-o", "out.char"});
    EXPECT_EQ(one.status, 0) << one.err.toStdString();
    EXPECT_TRUE(one.out.contains(u"0xFF  я       reserved: "_s)) << one.out.toStdString();
    EXPECT_TRUE(one.out.contains(u"0xE5  е       borrowed from e"_s)) << one.out.toStdString();
    EXPECT_TRUE(QFile::exists(PathOf(u"out.char"_s)));
    for (const QStringList& wrong :
         {QStringList{"add-letters", "one.char", "--codepage", "cp1250", "--all"},
          QStringList{"add-letters", "one.char", "--all", "-o", "x.char"},
          QStringList{"add-letters", "one.char", "--codepage", "cp1250", "--all", "--text", "a",
                      "-o", "x.char"},
          QStringList{"add-letters", game, "--codepage", "cp1250", "--all", "-o", "x.char"},
          QStringList{"add-letters", game, "--font", "x", "--codepage", "cp1250", "--all"}}) {
        EXPECT_EQ(Cli(wrong).status, 2) << wrong.join(u' ').toStdString();
    }
    EXPECT_EQ(
        Cli({"add-letters", "none.char", "--codepage", "cp1250", "--all", "-o", "x.char"}).status,
        1);
    EXPECT_FALSE(QFile::exists(PathOf(u"x.char"_s)));
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

TEST_F(CliAppTest, GameMessagesNameTheFileGivenAndWhatExists) {
    BundleBuilder builder(6);
    builder.Room(1).Font(1, SampleFontBlock(1, 6, 1)).Font(2, SampleFontBlock(1, 6, 2));
    builder.Room(2).Font(3, SampleFontBlock(1, 6, 3)).Font(4, SampleFontBlock(1, 6, 4));
    builder.Placeholder("DSOU", 7, 2, 3);
    const QString game = WriteBundleFiles(PathOf({}), u"tentacle"_s, 6, builder.Build());
    const QString data = PathOf(u"tentacle.001"_s);
    const Run missing = Cli({"extract", data, "--font", "9", "-o", "f.char"});
    EXPECT_EQ(missing.err, u"fontlathe-cli: "_s + data +
                               u": tentacle.001 has fonts 1 to 4; there is no font 9\n"_s);
    const QJsonDocument json = QJsonDocument::fromJson(Cli({"fonts", data, "--json"}).out.toUtf8());
    EXPECT_EQ(json["remarks"].toArray().first().toString(), u"DSOU entry 7 points at no block"_s);
    for (const QString& file : {game, data}) {
        const Run info = Cli({"info", file});
        EXPECT_EQ(info.status, 1);
        EXPECT_TRUE(info.err.contains(u"is a file of a game bundle, not a SCUMM font: to read the "
                                      "game's fonts, use fontlathe-cli fonts"_s))
            << info.err.toStdString();
    }
}

// A font on a second data file is reached as one on the first, and written into its own file; the
// index written last holds what both rewrites moved.
TEST_F(CliAppTest, AddLettersReachesTheFontsOfEveryDataFile) {
    Charset set;
    set.NewCharset(1);
    set.fontHeight = 9;
    set.numChars = 256;
    // An é where code page 437 has it, to be moved to where cp1252 has it.
    SetGlyph(set, 0x82, 4, 9, [](int x, int y) { return y > 3 ? y != 6 || x < 3 : x == 2; });
    BundleBuilder builder(6);
    builder.Room(1).Font(1, Encoded(set)).Add("SCRP", 1, 30);
    builder.Room(2, 2).Font(2, Encoded(set)).Add("SCRP", 2, 30);
    const QString game = WriteBundleFiles(PathOf({}), u"game"_s, 6, builder.Build());
    const QStringList add = {"add-letters", game,     "--from-page", "cp437",
                             "--codepage",  "cp1252", "--text",      "é"};
    const Run one = Cli(add + QStringList{"--font", "2", "--dry-run"});
    EXPECT_EQ(one.status, 0) << one.err.toStdString();
    EXPECT_TRUE(one.out.contains(u"game.002, font 2"_s) && !one.out.contains(u"font 1"_s))
        << one.out.toStdString();
    const Run all = Cli(add + QStringList{"--font", "all"});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    EXPECT_TRUE(all.out.contains(u"Wrote game.002"_s)) << all.out.toStdString();
    for (const int number : {1, 2}) {
        ASSERT_EQ(Cli({"extract", game, "--font", QString::number(number), "-o", "f.char"}).status,
                  0);
        Charset added;
        ASSERT_TRUE(DecodeCharset(ReadFile(u"f.char"_s), added).ok());
        EXPECT_NE(added.GlyphAt(0xE9), nullptr) << "é in font " << number;
    }
    const QJsonDocument json = QJsonDocument::fromJson(Cli({"fonts", game, "--json"}).out.toUtf8());
    EXPECT_EQ(json["fonts"].toArray().size(), 2);
    EXPECT_EQ(json["remarks"].toArray().size(), 0) << json.toJson().toStdString();
    EXPECT_TRUE(QFile::exists(PathOf(u"game.002.orig"_s)));
}

} // namespace
} // namespace fontlathe::test
