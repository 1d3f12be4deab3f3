#include "faces/BdfWriter.h"
#include "faces/FaceFile.h"
#include "faces/FaceImport.h"
#include "support/FaceSamples.h"
#include "support/SampleSets.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <iostream>

namespace fontlathe::test {
namespace {

// A face's glyph as the import places it on the line: its offsets and rows of '#' and '.'.
QString Placed(const BitmapFace& face, char32_t character) {
    const FaceGlyph* glyph = face.GlyphOf(character);
    if (glyph == nullptr) {
        return QStringLiteral("absent");
    }
    const FaceRaster drawn = RasterOf(face, *glyph);
    QString text = QStringLiteral("%1,%2").arg(drawn.topLeft.x()).arg(drawn.topLeft.y());
    for (int y = 0; y < drawn.raster.height(); ++y) {
        text += u' ';
        for (int x = 0; x < drawn.raster.width(); ++x) {
            text += drawn.raster.pixel(x, y) == MakeBlankRaster(1, 1).pixel(0, 0) ? u'.' : u'#';
        }
    }
    return text;
}

BitmapFace Parsed(const QByteArray& bytes) {
    BitmapFace face;
    const Result read = ParseFace(bytes, face);
    EXPECT_TRUE(read.ok()) << read.reason().toStdString();
    return face;
}

TEST(FaceFilesTest, EveryFormatAndLayoutGivesTheSamePixelsOnTheSameLine) {
    const SampleFace sample = CellFace();
    const BitmapFace reference = Parsed(BdfOf(sample));
    ASSERT_EQ(reference.ascent, 9);
    ASSERT_EQ(reference.descent, 3);
    const std::vector<std::pair<const char*, QByteArray>> files = {
        {"BDF gzipped", Gzipped(BdfOf(sample))},
        {"PCF", PcfOf(sample, {})},
        {"PCF LSB bytes and bits, pad 1", PcfOf(sample, {false, false, 1, 1, false})},
        {"PCF LSB bytes, MSB bits, unit 4", PcfOf(sample, {false, true, 4, 4, false})},
        {"PCF LSB bytes, MSB bits, unit 4, pad 1", PcfOf(sample, {false, true, 1, 4, false})},
        {"PCF MSB bytes, LSB bits, unit 2, pad 8", PcfOf(sample, {true, false, 8, 2, false})},
        {"PCF compressed metrics, gzipped", Gzipped(PcfOf(sample, {true, true, 2, 1, true}))},
        {"PSF1 with table", PsfOf(sample, 1, true)},
        {"PSF1 without table (cp437)", PsfOf(sample, 1, false)},
        {"PSF2 with table, gzipped", Gzipped(PsfOf(sample, 2, true))},
        {"PSF2 without table", PsfOf(sample, 2, false)},
    };
    for (const auto& [what, bytes] : files) {
        const BitmapFace face = Parsed(bytes);
        EXPECT_EQ(face.ascent, 9) << what;
        EXPECT_EQ(face.descent, 3) << what;
        for (const char32_t character : {U'H', U'g', U'É'}) {
            EXPECT_EQ(Placed(face, character), Placed(reference, character))
                << what << " " << uint(character);
        }
    }
}

TEST(FaceFilesTest, CharsetsKeyTheGlyphsByTheirCharacters) {
    SampleFace sample = CellFace();
    sample.glyphs.resize(1);
    sample.glyphs[0].character = 0xB1; // ą in ISO 8859-2, ± in Latin-1
    struct Case {
        const char* registry;
        const char* encoding;
        char32_t expected;
        bool noted;
    };
    for (const Case& c : {Case{"ISO8859", "2", U'ą', false}, Case{"ISO8859", "1", U'±', false},
                          Case{"KOI8", "R", U'╠', false}, Case{"MICROSOFT", "CP1251", U'±', false},
                          Case{"SUN", "FONTSPECIFIC", U'±', true}}) {
        sample.registry = QString::fromLatin1(c.registry);
        sample.encoding = QString::fromLatin1(c.encoding);
        for (const QByteArray& bytes : {BdfOf(sample), PcfOf(sample, {})}) {
            const BitmapFace face = Parsed(bytes);
            EXPECT_NE(face.GlyphOf(c.expected), nullptr) << c.registry << "-" << c.encoding;
            EXPECT_EQ(face.glyphs.size(), 1u);
            EXPECT_EQ(face.notes.size(), c.noted ? 1 : 0) << c.registry;
        }
    }
}

TEST(FaceFilesTest, ImportSpansTheLineAndKeepsInkThatLeavesIt) {
    SampleFace sample = CellFace();
    // An accented capital whose accent rises two rows above the ascent, with a negative left
    // bearing and ink past its advance.
    sample.glyphs.push_back(
        {U'Á',
         5,
         {-1, -11},
         {"...#..", "..#...", ".###..", "#...#.", "#####.", "#...#.", "#...#.", "#...##"}});
    sample.glyphs.back().rows.append(QStringList(3, QStringLiteral("......")));
    // Another program's glyph kept by code, where Latin-1 has no character.
    sample.glyphs.push_back({0x81, 2, {0, -2}, {"##", "##"}, -1});
    const BitmapFace face = Parsed(BdfOf(sample));
    Charset set;
    FaceImportReport report;
    ASSERT_TRUE(ImportFace(face, CodePage(), set, report).ok());
    EXPECT_EQ(set.fontHeight(), 12);
    EXPECT_EQ(set.bitsPerPixel(), 1);
    const Glyph* accented = set.GlyphAt(0xC1);
    ASSERT_NE(accented, nullptr);
    EXPECT_EQ(accented->xOffset, -1);
    EXPECT_EQ(accented->yOffset, -2);
    EXPECT_EQ(accented->width(), 6);   // from -1 to the ink's right, 5
    EXPECT_EQ(accented->height(), 14); // two rows above the line, then the line's 12
    EXPECT_EQ(Describe(set, 'H'), Describe(set, 'H'));
    EXPECT_EQ(set.GlyphAt('H')->height(), 12);
    EXPECT_EQ(set.GlyphAt('H')->yOffset, 0);
    EXPECT_NE(set.GlyphAt(0x81), nullptr);
    // Every Latin-1 character but the four is listed; the C1 controls are no characters.
    EXPECT_EQ(report.missing.size(), 191u - 4u);
    EXPECT_EQ(report.missing.front(), 32);

    BitmapFace tall = face;
    tall.ascent = 130;
    const Result refused = ImportFace(tall, CodePage(), set, report);
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.reason().contains(QStringLiteral("133 pixels")))
        << refused.reason().toStdString();
}

TEST(FaceFilesTest, ExportThenImportGivesTheSameGlyphsAtTheSameCodes) {
    for (const std::uint32_t seed : {1u, 7u, 42u}) {
        Charset set = VariedSet(1, seed, 60);
        set.SetFontHeight(20);
        SetGlyph(set, 5, 3, 4, [](int x, int y) { return (x + y) % 2; }); // below 32
        SetGlyph(set, 0x81, 2, 2, [](int, int) { return 1; });            // a hole of cp1250
        for (const char* pageName : {"latin1", "cp1250", "cp1253"}) { // cp1253 has no 0xFF
            const CodePage page = *CodePage::Standard(QString::fromLatin1(pageName));
            const QByteArray bdf = WriteBdf(set, page, QStringLiteral("varied"));
            Charset back;
            FaceImportReport report;
            ASSERT_TRUE(ImportFace(Parsed(bdf), page, back, report).ok());
            EXPECT_EQ(back.fontHeight(), set.fontHeight());
            for (int code = 0; code < GlyphSlotCount; ++code) {
                EXPECT_EQ(Describe(back, code), Describe(set, code))
                    << pageName << " seed " << seed << " code " << code;
            }
            EXPECT_EQ(WriteBdf(back, page, QStringLiteral("varied")), bdf);
            EXPECT_TRUE(bdf.contains("ENCODING -1 129\n")) << pageName;
            // The font's bounding box holds every glyph's.
            QRect font, glyphs;
            for (const QByteArray& line : bdf.split('\n')) {
                const QList<QByteArray> n = line.split(' ');
                if (n[0] == "FONTBOUNDINGBOX" || n[0] == "BBX") {
                    (n[0] == "BBX" ? glyphs : font) |=
                        QRect(n[3].toInt(), n[4].toInt(), n[1].toInt(), n[2].toInt());
                }
            }
            EXPECT_EQ(font | glyphs, font) << pageName;
        }
    }
}

// A console face's Unicode table names its Cyrillic letters in two-byte UTF-8: each letter's
// glyph lands on its cp1251 code as from a BDF face.
TEST(FaceFilesTest, APsf2TableGivesEachCyrillicLetterItsGlyph) {
    SampleFace sample;
    for (char32_t letter = U'А'; letter <= U'я'; ++letter) { // each glyph its own top row
        QStringList rows(12, QStringLiteral("........"));
        rows[0] =
            QString::number(letter - U'А' + 64, 2).replace(u'0', u'.').replace(u'1', u'#') + u'.';
        sample.glyphs.push_back({letter, 8, {0, -9}, rows});
    }
    const CodePage cp1251 = *CodePage::Standard(QStringLiteral("cp1251"));
    Charset fromPsf, fromBdf;
    FaceImportReport report;
    ASSERT_TRUE(ImportFace(Parsed(PsfOf(sample, 2, true)), cp1251, fromPsf, report).ok());
    ASSERT_TRUE(ImportFace(Parsed(BdfOf(sample)), cp1251, fromBdf, report).ok());
    for (int code = 0xC0; code <= 0xFF; ++code) {
        EXPECT_EQ(Describe(fromPsf, code), Describe(fromBdf, code)) << code;
    }
}

TEST(FaceFilesTest, DamagedFilesAreRefusedWithTheOffset) {
    const SampleFace sample = CellFace();
    const QByteArray bdf = BdfOf(sample);
    const QByteArray pcf = PcfOf(sample, {});
    QByteArray badHex = bdf;
    badHex.replace(bdf.indexOf("BITMAP\n") + 7, 2, "zz");
    QByteArray tableOutside = pcf;
    tableOutside[8 + 15] = '\x7F'; // the first table's offset, far past the end
    const QByteArray psf = PsfOf(sample, 2, true);
    const QByteArray gzipped = Gzipped(bdf);
    struct Case {
        const char* what;
        QByteArray bytes;
        QString reason;
    };
    const std::vector<Case> cases = {
        {"BDF cut short", bdf.first(bdf.size() - 8),
         QStringLiteral("at byte %1: the file ends before ENDFONT").arg(bdf.size() - 8)},
        {"BDF bad hex", badHex,
         QStringLiteral("at byte %1: a bitmap row holds no hexadecimal number")
             .arg(bdf.indexOf("BITMAP\n") + 7)},
        {"PCF table outside", tableOutside,
         QStringLiteral("at byte 8: a table starts past the end of the file")},
        {"PCF cut inside the bitmaps", pcf.first(pcf.size() - 600), QStringLiteral("at byte")},
        {"PSF2 glyphs cut", psf.first(40),
         QStringLiteral("at byte 32: 3 glyphs of 12 bytes do not fit in the file")},
        {"PSF2 table cut", psf.first(psf.size() - 1),
         QStringLiteral("at byte %1: the Unicode table is cut short").arg(psf.size() - 1)},
        {"gzip cut short", gzipped.first(gzipped.size() / 2), QStringLiteral("gzip stream")},
        {"no face", QByteArray("CHAR\0\0\0\0", 8), QStringLiteral("no bitmap font")},
        {"no glyph", QByteArray("STARTFONT 2.1\nCHARS 0\nENDFONT\n"),
         QStringLiteral("it holds no glyph")},
    };
    for (const Case& c : cases) {
        BitmapFace face;
        face.name = QStringLiteral("untouched");
        const Result read = ParseFace(c.bytes, face);
        EXPECT_FALSE(read.ok()) << c.what;
        EXPECT_TRUE(read.reason().startsWith(c.reason) || read.reason().contains(c.reason))
            << c.what << ": " << read.reason().toStdString();
        EXPECT_EQ(face.name, QStringLiteral("untouched")) << c.what;
    }
}

// The faces Debian installs, read as X11's own tools read them: every PCF face against the BDF
// that pcf2bdf writes for it, the console's Terminus against X11's, and every BDF that the export
// writes through bdftopcf.
class InstalledFacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pcf2bdf")).isEmpty() ||
            !QDir(QStringLiteral("/usr/share/fonts/X11/misc")).exists()) {
            GTEST_SKIP() << "the X11 faces and pcf2bdf are installed by scripts/test.sh";
        }
    }
};

