#include "charset/DisplayColors.h"
#include "editor/CharTableView.h"
#include "editor/NoGlyphIcon.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class CharTableTest : public AppFixture {
protected:
    QString Cell(int row, int column) {
        return window().charList()->charModel()->Text(row, column);
    }
    const QImage& RowImage(int row) { return window().charList()->charModel()->RowImage(row); }
    bool Grey(int row) {
        const CharTableModel* model = window().charList()->charModel();
        return model->data(model->index(row, CharTableModel::CharColumn), Qt::BackgroundRole)
                   .value<QColor>() == QColor(192, 192, 192);
    }
    QString Frame() { return Text(Control::CharsFrame); }
};

TEST_F(CharTableTest, RowsOfANewSet) {
    Start();
    const QImage icon = MakeNoGlyphIcon();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(icon.pixel(x, y),
                      x == y || x == 15 - y ? qRgb(255, 255, 255) : qRgb(255, 0, 0));
        }
    }
    for (int row = 0; row < 256; ++row) {
        EXPECT_EQ(Cell(row, CharTableModel::IndexColumn), u" "_s + QString::number(row));
        EXPECT_TRUE(Cell(row, CharTableModel::WidthColumn).isEmpty() &&
                    Cell(row, CharTableModel::YOffsetColumn).isEmpty());
        EXPECT_EQ(RowImage(row), icon);
        EXPECT_TRUE(Grey(row));
    }
    EXPECT_EQ(Cell(31, CharTableModel::CharColumn), u"n.p."_s);
    EXPECT_EQ(Cell(32, CharTableModel::CharColumn), u" "_s);
    EXPECT_EQ(Cell(233, CharTableModel::CharColumn), QString(QChar(0xE9)));
    EXPECT_EQ(window().charList()->columnWidth(0), 24);
    EXPECT_EQ(window().charList()->model()->headerData(6, Qt::Horizontal).toString(),
              u"y-Offset"_s);
}

TEST_F(CharTableTest, OnOffAndTheFrameCount) {
    Start();
    ClickRow(65);
    EXPECT_TRUE(Widget(Control::OnButton)->isEnabled());
    EXPECT_FALSE(Widget(Control::OffButton)->isEnabled());
    Click(Control::OnButton);
    EXPECT_EQ(set().glyphs[65].raster.size(), QSize(10, 10));
    EXPECT_EQ(Cell(65, CharTableModel::WidthColumn), u"10"_s);
    EXPECT_EQ(RowImage(65).size(), QSize(10, 10));
    EXPECT_FALSE(Grey(65));
    EXPECT_EQ(Frame(), u"Preferences of 1 chars (x) = not stored!"_s);
    EXPECT_TRUE(window().CharListHasFocus());
    EXPECT_FALSE(Widget(Control::OnButton)->isEnabled());
    EXPECT_TRUE(Widget(Control::OffButton)->isEnabled());

    // "On" on a present glyph: a fresh blank square, offsets 0, the count unchanged.
    set().glyphs[65].xOffset = -3;
    set().glyphs[65].raster.setPixel(0, 0, DisplayColors[1]);
    dispatcher().RefreshChar(65);
    EXPECT_EQ(Cell(65, CharTableModel::XOffsetColumn), u"-3"_s);
    EXPECT_EQ(RowImage(65).pixel(0, 0), DisplayColors[1]) << "the row shows the raster's pixels";
    dispatcher().ControlEvent(Control::OnButton);
    EXPECT_EQ(set().glyphs[65].xOffset, 0);
    EXPECT_EQ(set().glyphs[65].raster.pixel(0, 0), DisplayColors[0]);
    EXPECT_EQ(Frame(), u"Preferences of 1 chars (x) = not stored!"_s);

    Click(Control::OffButton);
    EXPECT_FALSE(set().glyphs[65].present());
    EXPECT_TRUE(Grey(65));
    EXPECT_EQ(Frame(), u"Preferences of 0 chars (x) = not stored!"_s);
}

TEST_F(CharTableTest, LastCharMarksTheCodesThatAreNotStored) {
    Start();
    ClickRow(99);
    Click(Control::LastCharButton);
    EXPECT_EQ(set().numChars, 100);
    EXPECT_EQ(Cell(99, CharTableModel::IndexColumn), u" 99"_s);
    EXPECT_EQ(Cell(100, CharTableModel::IndexColumn), u" (x) 100"_s);
    EXPECT_TRUE(window().CharListHasFocus());
    ClickRow(200);
    Click(Control::OnButton);
    EXPECT_EQ(Frame(), u"Preferences of 1 chars (x) = not stored!"_s) << "unstored glyphs count";
    ClickRow(0);
    Click(Control::LastCharButton);
    EXPECT_EQ(set().numChars, 1);
    ClickRow(255);
    Click(Control::LastCharButton);
    EXPECT_EQ(set().numChars, 256);
    EXPECT_EQ(Cell(255, CharTableModel::IndexColumn), u" 255"_s);
}

TEST_F(CharTableTest, ASelectionThatCanNotBeClearedAndRowsThatFitTheirImages) {
    Start();
    ClickRow(10);
    CharTableView* table = window().charList();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      table->visualRect(table->model()->index(10, 2)).center());
    EXPECT_EQ(window().CurrentRow(), 10);
    QTest::keyClick(table, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_NE(window().CurrentRow(), -1);

    const int normal = table->rowHeight(0);
    SetGlyph(set(), 70, 4, 40, [](int, int) { return 1; });
    dispatcher().RefreshChar(70);
    EXPECT_EQ(table->rowHeight(0), 44);
    SetGlyph(set(), 71, 4, 127, [](int, int) { return 1; });
    dispatcher().RefreshAll(71);
    EXPECT_EQ(table->rowHeight(255), CharTableView::MaxRowHeight);
    dispatcher().MenuCommand(Menu::New2Colors);
    EXPECT_EQ(table->rowHeight(0), normal);
}

} // namespace
} // namespace fontlathe::test
