#include "charset/DisplayColors.h"
#include "clipboard/ClipboardImage.h"
#include "gui/NumericField.h"
#include "render/TextPreview.h"
#include "support/AppFixture.h"
#include "views/GlyphView.h"
#include "views/ImageView.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class DispatchTest : public AppFixture {
protected:
    // Every view shows the set as it is now: each table row's image, y offset and mark of a code
    // that is not stored, the canvas, the On button, the frame's count and the preview.
    void ExpectViewsShowTheSet(const QString& sample, const char* after) {
        const CharTableModel* rows = window().charList()->charModel();
        for (int code = 0; code < GlyphSlotCount; ++code) {
            const Glyph* glyph = set().GlyphAt(code);
            ASSERT_TRUE(rows->RowImage(code) == (glyph ? glyph->raster : state().noGlyphIcon))
                << after << ", image of row " << code;
            ASSERT_EQ(rows->Text(code, CharTableModel::YOffsetColumn),
                      glyph ? QString::number(glyph->yOffset) : QString())
                << after << ", y offset of row " << code;
            ASSERT_EQ(rows->Text(code, CharTableModel::IndexColumn).contains(u'x'),
                      code >= set().numChars())
                << after << ", mark of row " << code;
        }
        const Glyph* shown = set().GlyphAt(window().CurrentRow());
        EXPECT_TRUE(window().glyphView()->canvas()->size() ==
                    (shown ? shown->raster.size() * window().Zoom() : QSize(0, 0)))
            << after << ", canvas size";
        EXPECT_EQ(Widget(Control::OnButton)->isEnabled(), !shown) << after << ", On button";
        EXPECT_TRUE(Text(Control::CharsFrame).contains(u" %1 "_s.arg(set().StoredGlyphCount())))
            << after << ", count in the frame";
        EXPECT_TRUE(window().previewImage()->image().convertToFormat(QImage::Format_RGB32) ==
                    RenderPreview(set(), sample, window().PreviewZoom())
                        .convertToFormat(QImage::Format_RGB32))
            << after;
    }
    // Refreshes every view after glyphs were set behind their back.
    void ShowTheSet() {
        presenter().RefreshAll(0);
        presenter().RefreshHeader();
    }
    void Key(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    }
};

TEST_F(DispatchTest, EveryShortcutReachesItsCommandFromEveryField) {
    Start();
    const Qt::Key keys[] = {Qt::Key_N, Qt::Key_M, Qt::Key_O, Qt::Key_R, Qt::Key_S, Qt::Key_A,
                            Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_C, Qt::Key_V, Qt::Key_Q};
    for (int place : {int{Control::CharList}, int{Control::HeightField},
                      Control::ColorMapField0 + 7, int{Control::PreviewText}}) {
        QSignalSpy commands(&window(), &MainWindow::menuCommand);
        for (Qt::Key key : keys) {
            Widget(place)->setFocus();
            Key(key);
        }
        QStringList ids;
        for (const QList<QVariant>& command : commands) {
            ids << command.at(0).toString();
        }
        // A field keeps Ctrl+A, Ctrl+C and Ctrl+V (Save as, Copy Char and Paste Char) for itself.
        EXPECT_EQ(ids.join(u' '), place == Control::CharList ? u"0 1 2 3 4 5 6 7 8 9 10 11"_s
                                                             : u"0 1 2 3 4 6 7 8 11"_s)
            << "control " << place;
    }
}

TEST_F(DispatchTest, EveryControlChangesTheGlyphRefreshesTheViewsAndHandsTheFocusBack) {
    Start();
    ChangeSet([&](Charset& s) {
        SetGlyph(
            s, 65, 3, 1, [](int x, int) { return x == 0 ? 1 : 0; }, 2, 0);
    });
    ShowTheSet();
    window().SetTextIfChanged(Control::PreviewText, u"AA"_s);
    ClickRow(65);
    const QString blank = u"10x10 0,0 "_s + QString(100, u'0');
    // The controls clicked in turn, and glyph 65 after each; shifts roll, then resize, then move.
    const int controls[] = {
        Control::ShiftRightButton, Control::ShiftLeftButton,  Control::ResizeOption,
        Control::ShiftDownButton,  Control::ShiftLeftButton,  Control::OffsetOption,
        Control::ShiftUpButton,    Control::ShiftRightButton, Control::OffButton,
        Control::ShiftRightButton, Control::OnButton,         Control::LastCharButton,
        Control::DirtyBytesCheck,  Control::RollOption};
    const QString glyphs[] = {"3x1 2,0 010",  "3x1 2,0 100",  "3x1 2,0 100",   "3x2 2,0 100000",
                              "2x2 2,0 1000", "2x2 2,0 1000", "2x2 2,-1 1000", "2x2 3,-1 1000",
                              "absent",       "absent",       blank,           blank,
                              blank,          blank};
    for (std::size_t step = 0; step < std::size(controls); ++step) {
        const int control = controls[step];
        window().previewText()->setFocus();
        Click(control);
        EXPECT_EQ(Describe(set(), 65), glyphs[step]) << "control " << control;
        EXPECT_TRUE(window().CharListHasFocus()) << "control " << control;
        ExpectViewsShowTheSet(u"AA"_s, "a click");
    }
    EXPECT_EQ(set().numChars(), 66);
    EXPECT_TRUE(window().DirtyBytesChecked());
}