// Faces of every size and table layout the test set-up installs, by name: a machine with more
// faces installed runs the same test (scripts/check-installed-faces.sh compares every one).
TEST_F(InstalledFacesTest, NamedPcfFacesReadAsPcf2bdfWritesThem) {
    const char* const names[] = {"misc/4x6.pcf.gz",
                                 "misc/5x7.pcf.gz",
                                 "misc/6x13B.pcf.gz",
                                 "misc/7x13B.pcf.gz",
                                 "misc/10x20.pcf.gz",
                                 "misc/12x13ja.pcf.gz",
                                 "misc/18x18ko.pcf.gz",
                                 "misc/cursor.pcf.gz",
                                 "misc/olgl10.pcf.gz",
                                 "misc/ter-u12n_unicode.pcf.gz",
                                 "misc/ter-u32b_unicode.pcf.gz",
                                 "75dpi/courR12.pcf.gz",
                                 "75dpi/helvB14.pcf.gz",
                                 "75dpi/timR24.pcf.gz",
                                 "75dpi/symb18.pcf.gz",
                                 "75dpi/charI08.pcf.gz"};
    int compared = 0;
    for (const char* name : names) {
        const QString path = QStringLiteral("/usr/share/fonts/X11/") + QString::fromLatin1(name);
        if (!QFileInfo::exists(path)) {
            std::cout << "skipped " << name << ": not installed (scripts/test.sh installs it)\n";
            continue;
        }
        BitmapFace pcf;
        const Result read = ReadFaceFile(path, pcf);
        ASSERT_TRUE(read.ok()) << name << ": " << read.reason().toStdString();
        QProcess convert;
        convert.start(QStringLiteral("sh"),
                      {QStringLiteral("-c"), QStringLiteral("gzip -dc \"$0\" | pcf2bdf"), path});
        ASSERT_TRUE(convert.waitForFinished(60000));
        const BitmapFace bdf = Parsed(convert.readAllStandardOutput());
        ASSERT_EQ(pcf.glyphs.size(), bdf.glyphs.size()) << name;
        EXPECT_EQ(pcf.LineHeight(), bdf.LineHeight()) << name;
        for (const auto& [character, glyph] : bdf.glyphs) {
            const FaceGlyph* same = pcf.GlyphOf(character);
            ASSERT_NE(same, nullptr) << name << " " << uint(character);
            ASSERT_TRUE(same->advance == glyph.advance && same->box == glyph.box &&
                        same->bits == glyph.bits)
                << name << " " << uint(character);
        }
        ++compared;
    }
    if (compared == 0) {
        GTEST_SKIP() << "none of the named faces is installed (scripts/test.sh installs them)";
    }
}

