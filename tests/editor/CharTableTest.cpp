#include "charset/DisplayColors.h"
#include "editor/CharTableView.h"
#include "editor/NoGlyphIcon.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QTest>

namespace fontlathe::test {
namespace {

class CharTableTest : public AppFixture {
protected:
    QString Cell(int row, int column) {
        return window().charList()->charModel()->Text(row, column);
    }
    const QImage& RowImage(int row) { return window().charList()->charModel()->RowImage(row); }
    QVariant Background(int row, int column) {
        const CharTableModel* model = window().charList()->charModel();
        return model->data(model->index(row, column), Qt::BackgroundRole);
    }
    bool OnEnabled() { return Widget(Control::OnButton)->isEnabled(); }
    bool OffEnabled() { return Widget(Control::OffButton)->isEnabled(); }
};

TEST(NoGlyphIconTest, RedWithWhiteDiagonals) {
    const QImage icon = MakeNoGlyphIcon();
    ASSERT_EQ(icon.size(), QSize(16, 16));
    int white = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb pixel = icon.pixel(x, y);
            const bool onDiagonal = x == y || x == 15 - y;
            EXPECT_EQ(pixel, onDiagonal ? qRgb(255, 255, 255) : qRgb(255, 0, 0)) << x << "," << y;
            white += onDiagonal ? 1 : 0;
        }
    }
    EXPECT_EQ(white, 32);
}

TEST_F(CharTableTest, NewSetRows) {
    Start();
    for (int row = 0; row < 256; ++row) {
        EXPECT_EQ(Cell(row, CharTableModel::IndexColumn),
                  QStringLiteral(" ") + QString::number(row));
        for (int column : {CharTableModel::WidthColumn, CharTableModel::HeightColumn,
                           CharTableModel::XOffsetColumn, CharTableModel::YOffsetColumn}) {
            EXPECT_TRUE(Cell(row, column).isEmpty()) << row;
        }
        EXPECT_EQ(RowImage(row), state().noGlyphIcon) << row;
        EXPECT_EQ(Background(row, CharTableModel::CharColumn).value<QColor>(),
                  QColor(192, 192, 192));
    }
    EXPECT_EQ(Cell(0, CharTableModel::CharColumn), QStringLiteral("n.p."));
    EXPECT_EQ(Cell(31, CharTableModel::CharColumn), QStringLiteral("n.p."));
    EXPECT_EQ(Cell(32, CharTableModel::CharColumn), QStringLiteral(" "));
    EXPECT_EQ(Cell(65, CharTableModel::CharColumn), QStringLiteral("A"));
    EXPECT_EQ(Cell(233, CharTableModel::CharColumn), QString(QChar(0xE9)));
    const QAbstractItemModel* model = window().charList()->model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QString());
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Index"));
    EXPECT_EQ(model->headerData(6, Qt::Horizontal).toString(), QStringLiteral("y-Offset"));
    EXPECT_EQ(window().charList()->columnWidth(0), 24);
    EXPECT_EQ(window().charList()->columnWidth(3), 64);
}

