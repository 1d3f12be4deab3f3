#include "charset/DisplayColors.h"
#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"
#include "support/SampleSets.h"
#include "text/CodePage.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

Charset Generate(const GenerationFont& font, GenerationStyle style = GenerationStyle::Normal,
                 GeneratedInk* ink = nullptr) {
    Charset set;
    set.NewCharset(1);
    EXPECT_TRUE(GenerateCharset(set, MakeDrawingFont(font), style, CodePage(), ink).ok());
    return set;
}

// Whether any pixel of the glyph inside the area has an index other than 0, among all 16.
bool InkIn(const Glyph& glyph, QRect area, int highest = 0) {
    Charset all;
    all.NewCharset(4);
    area = area.intersected(glyph.raster.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (all.PaletteIndexOf(glyph.raster.pixel(x, y)) > highest) {
                return true;
            }
        }
    }
    return false;
}

TEST(RasterizerTest, EveryStyleGivesAWellFormedSet) {
    for (const QString& family : {u"DejaVu Sans"_s, u"Liberation Sans"_s}) {
        for (int size : {10, 16}) {
            const Charset normal = Generate({family, size, 0});
            // Each style: its depth, the x offset of every glyph and the highest index drawn.
            for (auto [style, bits, xOffset, highest] :
                 {std::tuple{GenerationStyle::Normal, 1, 1, 1},
                  {GenerationStyle::Shadowed, 2, 0, 2},
                  {GenerationStyle::Outlined, 2, -1, 2}}) {
                const int grown = static_cast<int>(style);
                SCOPED_TRACE(family.toStdString() + " " + std::to_string(size * 10 + grown));
                GeneratedInk ink;
                const Charset set = Generate({family, size, 0}, style, &ink);
                EXPECT_EQ(set.numChars() + set.bitsPerPixel(), 256 + bits);
                EXPECT_EQ(set.fontHeight(), normal.fontHeight());
                bool someGlyphStartsAtTheTopLine = false;
                for (int code = 0; code < 256; ++code) {
                    const Glyph& glyph = set.glyphs()[code];
                    ASSERT_TRUE(code >= 32 || !glyph.present()) << code;
                    const int w = glyph.width(), h = glyph.height();
                    const InkBox& box = ink.boxes[code];
                    const int firstInk = box.top - ink.topLine;
                    if (!glyph.present() || box.empty) {
                        EXPECT_FALSE(InkIn(glyph, glyph.raster.rect()));
                        continue;
                    }
                    // Grown by the style, inked at the edges but the top; above the first inked
                    // row as many blank rows as it lay below the common top line.
                    EXPECT_EQ(glyph.raster.size(),
                              normal.glyphs()[code].raster.size() + QSize(grown, grown));
                    EXPECT_EQ(QPoint(glyph.xOffset, glyph.yOffset), QPoint(xOffset, 0)) << code;
                    EXPECT_FALSE(InkIn(glyph, glyph.raster.rect(), highest)) << code;
                    EXPECT_TRUE(InkIn(glyph, {0, 0, 1, h})) << code << ", left edge";
                    EXPECT_TRUE(InkIn(glyph, {w - 1, 0, 1, h})) << code << ", right edge";
                    EXPECT_TRUE(InkIn(glyph, {0, h - 1, w, 1})) << code << ", bottom edge";
                    EXPECT_TRUE(InkIn(glyph, {0, firstInk, w, 1})) << code << ", first ink row";
                    EXPECT_FALSE(InkIn(glyph, {0, 0, w, firstInk})) << code;
                    someGlyphStartsAtTheTopLine |= firstInk == 0;
                }
                EXPECT_TRUE(someGlyphStartsAtTheTopLine);
                const QFontMetricsF metrics(MakeDrawingFont({family, size, 0}));
                for (int space : {32, 160}) {
                    const int advance = int(metrics.horizontalAdvance(QChar(space)));
                    EXPECT_EQ(set.glyphs()[space].raster.size(),
                              QSize(advance + grown, set.fontHeight() + grown));
                }
            }
        }
    }
}

