#include "bundle/BundleBytes.h"
#include "charset/CharCodec.h"
#include "cli/CliFixture.h"
#include "support/BundleBuilder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

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
    // info, render and coverage read a game's font in place as they read it extracted.
    const Run info = Cli({"info", game, "--font", "1"}), extracted = Cli({"info", "f.char"});
    EXPECT_EQ(info.out.section(u'\n', 1), extracted.out.section(u'\n', 1));
    EXPECT_TRUE(info.out.contains(u"game.001, font 1"_s)) << info.out.toStdString();
    ASSERT_EQ(Cli({"render", game, "--font", "1", "--text", "ab", "-o", "a.png"}).status, 0);
    ASSERT_EQ(Cli({"render", "f.char", "--text", "ab", "-o", "b.png"}).status, 0);
    EXPECT_EQ(ReadFile(u"a.png"_s), ReadFile(u"b.png"_s));
    const Run covered = Cli({"coverage", game, "--font", "1", "--text", "ab"});
    const Run coveredFile = Cli({"coverage", "f.char", "--text", "ab"});
    EXPECT_EQ(covered.out, coveredFile.out);
    EXPECT_EQ(covered.status, coveredFile.status);
    const Run all = Cli({"coverage", game, "--font", "all", "--text", "ab"});
    EXPECT_EQ(all.out, u"font 1: "_s + coveredFile.out);
    EXPECT_EQ(all.status, coveredFile.status);
    const QJsonDocument allJson = QJsonDocument::fromJson(
        Cli({"coverage", game, "--font", "all", "--text", "ab", "--json"}).out.toUtf8());
    EXPECT_EQ(allJson["fonts"][0]["font"].toInt(), 1);
    EXPECT_EQ(allJson["fonts"][0]["distinct"].toInt(), 2);
    for (const QStringList& args : {QStringList{"info", game, "--font", "all"},
                                    QStringList{"render", game, "--font", "all", "-o", "c.png"},
                                    QStringList{"info", "f.char", "--font", "1"}}) {
        EXPECT_EQ(Cli(args).status, 2) << args.join(u' ').toStdString();
    }
    // A font the game lacks is a wrong argument for every command that takes --font: nothing
    // written, no report, no word of a dry run.
    const QByteArray before = ReadFile(u"game.001"_s);
    for (const QStringList& args : {QStringList{"extract", game, "--font", "3", "-o", "g.char"},
                                    QStringList{"insert", game, "--font", "3", "f.char"},
                                    QStringList{"add-letters", game, "--font", "3", "--codepage",
                                                "cp1250", "--text", "ą", "--dry-run"},
                                    QStringList{"info", game, "--font", "3"},
                                    QStringList{"render", game, "--font", "3", "-o", "g.png"},
                                    QStringList{"coverage", game, "--font", "3", "--text", "a"}}) {
        const Run missing = Cli(args);
        EXPECT_EQ(missing.status, 2) << args.join(u' ').toStdString();
        EXPECT_EQ(missing.err, u"fontlathe-cli: "_s + game +
                                   u": game.000 has font 1; there is "
                                   "no font 3\n"_s);
        EXPECT_TRUE(missing.out.isEmpty()) << missing.out.toStdString();
    }
    EXPECT_EQ(ReadFile(u"game.001"_s), before);
    EXPECT_FALSE(QFile::exists(PathOf(u"g.png"_s)));
    // A smaller font keeps its block's size, and the message names it.
    WriteFile(u"smaller.char"_s, SampleFontBlock(1, 10, 5));
    const qsizetype spare = SampleFontBlock(2, 10, 5).size() - SampleFontBlock(1, 10, 5).size();
    EXPECT_TRUE(Cli({"insert", game, "--font", "1", "smaller.char"})
                    .out.contains(QStringLiteral("Font 1 is %1 bytes smaller than its block, "
                                                 "which keeps its size")
                                      .arg(spare)));
    ASSERT_EQ(Cli({"insert", game, "--font", "1", "f.char"}).status, 0);
    WriteFile(u"short.char"_s, "CHAR");
    const Run refused = Cli({"insert", game, "--font", "1", "short.char"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(u"short.char does not look like a SCUMM font"_s))
        << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(PathOf(u"g.char"_s)));
    // Neither file of the game is written over, whatever the name the output goes by.
    const QByteArray index = ReadFile(u"game.000"_s), data = ReadFile(u"game.001"_s);
    for (const char* output : {"game.001", "./game.000"}) {
        EXPECT_EQ(Cli({"extract", game, "--font", "1", "-o", output}).status, 2) << output;
    }
    EXPECT_EQ(ReadFile(u"game.000"_s), index);
    EXPECT_EQ(ReadFile(u"game.001"_s), data);
}

