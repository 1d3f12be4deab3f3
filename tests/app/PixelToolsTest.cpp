#include "edit/EditHistory.h"
#include "gui/NumericField.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"
#include "views/GlyphView.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class PixelToolsTest : public AppFixture {
protected:
    // A 2-bit font of line height 8: A a 4 x 3 diagonal "1000 0200 0030", B a 4 x 2 block of
    // colour 1 at offset (1,0).
    void StartWithGlyphs() {
        Charset start;
        start.NewCharset(2);
        start.SetFontHeight(8);
        SetGlyph(start, 'A', 4, 3, [](int x, int y) { return x == y ? x + 1 : 0; });
        SetGlyph(
            start, 'B', 4, 2, [](int, int) { return 1; }, 1, 0);
        WriteSet(u"a.char"_s, start);
        Start({u"a.char"_s});
        ClickRow('A');
    }
    void Keys(QWidget* widget, const QList<QKeyCombination>& keys) {
        for (QKeyCombination key : keys) {
            QTest::keyClick(widget, key.key(), key.keyboardModifiers());
        }
    }
    QWidget* Canvas() { return window().glyphView()->canvas(); }
    // Shift and a drag on the canvas from glyph pixel `from` to `to`.
    void Select(QPoint from, QPoint to) {
        const int zoom = window().glyphView()->canvas()->zoom();
        const auto at = [zoom](QPoint pixel) { return pixel * zoom + QPoint(zoom / 2, zoom / 2); };
        QTest::mousePress(Canvas(), Qt::LeftButton, Qt::ShiftModifier, at(from));
        QTest::mouseMove(Canvas(), at(to));
        QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::ShiftModifier, at(to));
    }
    QString UndoText() { return window().menuAction(Menu::Undo)->text(); }
};

constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

TEST_F(PixelToolsTest, KeysMoveFlipClearAndCancelTheSelectionAsOneStepEach) {
    struct Case {
        const char* name;
        std::optional<QRect> selection; // Shift and a drag, from top-left to bottom-right
        QList<QKeyCombination> keys;
        const char* glyph; // A afterwards
        const char* undo;  // the Undo item afterwards
    };
    const Case cases[] = {
        // Nothing selected: the whole glyph moves; one run of moves is one step.
        {"move all",
         {},
         {Ctrl | Qt::Key_Right, Ctrl | Qt::Key_Right, Qt::Key_Return},
         "4x3 0,0 001000020000",
         "Undo Move Pixels 'A'"},
        {"move selection",
         QRect(0, 0, 2, 2),
         {Ctrl | Qt::Key_Down, Qt::Key_Return},
         "4x3 0,0 000010000230",
         "Undo Move Pixels 'A'"},
        {"cancel",
         QRect(0, 0, 2, 2),
         {Ctrl | Qt::Key_Down, Ctrl | Qt::Key_Left, Qt::Key_Escape},
         "4x3 0,0 100002000030",
         "Undo"},
        {"clear",
         QRect(1, 1, 3, 2),
         {Qt::Key_Delete},
         "4x3 0,0 100000000000",
         "Undo Clear Pixels 'A'"},
        // Undo puts floating pixels down first, then takes back the whole run.
        {"undo while floating",
         {},
         {Ctrl | Qt::Key_Right, Ctrl | Qt::Key_Z},
         "4x3 0,0 100002000030",
         "Undo"},
        {"delete without selection", {}, {Qt::Key_Delete}, "4x3 0,0 100002000030", "Undo"},
        {"flip ink",
         {},
         {CtrlShift | Qt::Key_H},
         "4x3 0,0 001002003000",
         "Undo Flip Horizontally 'A'"},
    };
    StartWithGlyphs();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClickRow('A');
        if (c.selection) {
            Select(c.selection->topLeft(), c.selection->bottomRight());
        }
        window().charList()->setFocus();
        Keys(window().charList(), c.keys);
        EXPECT_EQ(Describe(set(), 'A'), QString::fromLatin1(c.glyph));
        EXPECT_EQ(UndoText(), QString::fromLatin1(c.undo));
        window().menuAction(Menu::Undo)->trigger(); // drops the selection too
        EXPECT_EQ(Describe(set(), 'A'), u"4x3 0,0 100002000030"_s);
        EXPECT_FALSE(document().history().CanUndo());
    }
}

