#include "LetterPicture.h"

#include "charset/DisplayColors.h"
#include "render/TextPreview.h"
#include "text/TextForms.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace fontlathe {

namespace {

constexpr int Gap = 8;

bool Made(const LetterRow& row) {
    return row.source == LetterSource::Moved || row.source == LetterSource::Composed ||
           row.source == LetterSource::Borrowed || row.source == LetterSource::Drawn;
}

QImage Enlarged(const Glyph& glyph, int zoom) {
    return glyph.present() ? FramedGlyph(glyph.raster, zoom) : QImage();
}

struct Row {
    QImage from, made;
    QString words;
};

} // namespace

QImage FramedGlyph(const QImage& raster, int zoom) {
    if (raster.isNull()) {
        return {};
    }
    QImage framed((raster.size() + QSize(2, 2)) * zoom, QImage::Format_RGB32);
    framed.fill(DisplayColors[0]);
    QPainter painter(&framed);
    painter.drawImage(QPoint(zoom, zoom), raster.scaled(raster.size() * zoom));
    return framed;
}

QImage AddLettersPicture(const std::vector<PictureFont>& fonts, const CodePage& toPage, int zoom) {
    zoom = std::max(zoom, 4);
    const QFont words(QStringLiteral("DejaVu Sans"), 10);
    const QFontMetrics measure(words);
    const int line = measure.height();
    // Lay everything out first, then draw it once on an image of the size it needs.
    struct Section {
        QString title;
        std::vector<Row> rows;
        QImage sample;
    };
    std::vector<Section> sections;
    int width = 0, height = Gap;
    int glyphColumn = 0;
    for (const PictureFont& font : fonts) {
        Section section;
        section.title = QStringLiteral("%1: letters for %2")
                            .arg(font.name, QFileInfo(toPage.name()).fileName());
        QString newLetters;
        for (const LetterRow& row : font.plan->rows) {
            if (!Made(row)) {
                continue;
            }
            section.rows.push_back({Enlarged(row.from, zoom), Enlarged(row.glyph, zoom),
                                    LetterName(row.letter) + QStringLiteral("  ") + row.detail});
            glyphColumn = std::max(glyphColumn, section.rows.back().from.width());
            newLetters += QString::fromUcs4(&row.letter, 1);
        }
        const QSize size = PreviewSizeFor(*font.after, newLetters, 2,
                                          QSize(640, 4 + 2 * (font.after->fontHeight() + 4)),
                                          MissingMarks::Hidden, toPage);
        section.sample =
            RenderPreview(*font.after, newLetters, 2, size, MissingMarks::Hidden, toPage);
        sections.push_back(std::move(section));
    }
    const int madeColumn = Gap + glyphColumn + Gap;
    for (const Section& section : sections) {
        height += line + Gap;
        for (const Row& row : section.rows) {
            const int rowHeight = std::max({row.from.height(), row.made.height(), line});
            width = std::max(width, madeColumn + row.made.width() + Gap +
                                        measure.horizontalAdvance(row.words) + Gap);
            height += rowHeight + Gap;
        }
        width = std::max({width, section.sample.width() + 2 * Gap,
                          measure.horizontalAdvance(section.title) + 2 * Gap});
        height += section.sample.height() + 2 * Gap;
    }
    QImage picture(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    picture.fill(GlyphPageColor);
    QPainter painter(&picture);
    painter.setFont(words);
    painter.setPen(Qt::black);
    int y = Gap;
    for (const Section& section : sections) {
        painter.drawText(Gap, y + measure.ascent(), section.title);
        y += line + Gap;
        for (const Row& row : section.rows) {
            const int rowHeight = std::max({row.from.height(), row.made.height(), line});
            if (!row.from.isNull()) {
                painter.drawImage(Gap, y, row.from);
            }
            painter.drawImage(madeColumn, y, row.made);
            painter.drawText(madeColumn + row.made.width() + Gap, y + measure.ascent(), row.words);
            y += rowHeight + Gap;
        }
        painter.drawImage(Gap, y, section.sample);
        y += section.sample.height() + 2 * Gap;
    }
    painter.end();
    return picture;
}

} // namespace fontlathe