TEST_F(CliAppTest, AddLettersAddsToEveryFontOfAGameAndADryRunWritesNothing) {
    // Fonts of 1 and 2 bits with an s, an e and an é whose acute the letters take.
    const auto font = [](int bits) {
        Charset set;
        set.NewCharset(bits);
        set.SetFontHeight(9);
        set.SetNumChars(256);
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
    // --draw-with N=FACE draws for font N alone (these fonts have no capital to size it by).
    const Run faced = Cli({"add-letters", game, "--font", "all", "--codepage", "cp1251", "--text",
                           u"Ж"_s, "--draw-with", "2=DejaVu Sans", "--dry-run"});
    EXPECT_EQ(faced.out.count(u"name an installed font to draw it with"_s), 1);
    EXPECT_EQ(faced.out.count(u"no Latin capital to size the drawing by"_s), 1);
    EXPECT_EQ(Cli({"add-letters", "x.char", "--codepage", "cp1251", "--text", u"Ж"_s,
                   "--draw-with", "2=DejaVu Sans", "--dry-run"})
                  .status,
              2);
    EXPECT_EQ(ReadFile(u"game.000"_s), index);
    EXPECT_EQ(ReadFile(u"game.001"_s), data);
    EXPECT_FALSE(QFile::exists(PathOf(u"game.001.orig"_s)));

    const Run run = Cli(add + QStringList{"--json"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonDocument report = QJsonDocument::fromJson(run.out.toUtf8());
    const QJsonArray fonts = report["fonts"].toArray();
    ASSERT_EQ(fonts.size(), 2);
    // Each font that grew is named with how much it grew.
    EXPECT_TRUE(report["messages"][0].toString().contains(
        QRegularExpression(u"the fonts grew: font 1 by \\d+ bytes, font 2 by \\d+ bytes"_s)))
        << run.out.toStdString();
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
    EXPECT_TRUE(one.out.contains(u"\n  0x20  space   "_s)) << "a space is named, as in the window";
    // The table goes by code and leaves out the letters kept, which --all-rows shows too.
    const auto codes = [](const QString& table) {
        std::vector<int> found;
        static const QRegularExpression row(QStringLiteral("^  0x([0-9A-F]{2})  "),
                                            QRegularExpression::MultilineOption);
        for (const auto& match : row.globalMatch(table)) {
            found.push_back(match.captured(1).toInt(nullptr, 16));
        }
        return found;
    };
    const Run everyRow = Cli({"add-letters", "one.char", "--codepage", "cp1251", "--all",
                              "--dry-run", "--all-rows"});
    EXPECT_TRUE(std::ranges::is_sorted(codes(one.out)));
    EXPECT_FALSE(one.out.contains(u"  kept\n"_s));
    EXPECT_TRUE(everyRow.out.contains(u"  kept\n"_s));
    EXPECT_GT(codes(everyRow.out).size(), codes(one.out).size());
    const QString totals = one.out.mid(one.out.lastIndexOf(u"\nkept "_s)).section(u'\n', 1, 1);
    EXPECT_TRUE(totals.startsWith(u"kept 2, "_s)) << totals.toStdString();
    EXPECT_TRUE(everyRow.out.contains(totals)) << "the same totals";
    EXPECT_TRUE(QFile::exists(PathOf(u"out.char"_s)));
    // The second pass finds the page the first drew the font for, and changes nothing.
    const Run again = Cli(
        {"add-letters", "out.char", "--codepage", "cp1251", "--all", "--json", "-o", "again.char"});
    const QJsonObject found = QJsonDocument::fromJson(again.out.toUtf8())["fonts"][0].toObject();
    EXPECT_EQ(found["fromPage"].toString(), u"cp1251"_s) << again.out.toStdString();
    EXPECT_TRUE(found["fromPageFound"].toString().startsWith(u"found from its glyphs: "_s));
    EXPECT_EQ(ReadFile(u"again.char"_s), ReadFile(u"out.char"_s));
    EXPECT_TRUE(
        Cli({"add-letters", "one.char", "--codepage", "cp1251", "--text", "a", "--dry-run"})
            .out.startsWith(u"one.char: letters for cp1251, the font drawn for latin1 ("_s));
    EXPECT_EQ(
        Cli({"add-letters", "none.char", "--codepage", "cp1250", "--all", "-o", "x.char"}).status,
        1);
    EXPECT_FALSE(QFile::exists(PathOf(u"x.char"_s)));

    // Reserved letters: a note where they stay, free codes where they move, and the page with
    // the moves written for the text and for coverage.
    ASSERT_EQ(Cli({"generate", "--family", "DejaVu Sans", "--size", "12", "-o", "dv.char"}).status,
              0);
    const QStringList ru = {"add-letters", "dv.char",    "--codepage",  "cp1251",
                            "--text",      u"юя"_s,      "--from-page", "latin1",
                            "--draw-with", "DejaVu Sans"};
    EXPECT_TRUE(Cli(ru + QStringList{"--dry-run"})
                    .err.contains(u"note: move reserved letters to free codes with "
                                  "--move-reserved FILE"_s));
    EXPECT_EQ(Cli(ru + QStringList{"--dry-run", "--move-reserved", "dry.txt"}).status, 0);
    EXPECT_FALSE(QFile::exists(PathOf(u"dry.txt"_s))) << "a dry run writes no page";
    const Run moved =
        Cli(ru + QStringList{"--move-reserved", "moved.txt", "--json", "-o", "moved.char"});
    ASSERT_EQ(moved.status, 0) << moved.err.toStdString();
    const QJsonArray rows =
        QJsonDocument::fromJson(moved.out.toUtf8())["fonts"][0]["letters"].toArray();
    ASSERT_EQ(rows.size(), 2);
    for (const auto& [index, code, reserved, said] :
         {std::tuple{0, 0x80, 0xFE, " (at 0x80: 0xFE is reserved)"},
          {1, 0x81, 0xFF, " (at 0x81: 0xFF is reserved)"}}) {
        const QJsonObject row = rows[index].toObject();
        EXPECT_EQ(row["code"].toInt(), code);
        EXPECT_EQ(row["reservedCode"].toInt(), reserved);
        EXPECT_TRUE(row["detail"].toString().endsWith(QString::fromLatin1(said)))
            << row["detail"].toString().toStdString();
    }
    EXPECT_TRUE(ReadFile(u"moved.txt"_s).contains("0x80\t0x044E\t# \xD1\x8E\n"));
    EXPECT_EQ(Cli({"coverage", "moved.char", "--text", u"юя"_s, "--codepage", "moved.txt"}).status,
              0);
    // The whole page leaves one code free (0x98): ю takes it, я stays where it is.
    const Run whole = Cli({"add-letters", "dv.char", "--codepage", "cp1251", "--all", "--from-page",
                           "latin1", "--move-reserved", "whole.txt", "-o", "whole.char"});
    EXPECT_EQ(whole.status, 0);
    EXPECT_TRUE(whole.out.contains(u"\nno free code left for: я\n"_s));
    EXPECT_TRUE(whole.out.contains(u"0x98  ю"_s));

    // Notes where the page or the text's encoding looks wrong.
    WriteFile(u"ru.txt"_s, u"Привет"_s.toUtf8());
    const QString misread = u"note: ru.txt is valid UTF-8; read as cp1251 its letters become "
                            "others (leave out --text-encoding to read it as UTF-8)\n"_s;
    const struct {
        QStringList args;
        QString said;
    } noted[] = {
        {{"add-letters", "dv.char", "--codepage", "cp1250", "--text", u"Привет"_s, "--dry-run"},
         u"note: cp1250 has no code for 6 of the 6 letters of the text; is --codepage right?\n"_s},
        {{"add-letters", "dv.char", "--codepage", "cp1251", "--text-file", "ru.txt",
          "--text-encoding", "cp1251", "--dry-run"},
         misread},
        {{"coverage", "dv.char", "--text-file", "ru.txt", "--text-encoding", "cp1251"}, misread},
    };
    for (const auto& c : noted) {
        EXPECT_TRUE(Cli(c.args).err.endsWith(c.said)) << c.args.join(u' ').toStdString();
    }
    const QJsonDocument notes = QJsonDocument::fromJson(
        Cli({"coverage", "dv.char", "--text-file", "ru.txt", "--text-encoding", "cp1251", "--json"})
            .out.toUtf8());
    EXPECT_EQ(u"note: "_s + notes["notes"][0].toString() + u'\n', misread);

    // A page as a mapping file, which reads back as the page.
    EXPECT_EQ(Cli({"codepages", "cp1253", "--write", "greek.txt"}).status, 0);
    CodePage greek;
    ASSERT_TRUE(CodePage::LoadMappingFile(PathOf(u"greek.txt"_s), greek).ok());
    const CodePage standard = *CodePage::Standard(u"cp1253"_s);
    for (int code = 0x20; code < 0x100; ++code) {
        EXPECT_EQ(greek.CharacterAt(code), standard.CharacterAt(code)) << code;
    }
    EXPECT_TRUE(Cli({"codepages", "cp1253"}).out.startsWith(u"0x20\t0x0020\t#  \n0x21\t"_s));
    EXPECT_EQ(Cli({"codepages", "cp9999"}).status, 2);
    EXPECT_EQ(Cli({"codepages", "cp1253", "--write", "no/such/folder/x.txt"}).status, 1);
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
    set.SetFontHeight(9);
    set.SetNumChars(256);
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
    // --from-page N=P gives one font a page of its own; the others keep the plain one.
    const Run mixed =
        Cli(add + QStringList{"--from-page", "2=latin1", "--font", "all", "--dry-run"});
    EXPECT_TRUE(mixed.out.contains(u"font 2: letters for cp1252, the font drawn for latin1"_s) &&
                mixed.out.contains(u"font 1: letters for cp1252, the font drawn for cp437"_s))
        << mixed.out.toStdString() << mixed.err.toStdString();
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