TEST(RasterizerTest, RefusedRunsLeaveTheSetAsItWas) {
    Charset set = VariedSet(2, 31);
    GeneratedInk ink;
    ink.topLine = 7;
    const QByteArray before = Encoded(set);
    for (int size : {200, 5000}) {
        const QFont huge = MakeDrawingFont({u"DejaVu Sans"_s, size, 0});
        const QString reason =
            GenerateCharset(set, huge, GenerationStyle::Normal, CodePage(), &ink).reason();
        EXPECT_TRUE(reason.contains(u"at most 127 x 127"_s)) << reason.toStdString();
    }
    EXPECT_EQ(Encoded(set), before);
    EXPECT_EQ(ink.topLine, 7);
    Charset blank;
    blank.NewCharset(1);
    EXPECT_FALSE(CheckGeneratedSet(blank, 0, 12).ok()) << "a set without ink";
    blank.SlotAt(200)->raster = MakeBlankRaster(128, 3);
    EXPECT_TRUE(CheckGeneratedSet(blank, 3, 12).reason().contains(u"(200)"_s));
}

// The raster cut to its ink: the shape drawn, wherever it lies.
QImage InkShape(const QImage& raster) {
    QRect ink;
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x) {
            ink |= raster.pixel(x, y) == DisplayColors[0] ? QRect() : QRect(x, y, 1, 1);
        }
    }
    return raster.copy(ink);
}

TEST(RasterizerTest, EachCodeIsDrawnAsThePagesCharacter) {
    const QFont font = MakeDrawingFont({u"DejaVu Sans"_s, 16, 0});
    Charset set;
    set.NewCharset(1);
    ASSERT_TRUE(
        GenerateCharset(set, font, GenerationStyle::Normal, *CodePage::Standard(u"cp1251"_s)).ok());
    QImage direct = MakeBlankRaster(60, 60);
    QPainter painter(&direct);
    painter.setFont(font);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(QColor::fromRgb(DisplayColors[1]));
    painter.drawText(QPoint(5, 40), u"\u0410"_s);
    painter.end();
    EXPECT_EQ(InkShape(set.glyphs()[0xC0].raster), InkShape(direct));
    EXPECT_NE(InkShape(direct),
              InkShape(Generate({u"DejaVu Sans"_s, 16, 0}).glyphs()[0xC0].raster));
    EXPECT_FALSE(set.glyphs()[0x98].present()) << "cp1251 leaves 0x98 empty";
    EXPECT_TRUE(set.glyphs()[0xA0].present()) << "the no-break space";
}

TEST(DrawingFontTest, BoldAndItalicWinOverAStyleNameOfTheInterfaceFontAndFallbacksAreNamed) {
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
    EXPECT_TRUE(used.bold()) << used.styleName().toStdString();
    EXPECT_TRUE(used.italic()) << used.styleName().toStdString();
    EXPECT_TRUE(withStyleName == alone) << "the drawing takes the interface font's face";
    // Underline changes no pixel; no pixel is a blend of the set's colours.
    EXPECT_EQ(Encoded(Generate({u"Liberation Sans"_s, 14, 7})), alone);
    EXPECT_TRUE(MakeDrawingFont(boldItalic).styleStrategy() & QFont::NoAntialias);
    // A family that is not installed is named with the installed one that draws instead.
    const QString unknown = u"No Such Family 123"_s;
    const QFont fallback = MakeDrawingFont({unknown, 12, 0});
    EXPECT_TRUE(
        QFontDatabase::families().contains(SubstitutedFamily(fallback, unknown).value_or(unknown)));
    EXPECT_EQ(SubstitutedFamily(MakeDrawingFont({u"DejaVu Sans"_s, 12, 0}), u"DejaVu Sans"_s),
              std::nullopt);
}

} // namespace
} // namespace fontlathe::test