TEST_F(DispatchTest, HeaderFieldsTakeWhatIsTypedAndNothingElse) {
    Start();
    ChangeSet([&](Charset& s) { s.SetFontHeight(20); }); // behind the fields' back
    ChangeSet([&](Charset& s) { s.SetColorMapEntry(3, 99); });
    QSignalSpy events(&window(), &MainWindow::controlEvent);
    for (int id :
         {int{Control::HeightField}, Control::ColorMapField0 + 3, int{Control::CharList}}) {
        Widget(id)->setFocus();
    }
    EXPECT_EQ(events.count(), 0) << "focus alone is no edit";
    EXPECT_EQ(set().fontHeight(), 20);
    EXPECT_EQ(set().colorMap()[3], 99);
    NumericField* height = window().heightField();
    height->setFocus();
    height->selectAll();
    Key(Qt::Key_X);
    // Cut, and an empty field is 0.
    EXPECT_EQ(QApplication::clipboard()->text(), u"10"_s);
    EXPECT_EQ(set().fontHeight(), 0);
    QTest::keyClicks(height, u"-1 a250"_s); // sign, blank, letter and 1250 refused
    EXPECT_EQ(height->text(), u"125"_s);
    EXPECT_EQ(set().fontHeight(), 125);
    ExpectViewsShowTheSet(SampleText, "typing a height");
    NumericField* entry = window().colorMapField(3);
    entry->setFocus();
    entry->selectAll();
    QTest::keyClicks(entry, u"2565"_s); // 256 is refused, 255 taken
    EXPECT_EQ(entry->text(), u"255"_s);
    EXPECT_EQ(set().colorMap()[3], 255);
    // The window closes with the focus in a field.
}

TEST_F(DispatchTest, PreviewDrawsTheTextAsTypedWithItsNoBreakSpaces) {
    Start();
    ChangeSet([&](Charset& s) { SetGlyph(s, 'I', 1, 3, [](int, int) { return 1; }); });
    ChangeSet([&](Charset& s) {
        SetGlyph(s, 160, 4, 2, [](int x, int) { return x % 2; });
    }); // no glyph for the space
    ShowTheSet();
    window().SetTextIfChanged(Control::PreviewText, QString());
    window().previewText()->setFocus();
    QTest::keyClicks(window().previewText(), u"I\u00A0I"_s);
    QTest::keyClick(window().previewText(), Qt::Key_Return);
    QTest::keyClicks(window().previewText(), u"I"_s);
    const QString typed = u"I\u00A0I\nI"_s;
    ASSERT_NE(RenderPreview(set(), typed, 2), RenderPreview(set(), u"I I\nI"_s, 2));
    ExpectViewsShowTheSet(typed, "typing");
    QTest::keyClick(Widget(Control::PreviewZoomBar), Qt::Key_End);
    EXPECT_EQ(window().PreviewZoom(), 6);
    ExpectViewsShowTheSet(typed, "a preview zoom");
}

TEST_F(DispatchTest, CopyAndPasteOneGlyphThroughTheClipboard) {
    Start();
    dispatcher().MenuCommand(Menu::New4Colors);
    ChangeSet([&](Charset& s) {
        SetGlyph(
            s, 65, 4, 1, [](int x, int) { return x; }, 1, -2);
    });
    ShowTheSet();
    ClickRow(64); // absent: nothing to copy
    Key(Qt::Key_C);
    EXPECT_EQ(environment_.clipboardWrites, 0);
    ClickRow(65);
    Key(Qt::Key_C);
    ClickRow(66);
    Key(Qt::Key_V);
    EXPECT_EQ(Describe(set(), 66), u"4x1 1,-2 0123"_s);
    ExpectViewsShowTheSet(SampleText, "a paste");
    dispatcher().MenuCommand(Menu::New2Colors);
    Key(Qt::Key_V);
    EXPECT_EQ(set().glyphs()[66].raster.pixel(2, 0), DisplayColors[0]) << "not a colour of the set";
    EXPECT_EQ(Describe(set(), 66), u"4x1 1,-2 0100"_s);
    // An image too large changes nothing and says why (no image at all: FirstHourTest).
    environment_.SetClipboardData(MakeClipboardData(MakeBlankRaster(200, 20)));
    ClickRow(66);
    Key(Qt::Key_V);
    EXPECT_EQ(Describe(set(), 66), u"4x1 1,-2 0100"_s);
    for (int field : {Control::PreviewText, Control::HeightField}) {
        Widget(field)->setFocus();
        Key(Qt::Key_C);
        Key(Qt::Key_V);
    }
    EXPECT_EQ(environment_.clipboardWrites, 2) << "outside the table neither command runs";
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].text.contains(u"200 x 20"_s));
    ExpectViewsShowTheSet(SampleText, "the pastes");
}

} // namespace
} // namespace fontlathe::test
