#include "CharTableModel.h"

#include <QColor>

#include <algorithm>

namespace fontlathe {

CharTableModel::CharTableModel(QObject* parent) : QAbstractTableModel(parent) {}

QString CharTableModel::IndexText(int code, int numChars) {
    return (code < numChars ? QStringLiteral(" ") : QStringLiteral(" (x) ")) +
           QString::number(code);
}

void CharTableModel::BuildRow(const Charset& set, const QImage& noGlyphIcon, int code) {
    Row& row = rows_[static_cast<std::size_t>(code)];
    const Glyph& glyph = set.glyphs()[static_cast<std::size_t>(code)];
    row.present = glyph.present();
    row.texts[IndexColumn] = IndexText(code, set.numChars());
    row.texts[CharColumn] = page_.DisplayText(code);
    if (row.present) {
        row.image = glyph.raster;
        row.texts[WidthColumn] = QString::number(glyph.width());
        row.texts[HeightColumn] = QString::number(glyph.height());
        row.texts[XOffsetColumn] = QString::number(glyph.xOffset);
        row.texts[YOffsetColumn] = QString::number(glyph.yOffset);
    } else {
        row.image = noGlyphIcon;
        for (int column : {WidthColumn, HeightColumn, XOffsetColumn, YOffsetColumn}) {
            row.texts[static_cast<std::size_t>(column)].clear();
        }
    }
}

void CharTableModel::UpdateRows(const Charset& set, const QImage& noGlyphIcon, int code) {
    if (code == -1) {
        for (int k = 0; k < GlyphSlotCount; ++k) {
            BuildRow(set, noGlyphIcon, k);
        }
        emit dataChanged(index(0, 0), index(GlyphSlotCount - 1, ColumnCount - 1));
    } else if (Charset::IsValidCode(code)) {
        BuildRow(set, noGlyphIcon, code);
        emit dataChanged(index(code, 0), index(code, ColumnCount - 1));
    }
}

int CharTableModel::TallestImage() const {
    int tallest = 0;
    for (const Row& row : rows_) {
        tallest = std::max(tallest, row.image.height());
    }
    return tallest;
}

QString CharTableModel::Text(int row, int column) const {
    if (row < 0 || row >= GlyphSlotCount || column < 0 || column >= ColumnCount) {
        return QString();
    }
    return rows_[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(column)];
}

const QImage& CharTableModel::RowImage(int row) const {
    return rows_[static_cast<std::size_t>(std::clamp(row, 0, GlyphSlotCount - 1))].image;
}

int CharTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : GlyphSlotCount;
}

int CharTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CharTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return QVariant();
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return column == ImageColumn ? QVariant()
                                     : QVariant(row.texts[static_cast<std::size_t>(column)]);
    case Qt::DecorationRole:
        return column == ImageColumn && !row.image.isNull() ? QVariant(row.image) : QVariant();
    case Qt::ToolTipRole:
        // "n.p." is all that fits the column; the tip spells it out.
        return column == CharColumn && row.texts[CharColumn] == u"n.p."
                   ? QVariant(QStringLiteral("not printable"))
                   : QVariant();
    case Qt::BackgroundRole:
        return column != ImageColumn && !row.present ? QVariant(QColor::fromRgb(AbsentBackground))
                                                     : QVariant();
    default:
        return QVariant();
    }
}

QVariant CharTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    static const char* const Titles[ColumnCount] = {"",       "Index",    "Char",    "Width",
                                                    "Height", "x-Offset", "y-Offset"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(Titles[section]) : QString();
}

Qt::ItemFlags CharTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace fontlathe
