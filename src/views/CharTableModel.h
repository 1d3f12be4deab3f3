#pragma once

#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QAbstractTableModel>
#include <QImage>
#include <QString>

#include <array>

namespace fontlathe {

// The 256 rows of the character table, one per code, as last updated: the rows show a snapshot
// of the set taken by UpdateRows, not the live set.
class CharTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ImageColumn = 0,
        IndexColumn,
        CharColumn,
        WidthColumn,
        HeightColumn,
        XOffsetColumn,
        YOffsetColumn,
        ColumnCount
    };
    static constexpr QRgb AbsentBackground = 0xFFC0C0C0;

    explicit CharTableModel(QObject* parent = nullptr);

    // Rebuilds the row of code from the set, or all 256 rows for -1.
    void UpdateRows(const Charset& set, const QImage& noGlyphIcon, int code);
    // The page whose characters the "Char" column shows, from the next UpdateRows on.
    void SetCodePage(const CodePage& page) { page_ = page; }
    // The height of the tallest row image.
    int TallestImage() const;

    QString Text(int row, int column) const;
    const QImage& RowImage(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static QString IndexText(int code, int numChars);

private:
    struct Row {
        std::array<QString, ColumnCount> texts;
        QImage image;
        bool present = true;
    };
    void BuildRow(const Charset& set, const QImage& noGlyphIcon, int code);

    CodePage page_;

    std::array<Row, GlyphSlotCount> rows_;
};

} // namespace fontlathe
