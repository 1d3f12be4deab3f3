#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"
#include "support/SampleSets.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

Charset Generate(const GenerationFont& font, GenerationStyle style = GenerationStyle::Normal) {
    Charset set;
    set.NewCharset(1);
    const FileResult result = GenerateCharset(set, MakeDrawingFont(font), style);
    EXPECT_TRUE(result.ok()) << result.reason().toStdString();
    return set;
}

// The highest palette index, among all 16, of the glyph's pixels inside the area.
int HighestIndexIn(const Glyph& glyph, QRect area) {
    Charset all;
    all.NewCharset(4);
    area = area.intersected(glyph.raster.rect());
    int highest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            highest = std::max(highest, all.PaletteIndexOf(glyph.raster.pixel(x, y)));
        }
    }
    return highest;
}

TEST(RasterizerTest, EveryStyleGivesAWellFormedSet) {
    // Style, then bits per pixel, x offset of every glyph and highest index it gives.
    const std::tuple<GenerationStyle, int, int, int> styles[] = {
        {GenerationStyle::Normal, 1, 1, 1},
        {GenerationStyle::Shadowed, 2, 0, 2},
        {GenerationStyle::Outlined, 2, -1, 2}};
    for (const QString& family : {u"DejaVu Sans"_s, u"Liberation Sans"_s}) {
        for (int size : {10, 16}) {
            for (auto [style, bits, xOffset, highest] : styles) {
                const int grown = static_cast<int>(style);
                SCOPED_TRACE(family.toStdString() + " " + std::to_string(size) + " style " +
                             std::to_string(grown));
                const Charset set = Generate({family, size, 0}, style);
                EXPECT_EQ(set.numChars + set.bitsPerPixel, 256 + bits);
                int tallest = 0;
                bool someGlyphStartsAtTheTopLine = false;
                for (int code = 0; code < 256; ++code) {
                    const Glyph& glyph = set.glyphs[code];
                    ASSERT_TRUE(code >= 32 || !glyph.present()) << code;
                    if (!glyph.present()) {
                        continue;
                    }
                    EXPECT_EQ(QPoint(glyph.xOffset, glyph.yOffset), QPoint(xOffset, 0)) << code;
                    EXPECT_LE(HighestIndexIn(glyph, glyph.raster.rect()), highest) << code;
                    const int w = glyph.width(), h = glyph.height();
                    const int firstInk = glyph.inkBox.top - set.minInkTop;
                    if (glyph.inkBox.empty == 0) {
                        // Ink touches the left, right and bottom edges; above its first inked
                        // row lie as many blank rows as it lay below the common top line.
                        EXPECT_GT(HighestIndexIn(glyph, {0, 0, 1, h}), 0) << code;
                        EXPECT_GT(HighestIndexIn(glyph, {w - 1, 0, 1, h}), 0) << code;
                        EXPECT_GT(HighestIndexIn(glyph, {0, h - 1, w, 1}), 0) << code;
                        EXPECT_GT(HighestIndexIn(glyph, {0, firstInk, w, 1}), 0) << code;
                        EXPECT_EQ(HighestIndexIn(glyph, {0, 0, w, firstInk}), 0) << code;
                        someGlyphStartsAtTheTopLine |= firstInk == 0;
                        tallest = std::max(tallest, h);
                    }
                }
                EXPECT_TRUE(someGlyphStartsAtTheTopLine);
                EXPECT_EQ(set.fontHeight, tallest - grown);
                const QFontMetricsF metrics(MakeDrawingFont({family, size, 0}));
                for (int space : {32, 160}) {
                    EXPECT_EQ(set.glyphs[space].inkBox.empty, 1);
                    const int advance = int(metrics.horizontalAdvance(QChar(space)));
                    EXPECT_EQ(set.glyphs[space].raster.size(), QSize(advance + grown, tallest));
                }
            }
        }
    }
}

