#include "support/AppFixture.h"
#include "views/GlyphView.h"
#include "views/ImageView.h"

#include <QApplication>
#include <QScrollBar>
#include <QSlider>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class FirstHourTest : public AppFixture {
protected:
    void Wheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
    }
};

TEST_F(FirstHourTest, AFolderNamedAtStartUpIsRefusedForANewSet) {
    // The name as given is a folder, or the name with ".char" added is.
    for (const QString& name : {u"fonts"_s, u"box"_s}) {
        ASSERT_TRUE(QDir().mkpath(name == u"box"_s ? u"box.char"_s : name));
        environment_.messages.clear();
        Start({name});
        EXPECT_EQ(state().fileType.path(), u"new.char"_s) << name.toStdString();
        ASSERT_EQ(environment_.messages.size(), 1u) << name.toStdString();
        EXPECT_TRUE(environment_.messages[0].error);
        EXPECT_TRUE(environment_.messages[0].text.contains(u"a folder can't be opened"_s));
    }
}

TEST_F(FirstHourTest, PastingTextSaysThereIsNoImageAndChangesNothing) {
    Charset start;
    start.NewCharset(1);
    SetGlyph(
        start, 65, 3, 2, [](int x, int y) { return (x + y) % 2; }, 1, 2);
    WriteSet(u"a.char"_s, start);
    Start({u"a.char"_s});
    state().clipOffsets = {7, 7};
    environment_.clipboard = std::make_unique<QMimeData>();
    environment_.clipboard->setText(u"Hello"_s);
    for (int code : {65, 66}) {
        ClickRow(code);
        dispatcher().MenuCommand(Menu::PasteChar);
    }
    EXPECT_EQ(Encoded(set()), Encoded(start));
    EXPECT_FALSE(dispatcher().history().CanUndo());
    ASSERT_EQ(environment_.messages.size(), 2u);
    EXPECT_TRUE(environment_.messages[1].text.contains(u"clipboard holds no image"_s));
}

TEST_F(FirstHourTest, TheFrameCountsTheGlyphsTheFileStoresAfterEveryChangeOfTheLastCode) {
    Charset start;
    start.NewCharset(1);
    for (int code : {10, 20, 255}) {
        SetGlyph(start, code, 2, 2, [](int, int) { return 1; });
    }
    WriteSet(u"a.char"_s, start);
    Start({u"a.char"_s});
    const auto count = [this] { return Text(Control::CharsFrame).split(u' ').value(2); };
    EXPECT_EQ(count(), u"3"_s);
    ClickRow(20);
    Click(Control::LastCharButton);
    EXPECT_EQ(count(), u"2"_s) << "code 255 is no longer stored";
    dispatcher().MenuCommand(Menu::Undo);
    EXPECT_EQ(count(), u"3"_s);
    dispatcher().MenuCommand(Menu::Redo);
    EXPECT_EQ(count(), u"2"_s);
    dispatcher().MenuCommand(Menu::Reopen);
    EXPECT_EQ(count(), u"3"_s);
}

TEST_F(FirstHourTest, CtrlWheelZoomsTheGlyphAndThePreviewAPlainWheelScrolls) {
    Start();
    SetGlyph(set(), 0, 40, 40, [](int, int) { return 1; });
    dispatcher().RefreshAll(0);
    GlyphView* view = window().glyphView();
    auto* zoomBar = qobject_cast<QSlider*>(Widget(Control::ZoomBar));
    // Where the wheel turns, by how much, then the zoom shown: half notches add up to one step,
    // and the slider's ends hold.
    const std::tuple<QWidget*, int, int> turns[] = {{view->canvas(), 120, 11},
                                                    {view->viewport(), -240, 9},
                                                    {view->canvas(), 60, 9},
                                                    {view->canvas(), 60, 10},
                                                    {view->page(), 120 * 30, 24}};
    for (const auto& [where, delta, zoom] : turns) {
        Wheel(where, delta, Qt::ControlModifier);
        EXPECT_EQ(window().Zoom(), zoom) << delta;
    }
    EXPECT_EQ(view->canvas()->zoom(), 24);
    EXPECT_EQ(zoomBar->toolTip().section(u' ', 0, 1), u"Zoom: 24x"_s);
    Wheel(view->viewport(), -120, Qt::NoModifier);
    EXPECT_EQ(window().Zoom(), 24);
    EXPECT_GT(view->verticalScrollBar()->value(), 0);

    Wheel(window().previewImage(), 120, Qt::ControlModifier);
    EXPECT_EQ(window().PreviewZoom(), 3);
    Wheel(window().previewImage(), -120 * 9, Qt::ControlModifier);
    EXPECT_EQ(window().PreviewZoom(), 1);
    EXPECT_TRUE(Widget(Control::PreviewZoomBar)->toolTip().startsWith(u"Zoom: 1x"_s));
}

} // namespace
} // namespace fontlathe::test
