#include "support/AppFixture.h"
#include "views/GlyphView.h"
#include "views/ImageView.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

using FirstHourTest = AppFixture;

TEST_F(FirstHourTest, PastingTextSaysThereIsNoImageAndChangesNothing) {
    Charset start;
    start.NewCharset(1);
    SetGlyph(
        start, 65, 3, 2, [](int x, int) { return x % 2; }, 1, 2);
    WriteSet(u"a.char"_s, start);
    Start({u"a.char"_s});
    const QByteArray before = Encoded(set());
    state().clipOffsets = {7, 7};
    environment_.clipboard = std::make_unique<QMimeData>();
    environment_.clipboard->setText(u"Hello"_s);
    for (int code : {65, 66}) {
        ClickRow(code);
        dispatcher().MenuCommand(Menu::PasteChar);
    }
    EXPECT_EQ(Encoded(set()), before);
    EXPECT_FALSE(dispatcher().history().CanUndo());
    ASSERT_EQ(environment_.messages.size(), 2u);
    EXPECT_TRUE(environment_.messages[1].text.contains(u"clipboard holds no image"_s));
}

TEST_F(FirstHourTest, TheFrameCountsTheStoredGlyphsAfterEveryChangeOfTheLastCode) {
    Start();
    for (int code : {10, 20, 255}) {
        ChangeSet([&](Charset& s) { SetGlyph(s, code, 2, 2, [](int, int) { return 1; }); });
    }
    ClickRow(20);
    Click(Control::LastCharButton);
    const auto count = [this] { return Text(Control::CharsFrame).split(u' ').value(2); };
    EXPECT_EQ(count(), u"2"_s) << "code 255 is no longer stored";
    dispatcher().MenuCommand(Menu::Undo);
    EXPECT_EQ(count(), u"3"_s);
}

TEST_F(FirstHourTest, CtrlWheelZoomsTheGlyphAndThePreviewAPlainWheelScrolls) {
    Start();
    ChangeSet([&](Charset& s) { SetGlyph(s, 0, 40, 40, [](int, int) { return 1; }); });
    GlyphView* view = window().glyphView();
    // Where the wheel turns, by how much, with which keys, then the zoom of the glyph and of the
    // preview: half notches add up to one step, and the sliders' ends hold.
    const std::tuple<QWidget*, int, Qt::KeyboardModifier, int, int> turns[] = {
        {view->canvas(), 120, Qt::ControlModifier, 11, 2},
        {view->page(), -60, Qt::ControlModifier, 11, 2},
        {view->viewport(), -180, Qt::ControlModifier, 9, 2},
        {view->canvas(), 120 * 30, Qt::ControlModifier, 24, 2},
        {view->viewport(), -120, Qt::NoModifier, 24, 2},
        {window().previewImage(), -120 * 9, Qt::ControlModifier, 24, 1}};
    for (const auto& [where, delta, keys, zoom, previewZoom] : turns) {
        QWheelEvent event(QPointF(2, 2), where->mapToGlobal(QPointF(2, 2)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(where, &event);
        EXPECT_EQ(window().Zoom(), zoom) << delta;
        EXPECT_EQ(window().PreviewZoom(), previewZoom) << delta;
    }
    EXPECT_EQ(view->canvas()->zoom(), 24);
    EXPECT_GT(view->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(Widget(Control::ZoomBar)->toolTip().contains(u"\nZoom: 24x"_s));
    EXPECT_TRUE(Widget(Control::PreviewZoomBar)->toolTip().contains(u"\nZoom: 1x"_s));
}

} // namespace
} // namespace fontlathe::test