TEST_F(CharTableTest, OnOffAndTheFrameCount) {
    Start();
    ClickRow(65);
    EXPECT_EQ(window().CurrentRow(), 65);
    EXPECT_TRUE(OnEnabled());
    EXPECT_FALSE(OffEnabled());
    Click(Control::OnButton);
    ASSERT_TRUE(set().glyphs[65].present());
    EXPECT_EQ(set().glyphs[65].raster.size(), QSize(10, 10));
    EXPECT_EQ(Cell(65, CharTableModel::WidthColumn), QStringLiteral("10"));
    EXPECT_EQ(Cell(65, CharTableModel::XOffsetColumn), QStringLiteral("0"));
    EXPECT_EQ(RowImage(65).size(), QSize(10, 10));
    EXPECT_FALSE(Background(65, CharTableModel::IndexColumn).isValid());
    EXPECT_EQ(Text(Control::CharsFrame),
              QStringLiteral("Preferences of 1 chars (x) = not stored!"));
    EXPECT_TRUE(window().CharListHasFocus());
    EXPECT_FALSE(OnEnabled());
    EXPECT_TRUE(OffEnabled());

    // "On" again on a present glyph: a fresh blank square, offsets 0, the count unchanged.
    set().glyphs[65].xOffset = -3;
    set().glyphs[65].raster.setPixel(0, 0, DisplayColors[1]);
    dispatcher().RefreshChar(65);
    EXPECT_EQ(Cell(65, CharTableModel::XOffsetColumn), QStringLiteral("-3"));
    set().fontHeight = 200;
    dispatcher().ControlEvent(Control::OnButton);
    EXPECT_EQ(set().glyphs[65].raster.size(), QSize(127, 127)) << "never larger than a file holds";
    EXPECT_EQ(set().glyphs[65].xOffset, 0);
    EXPECT_EQ(set().glyphs[65].raster.pixel(0, 0), DisplayColors[0]);
    EXPECT_EQ(Text(Control::CharsFrame),
              QStringLiteral("Preferences of 1 chars (x) = not stored!"));

    Click(Control::OffButton);
    EXPECT_FALSE(set().glyphs[65].present());
    EXPECT_EQ(RowImage(65), state().noGlyphIcon);
    EXPECT_EQ(Text(Control::CharsFrame),
              QStringLiteral("Preferences of 0 chars (x) = not stored!"));
    EXPECT_TRUE(OnEnabled());

    // "Off" on an absent glyph only zeroes its offsets.
    set().glyphs[66].yOffset = 4;
    ClickRow(66);
    dispatcher().ControlEvent(Control::OffButton);
    EXPECT_EQ(set().glyphs[66].yOffset, 0);
}

TEST_F(CharTableTest, LastCharMarksTheCodesThatAreNotStored) {
    Start();
    ClickRow(99);
    Click(Control::LastCharButton);
    EXPECT_EQ(set().numChars, 100);
    EXPECT_EQ(Cell(99, CharTableModel::IndexColumn), QStringLiteral(" 99"));
    EXPECT_EQ(Cell(100, CharTableModel::IndexColumn), QStringLiteral(" (x) 100"));
    EXPECT_EQ(Cell(255, CharTableModel::IndexColumn), QStringLiteral(" (x) 255"));
    EXPECT_TRUE(window().CharListHasFocus());

    // Glyphs above numChars are counted too.
    ClickRow(200);
    Click(Control::OnButton);
    EXPECT_EQ(Text(Control::CharsFrame),
              QStringLiteral("Preferences of 1 chars (x) = not stored!"));

    ClickRow(0);
    Click(Control::LastCharButton);
    EXPECT_EQ(set().numChars, 1);
    EXPECT_EQ(Cell(1, CharTableModel::IndexColumn), QStringLiteral(" (x) 1"));
    ClickRow(255);
    Click(Control::LastCharButton);
    EXPECT_EQ(set().numChars, 256);
    EXPECT_EQ(Cell(255, CharTableModel::IndexColumn), QStringLiteral(" 255"));
}

TEST_F(CharTableTest, TheSelectionCanNotBeCleared) {
    Start();
    ClickRow(10);
    CharTableView* table = window().charList();
    const QRect cell = table->visualRect(table->model()->index(10, 2));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    EXPECT_EQ(window().CurrentRow(), 10);
    // Ctrl+Space toggles the current row in a plain list; here a row stays selected (the space
    // also jumps to the next row whose text starts with it).
    QTest::keyClick(table, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_NE(window().CurrentRow(), -1);
    EXPECT_EQ(window().CurrentRow(), table->currentIndex().row());
    const int before = window().CurrentRow();
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(window().CurrentRow(), before + 1);
}

TEST_F(CharTableTest, RowsGrowForTallGlyphsWithinALimit) {
    Start();
    CharTableView* table = window().charList();
    const int normal = table->rowHeight(0);
    SetGlyph(set(), 70, 4, 40, [](int, int) { return 1; });
    dispatcher().RefreshChar(70);
    EXPECT_EQ(table->rowHeight(0), 44);
    EXPECT_EQ(RowImage(70).size(), QSize(4, 40));
    SetGlyph(set(), 71, 4, 127, [](int, int) { return 1; });
    dispatcher().RefreshAll(71);
    EXPECT_EQ(table->rowHeight(255), CharTableView::MaxRowHeight);
    dispatcher().MenuCommand(Menu::New2Colors);
    EXPECT_EQ(table->rowHeight(0), normal);
}

} // namespace
} // namespace fontlathe::test
