#include "charset/CharCodec.h"
#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"
#include "cli/CliFixture.h"
#include "faces/FaceFile.h"
#include "letters/LetterPicture.h"
#include "support/FaceSamples.h"
#include "support/SampleSets.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// The rows of a glyph's ink with the row the first of them stands in on the line: "2: #..# ...".
QString InkRows(const Glyph& glyph) {
    const PaletteLookup palette(4);
    QStringList rows;
    int first = -1;
    for (int y = 0; y < glyph.height(); ++y) {
        QString row;
        for (int x = 0; x < glyph.width(); ++x) {
            row += palette.IndexOf(glyph.raster.pixel(x, y)) == 1 ? u'#' : u'.';
        }
        if (row.contains(u'#') || first >= 0) {
            first = first < 0 ? y + glyph.yOffset : first;
            rows << row;
        }
    }
    while (!rows.isEmpty() && !rows.back().contains(u'#')) {
        rows.removeLast();
    }
    // Blank columns on both sides say nothing of the shape.
    const auto blank = [&rows](int column) {
        return std::ranges::all_of(rows,
                                   [column](const QString& row) { return row[column] == u'.'; });
    };
    while (!rows.isEmpty() && blank(0)) {
        for (QString& row : rows) {
            row.remove(0, 1);
        }
    }
    while (!rows.isEmpty() && blank(int(rows.front().size()) - 1)) {
        for (QString& row : rows) {
            row.chop(1);
        }
    }
    return QStringLiteral("%1: %2").arg(first).arg(rows.join(u' '));
}

Charset Read(const QString& path) {
    Charset set;
    EXPECT_TRUE(LoadCharset(set, path).ok()) << path.toStdString();
    return set;
}