// In a text field the keys keep their meaning there; only Return and Escape are the window's, and
// only while pixels float.
TEST_F(PixelToolsTest, TextFieldsKeepTheirKeysButReturnDropsFloatingPixels) {
    StartWithGlyphs();
    const QString before = Describe(set(), 'A');
    QWidget* field = window().heightField();
    field->setFocus();
    Select({0, 0}, {3, 2});
    field->setFocus();
    Keys(field, {Ctrl | Qt::Key_Right, Ctrl | Qt::Key_Down, Qt::Key_Delete, Qt::Key_Backspace,
                 Qt::Key_Escape});
    EXPECT_EQ(Describe(set(), 'A'), before);
    EXPECT_NE(Text(Control::HeightField), u"8"_s) << "the field took Delete and Backspace";
    Keys(field, {Qt::Key_8});
    QTest::keyClick(window().charList(), Qt::Key_Right, Ctrl);
    EXPECT_NE(Describe(set(), 'A'), before);
    field->setFocus();
    Keys(field, {Qt::Key_Return});
    EXPECT_EQ(UndoText(), u"Undo Move Pixels 'A'"_s) << "Return dropped the pixels";
    EXPECT_FALSE(document().history().IsOpen());
}

TEST_F(PixelToolsTest, CopiedPixelsPasteAtTheSamePlaceOfTheLineOnAnotherGlyph) {
    StartWithGlyphs();
    Select({1, 1}, {2, 2});
    EXPECT_EQ(window().menuAction(Menu::CopyChar)->text(), u"Copy Pixels"_s);
    QTest::keyClick(window().charList(), Qt::Key_C, Ctrl);
    ClickRow('B');
    QTest::keyClick(window().charList(), Qt::Key_V, Ctrl);
    EXPECT_EQ(window().menuAction(Menu::PasteChar)->text(), u"Paste Pixels"_s);
    QTest::keyClick(window().charList(), Qt::Key_Return);
    // "20" over "03" from (1,1) of A lands on (0,1) of B at offset (1,0); its 0 is transparent
    // and the lower row falls outside B.
    EXPECT_EQ(Describe(set(), 'B'), u"4x2 1,0 11112111"_s);
    EXPECT_EQ(UndoText(), u"Undo Paste Pixels 'B'"_s);
    // Once the clipboard holds something else, Paste is Paste Char again.
    environment_.SetClipboardData(new QMimeData);
    emit window().editMenuAboutToShow();
    EXPECT_EQ(window().menuAction(Menu::PasteChar)->text(), u"Paste Char"_s);
}

TEST_F(PixelToolsTest, GuidesAndAReferenceShowTheWholeLine) {
    StartWithGlyphs();
    GlyphCanvas* canvas = window().glyphView()->canvas();
    const int zoom = canvas->zoom();
    EXPECT_EQ(canvas->height(), 3 * zoom);
    QTest::keyClick(window().charList(), Qt::Key_G, Ctrl);
    EXPECT_EQ(canvas->height(), 8 * zoom) << "the line's 8 rows";
    EXPECT_EQ(canvas->GuideAt(8 * zoom), u"Line bottom"_s);
    EXPECT_EQ(canvas->GuideAt(5 * zoom), QString());
    QTest::keyClick(window().charList(), Qt::Key_G, Ctrl);
    EXPECT_EQ(canvas->height(), 3 * zoom);
    QLineEdit* field = window().glyphView()->referenceField();
    EXPECT_FALSE(field->isVisibleTo(&window()));
    QTest::keyClick(window().charList(), Qt::Key_G, CtrlShift);
    EXPECT_TRUE(field->isVisibleTo(&window()));
    EXPECT_EQ(canvas->height(), 8 * zoom);
    // B at offset (1,0) reaches one column right of A's box.
    for (const QString& typed : {u"B"_s, u"0x42"_s}) {
        field->clear();
        TypeInto(field, typed);
        EXPECT_EQ(canvas->Box(), QRect(0, 0, 5, 8)) << typed.toStdString();
    }
}

} // namespace
} // namespace fontlathe::test
