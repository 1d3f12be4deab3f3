#pragma once

#include "CharTableModel.h"

#include <QTableView>

namespace fontlathe {

// The character table: 256 rows, one always selected, an untitled image column ahead of six
// text columns. Rows are as tall as the tallest row image needs, within limits.
class CharTableView : public QTableView {
    Q_OBJECT
public:
    static constexpr int ImageColumnWidth = 24;
    static constexpr int TextColumnWidth = 64;
    static constexpr int MaxRowHeight = 48;

    explicit CharTableView(QWidget* parent);

    CharTableModel* charModel() const { return model_; }
    // The selected row, -1 when none.
    int SelectedRow() const;
    void SelectRow(int row);
    // Refreshes one row (or all for -1) and fits the row height to the images.
    void UpdateRows(const Charset& set, const QImage& noGlyphIcon, int code);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    void FitRowHeight(int imageHeight);

    CharTableModel* model_;
    int minRowHeight_;
};

} // namespace fontlathe