TEST_F(CliAppTest, FacesBecomeFontsFontsBecomeFacesAndFacesDraw) {
    SampleFace sample = CellFace();
    sample.glyphs.push_back(
        {U'Ж',
         8,
         {0, -9},
         {"........", "........", "#..#..#.", ".#.#.#..", "..###...", ".#.#.#..", "#..#..#.",
          "#..#..#.", "#..#..#.", "........", "........", "........"}});
    WriteFile(u"cell.pcf.gz"_s, Gzipped(PcfOf(sample, {})));

    Run run = Cli({"import-font", "cell.pcf.gz", "-o", "cell.char"});
    ASSERT_EQ(run.status, ExitSuccess) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(u"not in the face (188): 0x20  , 0x21 !"_s))
        << run.out.toStdString();
    const Charset font = Read(PathOf(u"cell.char"_s));
    EXPECT_EQ(font.fontHeight(), 12);
    EXPECT_EQ(font.PresentGlyphCount(), 3);

    // Back out as BDF, which reads as the face it came from.
    ASSERT_EQ(Cli({"export-font", "cell.char", "-o", "cell.bdf"}).status, ExitSuccess);
    BitmapFace exported;
    ASSERT_TRUE(ReadFaceFile(PathOf(u"cell.bdf"_s), exported).ok());
    EXPECT_EQ(exported.ascent, 9);
    EXPECT_NE(exported.GlyphOf(U'É'), nullptr);
    WriteSet(u"four.char"_s, VariedSet(2, 3));
    run = Cli({"export-font", "four.char", "-o", "four.bdf"});
    EXPECT_EQ(run.status, ExitSuccess);
    EXPECT_TRUE(run.err.contains(u"every pixel that is not colour 0 was written as ink"_s));

    // Generate draws the face as it is, at its own size.
    ASSERT_EQ(Cli({"generate", "--family", "cell.pcf.gz", "-o", "generated.char"}).status,
              ExitSuccess);
    EXPECT_EQ(InkRows(*Read(PathOf(u"generated.char"_s)).GlyphAt('H')),
              InkRows(*font.GlyphAt('H')));
    for (const QStringList& args :
         {QStringList{"generate", "--family", "cell.pcf.gz", "--size", "13", "-o", "x.char"},
          QStringList{"generate", "--family", "cell.pcf.gz", "--bold", "-o", "x.char"},
          QStringList{"import-font", "cell.pcf.gz"}}) {
        EXPECT_EQ(Cli(args).status, ExitUsage) << args.join(u' ').toStdString();
    }
    EXPECT_EQ(Cli({"generate", "--family", "cell.pcf.gz", "--size", "12", "-o", "x.char"}).status,
              ExitSuccess);

    // Add Letters draws what nothing else makes with the face, on the font's baseline.
    run = Cli({"add-letters", "cell.char", "--codepage", "cp1251", "--text", "Ж", "--draw-with",
               "cell.pcf.gz", "--json", "-o", "added.char", "--picture", "added.png"});
    ASSERT_EQ(run.status, ExitSuccess) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(u"drawn with cell.pcf.gz at 12 px"_s)) << run.out.toStdString();
    const Charset added = Read(PathOf(u"added.char"_s));
    const Glyph* drawn = added.GlyphAt(0xC6);
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(InkRows(*drawn), u"2: #..#..# .#.#.#. ..###.. .#.#.#. #..#..# #..#..# #..#..#"_s);
    // A face of another size is brought to the font's: a face twice as large draws the Ж the
    // font's own face draws, and that face draws a font twice as large the Ж of the large face.
    SampleFace large = sample;
    large.ascent *= 2;
    large.descent *= 2;
    for (SampleGlyph& glyph : large.glyphs) {
        glyph.advance *= 2;
        glyph.topLeft *= 2;
        QStringList rows;
        for (const QString& row : glyph.rows) {
            QString wide;
            for (const QChar pixel : row) {
                wide += QString(2, pixel);
            }
            rows << wide << wide;
        }
        glyph.rows = rows;
    }
    WriteFile(u"large.pcf"_s, PcfOf(large, {}));
    ASSERT_EQ(Cli({"import-font", "large.pcf", "-o", "large.char"}).status, ExitSuccess);
    ASSERT_EQ(Cli({"import-font", "large.pcf", "--codepage", "cp1251", "-o", "ref.char"}).status,
              ExitSuccess);
    for (const auto& [font, face, from, expected] :
         {std::tuple{u"cell.char"_s, u"large.pcf"_s, u"14 to 7"_s, InkRows(*drawn)},
          std::tuple{u"large.char"_s, u"cell.pcf.gz"_s, u"7 to 14"_s,
                     InkRows(*Read(PathOf(u"ref.char"_s)).GlyphAt(0xC6))}}) {
        run = Cli({"add-letters", font, "--codepage", "cp1251", "--text", "Ж", "--draw-with", face,
                   "-o", "scaled.char"});
        ASSERT_EQ(run.status, ExitSuccess) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(u"its capitals brought from "_s + from + u" rows"_s))
            << run.out.toStdString();
        EXPECT_EQ(InkRows(*Read(PathOf(u"scaled.char"_s)).GlyphAt(0xC6)), expected)
            << face.toStdString();
    }
    // The picture shows the made letter's pixels four times enlarged.
    const QImage picture(PathOf(u"added.png"_s));
    const QImage enlarged = drawn->raster.scaled(drawn->raster.size() * 4);
    bool shown = false;
    for (int y = 0; !shown && y + enlarged.height() <= picture.height(); ++y) {
        for (int x = 0; !shown && x + enlarged.width() <= picture.width(); ++x) {
            shown = picture.copy(x, y, enlarged.width(), enlarged.height())
                        .convertToFormat(QImage::Format_RGB32) == enlarged;
        }
    }
    EXPECT_TRUE(shown);
    // The picture frames each glyph in its background on a grey page: no white ink meets it.
    int page = 0, inkOnPage = 0;
    for (int y = 1; y + 1 < picture.height(); ++y) {
        for (int x = 1; x + 1 < picture.width(); ++x) {
            if (picture.pixel(x, y) == GlyphPageColor) {
                ++page;
                for (const QPoint next :
                     {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)}) {
                    inkOnPage += picture.pixel(next) == DisplayColors[1];
                }
            }
        }
    }
    EXPECT_GT(page, 0);
    EXPECT_EQ(inkOnPage, 0);

    WriteFile(u"broken.bdf"_s, "STARTFONT 2.1\nCHARS 1\n");
    for (const QStringList& args :
         {QStringList{"import-font", "broken.bdf", "-o", "x.char"},
          QStringList{"add-letters", "cell.char", "--codepage", "cp1251", "--text", "Ж",
                      "--draw-with", "broken.bdf", "-o", "x2.char"}}) {
        run = Cli(args);
        EXPECT_EQ(run.status, ExitFailure) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(u"broken.bdf: at byte 22: the file ends before ENDFONT"_s))
            << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(PathOf(u"x2.char"_s)));
    // A family that is not installed is a usage error that names the closest; a dry run of a
    // font file needs no output.
    run = Cli({"add-letters", "cell.char", "--codepage", "cp1251", "--text", "Ж", "--draw-with",
               "DejaVu Sanz", "-o", "x3.char"});
    EXPECT_EQ(run.status, ExitUsage);
    EXPECT_TRUE(run.err.contains(u"the closest are DejaVu Sans"_s)) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(PathOf(u"x3.char"_s)));
    run = Cli({"add-letters", "cell.char", "--codepage", "cp1251", "--text", "Ж", "--draw-with",
               "cell.pcf.gz", "--dry-run"});
    EXPECT_EQ(run.status, ExitSuccess) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(u"drawn with"_s));
}

} // namespace
} // namespace fontlathe::test