TEST(RasterizerTest, ShadowAndOutlineGrowEachGlyphByOneAndTwo) {
    const GenerationFont font{u"DejaVu Sans"_s, 16, 0};
    const Charset normal = Generate(font);
    const Charset shadowed = Generate(font, GenerationStyle::Shadowed);
    const Charset outlined = Generate(font, GenerationStyle::Outlined);
    EXPECT_EQ(shadowed.fontHeight, normal.fontHeight);
    EXPECT_EQ(outlined.fontHeight, normal.fontHeight);
    for (int code : {int{'A'}, int{'g'}, int{'W'}, int{'1'}, int{'@'}, 0xC9, 0xE7}) {
        const QSize size = normal.glyphs[code].raster.size();
        EXPECT_EQ(shadowed.glyphs[code].raster.size(), size + QSize(1, 1)) << code;
        EXPECT_EQ(outlined.glyphs[code].raster.size(), size + QSize(2, 2)) << code;
    }
}

TEST(RasterizerTest, RefusedRunsLeaveTheSetAsItWas) {
    Charset set = VariedSet(2, 31);
    set.minInkTop = 7;
    const QByteArray before = Encoded(set);
    for (int size : {200, 5000}) {
        const FileResult refused = GenerateCharset(
            set, MakeDrawingFont({u"DejaVu Sans"_s, size, 0}), GenerationStyle::Normal);
        EXPECT_TRUE(refused.reason().contains(u"at most 127 x 127"_s))
            << refused.reason().toStdString();
    }
    EXPECT_EQ(Encoded(set), before);
    EXPECT_EQ(set.minInkTop, 7);
    Charset blank;
    blank.NewCharset(1);
    blank.glyphs[32].raster = MakeBlankRaster(3, 3);
    EXPECT_FALSE(CheckGeneratedSet(blank, 0, 12).ok()) << "a set without ink";
    EXPECT_TRUE(CheckGeneratedSet(blank, 3, 12).ok());
    blank.glyphs[200].raster = MakeBlankRaster(128, 3);
    EXPECT_TRUE(CheckGeneratedSet(blank, 3, 12).reason().contains(u"(200)"_s));
}

TEST(DrawingFontTest, BoldAndItalicWinOverAStyleNameOfTheInterfaceFont) {
    const GenerationFont boldItalic{u"Liberation Sans"_s, 14,
                                    GenerationFont::Bold | GenerationFont::Italic};
    const QByteArray alone = Encoded(Generate(boldItalic));
    const QFont interfaceFont = QGuiApplication::font();
    QFont styled = interfaceFont;
    styled.setStyleName(u"Regular"_s); // as a desktop may name its interface font's face
    QGuiApplication::setFont(styled);
    const QFontInfo used(MakeDrawingFont(boldItalic));
    const QByteArray withStyleName = Encoded(Generate(boldItalic));
    QGuiApplication::setFont(interfaceFont);
    EXPECT_TRUE(used.bold() && used.italic()) << used.styleName().toStdString();
    EXPECT_TRUE(withStyleName == alone) << "the drawing takes the interface font's face";
}

TEST(DrawingFontTest, AnUnknownFamilyFallsBackToAnInstalledOneThatIsNamed) {
    const QString unknown = u"No Such Family 123"_s;
    const std::optional<QString> used =
        SubstitutedFamily(MakeDrawingFont({unknown, 12, 0}), unknown);
    EXPECT_TRUE(used && QFontDatabase::families().contains(*used));
    EXPECT_EQ(SubstitutedFamily(MakeDrawingFont({u"DejaVu Sans"_s, 12, 0}), u"DejaVu Sans"_s),
              std::nullopt);
    const Charset fallback = Generate({unknown, 12, 0});
    EXPECT_GT(
        std::count_if(fallback.glyphs.begin(), fallback.glyphs.end(),
                      [](const Glyph& glyph) { return glyph.present() && !glyph.inkBox.empty; }),
        150);
    // Underline changes no pixel; pixels are the set's colours, never a blend of them.
    EXPECT_EQ(Encoded(Generate({u"DejaVu Sans"_s, 14, GenerationFont::Underline})),
              Encoded(Generate({u"DejaVu Sans"_s, 14, 0})));
    EXPECT_TRUE(MakeDrawingFont({unknown, 12, 0}).styleStrategy() & QFont::NoAntialias);
}

} // namespace
} // namespace fontlathe::test
