#include "CharsetReport.h"

#include "text/TextForms.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace fontlathe {

namespace {

template <typename Visit> void ForEachListedGlyph(const Charset& set, Visit visit) {
    for (int code = 0; code < set.numChars() && code < GlyphSlotCount; ++code) {
        const Glyph& glyph = set.glyphs()[static_cast<std::size_t>(code)];
        if (glyph.present()) {
            visit(code, glyph);
        }
    }
}

QString PixelRow(const Charset& set, const QImage& raster, int y) {
    static constexpr char HexDigits[] = "0123456789abcdef";
    QString row(raster.width(), u'0');
    for (int x = 0; x < raster.width(); ++x) {
        row[x] = QChar(HexDigits[set.PaletteIndexOf(raster.pixel(x, y)) & 0xF]);
    }
    return row;
}

} // namespace

QString DescribeCharset(const Charset& set, const BlockLayout& layout, const QString& path,
                        const CodePage& page) {
    QStringList colorMap;
    for (std::uint8_t entry : set.colorMap()) {
        colorMap << QString::number(entry);
    }
    int listed = 0;
    ForEachListedGlyph(set, [&](int, const Glyph&) { ++listed; });

    QString text;
    const auto field = [&text](const char* label, const QString& value) {
        text += QStringLiteral("%1 %2\n").arg(QString::fromLatin1(label), -16).arg(value);
    };
    field("File:", path);
    field("Tag:", PrintableBytes(QByteArrayView(set.tag().data(), qsizetype(set.tag().size()))));
    field("Block size:", QString::number(layout.blockSize));
    field("Data size:", QString::number(layout.dataSize));
    field("Version:", QString::number(set.version()));
    field("Color map:", colorMap.join(u' '));
    field("Bits per pixel:",
          QStringLiteral("%1 (%2 colors)").arg(set.bitsPerPixel()).arg(set.ColorCount()));
    field("Font height:", QString::number(set.fontHeight()));
    field("Stored codes:", QString::number(set.numChars()));
    field("Glyphs:", QString::number(listed));

    if (listed > 0) {
        text += QStringLiteral("\n Code  Char  Width  Height  x-Offset  y-Offset\n");
        ForEachListedGlyph(set, [&](int code, const Glyph& glyph) {
            text += QStringLiteral("%1  %2 %3 %4 %5 %6\n")
                        .arg(code, 5)
                        .arg(page.DisplayText(code), -4)
                        .arg(glyph.width(), 6)
                        .arg(glyph.height(), 7)
                        .arg(glyph.xOffset, 9)
                        .arg(glyph.yOffset, 9);
        });
    }
    return text;
}

QByteArray CharsetToJson(const Charset& set, const BlockLayout& layout) {
    QJsonArray colorMap;
    for (std::uint8_t entry : set.colorMap()) {
        colorMap.append(entry);
    }
    QJsonArray glyphs;
    ForEachListedGlyph(set, [&](int code, const Glyph& glyph) {
        QJsonArray rows;
        for (int y = 0; y < glyph.height(); ++y) {
            rows.append(PixelRow(set, glyph.raster, y));
        }
        glyphs.append(QJsonObject{
            {"code", code},
            {"width", glyph.width()},
            {"height", glyph.height()},
            {"xOffset", glyph.xOffset},
            {"yOffset", glyph.yOffset},
            {"rows", rows},
        });
    });
    const QJsonObject root{
        {"tag", QString::fromLatin1(set.tag().data(), static_cast<qsizetype>(set.tag().size()))},
        {"blockSize", static_cast<qint64>(layout.blockSize)},
        {"dataSize", static_cast<qint64>(layout.dataSize)},
        {"version", set.version()},
        {"colorMap", colorMap},
        {"bitsPerPixel", set.bitsPerPixel()},
        {"fontHeight", set.fontHeight()},
        {"numChars", set.numChars()},
        {"glyphs", glyphs},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace fontlathe
