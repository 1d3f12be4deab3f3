#include "charset/CharCodec.h"
#include "charset/DisplayColors.h"
#include "cli/CliApp.h"
#include "editor/CharTableView.h"
#include "editor/GlyphView.h"
#include "editor/ImageView.h"
#include "editor/TextPreview.h"
#include "gui/NumericField.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class PreviewAndShiftTest : public AppFixture {
protected:
    QRgb PreviewAt(int x, int y) {
        return window().previewImage()->image().pixel(x, y) | 0xFF000000u;
    }
};

TEST_F(PreviewAndShiftTest, ArrowButtonsShiftRefreshAndHandTheFocusBack) {
    Start();
    SetGlyph(set(), 65, 3, 1, [](int x, int) { return x == 0 ? 1 : 0; });
    ClickRow(65);
    window().previewText()->setFocus();
    Click(Control::ShiftRightButton); // Roll
    EXPECT_EQ(set().glyphs[65].raster.pixel(1, 0), DisplayColors[1]);
    EXPECT_EQ(window().charList()->charModel()->RowImage(65).pixel(1, 0), DisplayColors[1]);
    EXPECT_TRUE(window().CharListHasFocus());
    Click(Control::ResizeOption);
    Click(Control::ShiftDownButton);
    EXPECT_EQ(window().glyphView()->canvas()->size(), QSize(30, 20));
    Click(Control::OffsetOption);
    Click(Control::ShiftUpButton);
    EXPECT_EQ(window().charList()->charModel()->Text(65, CharTableModel::YOffsetColumn), u"-1"_s);
}

TEST_F(PreviewAndShiftTest, PreviewRedrawsAfterEveryChange) {
    Start();
    SetGlyph(set(), 'I', 1, 1, [](int, int) { return 1; });
    window().SetTextIfChanged(Control::PreviewText, QString());
    QTest::keyClicks(window().previewText(), u"I"_s);
    EXPECT_EQ(PreviewAt(6, 4), DisplayColors[1]);
    static_cast<QSlider*>(Widget(Control::PreviewZoomBar))->setValue(6);
    EXPECT_EQ(PreviewAt(15, 9), DisplayColors[1]);
    static_cast<QSlider*>(Widget(Control::PreviewZoomBar))->setValue(1);
    QTest::keyClick(window().previewText(), Qt::Key_Return);
    QTest::keyClicks(window().previewText(), u"I"_s);
    EXPECT_EQ(PreviewAt(5, 14), DisplayColors[1]);
    window().heightField()->setFocus();
    window().heightField()->selectAll();
    QTest::keyClicks(window().heightField(), u"20"_s);
    EXPECT_EQ(PreviewAt(5, 24), DisplayColors[1]);
    EXPECT_EQ(PreviewAt(5, 14), DisplayColors[0]);
    ClickRow('I');
    Click(Control::OffButton);
    EXPECT_EQ(PreviewAt(5, 4), DisplayColors[0]);
}

TEST_F(PreviewAndShiftTest, CommandLineRenderEqualsTheWindow) {
    Start();
    Charset font = VariedSet(2, 77, 60);
    for (int code = 'a'; code <= 'z'; ++code) {
        SetGlyph(
            font, code, 3 + code % 4, 5 + code % 3,
            [code](int x, int y) { return (x + y + code) % 4; }, code % 3 - 1, code % 2);
    }
    WriteSet(u"font.char"_s, font);
    environment_.openAnswers.push_back(PathOf(u"font.char"_s));
    dispatcher().MenuCommand(Menu::Open);
    const QString text = u"hello world\nzebra quiz"_s;
    window().SetTextIfChanged(Control::PreviewText, text);
    window().SetStateIfChanged(Control::PreviewZoomBar, 3);
    dispatcher().RenderPreview();

    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    ASSERT_EQ(RunCli({u"render"_s, PathOf(u"font.char"_s), u"--text"_s, text, u"--zoom"_s, u"3"_s,
                      u"-o"_s, PathOf(u"out.png"_s)},
                     outStream, errStream),
              0)
        << err.toStdString();
    const QImage rendered(PathOf(u"out.png"_s));
    EXPECT_EQ(rendered.convertToFormat(QImage::Format_RGB32),
              window().previewImage()->image().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(
        RunCli({u"render"_s, PathOf(u"font.char"_s), u"-o"_s, u"x.png"_s, u"--zoom"_s, u"7"_s},
               outStream, errStream),
        2);
}

} // namespace
} // namespace fontlathe::test
