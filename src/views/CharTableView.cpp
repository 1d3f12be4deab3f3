#include "CharTableView.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace fontlathe {

namespace {

// Draws the row image at its own size, one screen pixel per glyph pixel, clipped to its cell.
// The style draws the cell's background and selection without the decoration it would make of
// the image, and the image is then drawn once, 2 pixels in from the cell's corner.
class RowImageDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        cell.icon = QIcon();
        cell.features &= ~QStyleOptionViewItem::HasDecoration;
        cell.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        const QVariant image = index.data(Qt::DecorationRole);
        if (!image.canConvert<QImage>()) {
            return;
        }
        painter->save();
        painter->setClipRect(option.rect.adjusted(1, 1, -1, -1));
        painter->drawImage(option.rect.topLeft() + QPoint(2, 2), image.value<QImage>());
        painter->restore();
    }
};

} // namespace

CharTableView::CharTableView(QWidget* parent)
    : QTableView(parent), model_(new CharTableModel(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setSortingEnabled(false);
    setWordWrap(false);
    setItemDelegateForColumn(CharTableModel::ImageColumn, new RowImageDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(ImageColumnWidth);
    setColumnWidth(CharTableModel::ImageColumn, ImageColumnWidth);
    for (int column = CharTableModel::IndexColumn; column < CharTableModel::ColumnCount; ++column) {
        setColumnWidth(column, TextColumnWidth);
    }
    minRowHeight_ = std::max(20, fontMetrics().height() + 6);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(minRowHeight_);
}

int CharTableView::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CharTableView::SelectRow(int row) {
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(row, CharTableModel::IndexColumn);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
}

void CharTableView::UpdateRows(const Charset& set, const QImage& noGlyphIcon, int code) {
    // A paint stroke leaves the row's height as it was; only a change of height needs the
    // tallest row looked for again.
    const int before = code == -1 ? -1 : model_->RowImage(code).height();
    model_->UpdateRows(set, noGlyphIcon, code);
    if (code == -1 || model_->RowImage(code).height() != before) {
        FitRowHeight(model_->TallestImage());
    }
}

void CharTableView::FitRowHeight(int imageHeight) {
    const int height = std::clamp(imageHeight + 4, minRowHeight_, MaxRowHeight);
    if (height != verticalHeader()->defaultSectionSize()) {
        verticalHeader()->setDefaultSectionSize(height);
    }
}

QItemSelectionModel::SelectionFlags CharTableView::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
    // The table never loses its selection: a Ctrl+click or Ctrl+Space on the selected row would
    // toggle it off, so every selecting gesture selects its row outright.
    QItemSelectionModel::SelectionFlags flags = QTableView::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
        return index.isValid() ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                               : QItemSelectionModel::NoUpdate;
    }
    if ((flags & QItemSelectionModel::Clear) && !index.isValid()) {
        return QItemSelectionModel::NoUpdate;
    }
    return flags;
}

} // namespace fontlathe