// A face as large as GNU Unifont: its compressed metrics count more glyphs than a signed 16-bit
// number holds.
TEST(FaceFilesTest, AFaceOfMoreThan32767GlyphsReadsWhole) {
    SampleFace sample;
    for (char32_t character = 0x20; character < 0x20 + 40000; ++character) {
        const int bit = static_cast<int>(character % 5);
        sample.glyphs.push_back(
            {character,
             5,
             {0, -2},
             {QString(5, u'.').replace(bit, 1, u'#'), QStringLiteral("#####")}});
    }
    const BitmapFace face = Parsed(Gzipped(PcfOf(sample, {true, true, 4, 1, true})));
    ASSERT_EQ(face.glyphs.size(), 40000u);
    for (const char32_t character : {U' ', U'A', U'\u4E00', char32_t(0x20 + 39999)}) {
        const FaceGlyph* glyph = face.GlyphOf(character);
        ASSERT_NE(glyph, nullptr) << uint(character);
        EXPECT_EQ(Placed(face, character).count(u'#'), 6) << uint(character);
    }
}

TEST_F(InstalledFacesTest, ConsoleTerminusHasX11TerminusPixelsAndExportsReadInBdftopcf) {
    QTemporaryDir dir;
    const CodePage cp1250 = *CodePage::Standard(QStringLiteral("cp1250"));
    for (const auto& [psf, pcf] :
         {std::pair{"Lat2-Terminus16.psf.gz", "ter-u16n_iso-8859-2.pcf.gz"},
          std::pair{"Uni2-TerminusBold32x16.psf.gz", "ter-u32b_unicode.pcf.gz"},
          std::pair{"CyrSlav-Terminus14.psf.gz", "ter-u14n_cp1251.pcf.gz"}}) {
        BitmapFace console, x11;
        ASSERT_TRUE(ReadFaceFile(QStringLiteral("/usr/share/consolefonts/") + psf, console).ok());
        ASSERT_TRUE(ReadFaceFile(QStringLiteral("/usr/share/fonts/X11/misc/") + pcf, x11).ok());
        int same = 0;
        for (const char32_t character : {U'H', U'g', U'ą', U'Ž', U'ж', U'Я', U'0', U'@'}) {
            if (console.GlyphOf(character) && x11.GlyphOf(character)) {
                EXPECT_EQ(Placed(console, character), Placed(x11, character)) << psf;
                ++same;
            }
        }
        EXPECT_GE(same, 4) << psf;
        // X11's compiler reads what the export writes, and gives back the same glyphs.
        Charset set;
        FaceImportReport report;
        ASSERT_TRUE(ImportFace(x11, cp1250, set, report).ok());
        const QString bdf = dir.filePath(QStringLiteral("face.bdf"));
        const QString compiled = dir.filePath(QStringLiteral("face.pcf"));
        QFile out(bdf);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(WriteBdf(set, cp1250, QStringLiteral("terminus")));
        out.close();
        ASSERT_EQ(
            QProcess::execute(QStringLiteral("bdftopcf"), {QStringLiteral("-o"), compiled, bdf}),
            0);
        BitmapFace back;
        ASSERT_TRUE(ReadFaceFile(compiled, back).ok());
        for (const char32_t character : {U'H', U'ą', U'Ž'}) {
            EXPECT_EQ(Placed(back, character), Placed(x11, character)) << pcf;
        }
    }
}

} // namespace
} // namespace fontlathe::test
