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

namespace fontlathe::test {
namespace {

class PreviewAndShiftTest : public AppFixture {
protected:
    QImage Preview() {
        return window().previewImage()->image().convertToFormat(QImage::Format_RGB32);
    }
    // The set's glyph 'I': one pixel of ink.
    void AddDot() {
        SetGlyph(set(), 'I', 1, 1, [](int, int) { return 1; });
        dispatcher().RefreshAll(state().currentChar);
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
    EXPECT_EQ(set().glyphs[65].raster.size(), QSize(3, 2));
    EXPECT_EQ(window().charList()->charModel()->Text(65, CharTableModel::HeightColumn),
              QStringLiteral("2"));
    EXPECT_EQ(window().glyphView()->canvas()->size(), QSize(30, 20));

    Click(Control::OffsetOption);
    for (int i = 0; i < 3; ++i) {
        Click(Control::ShiftUpButton);
    }
    EXPECT_EQ(set().glyphs[65].yOffset, -3);
    EXPECT_EQ(window().charList()->charModel()->Text(65, CharTableModel::YOffsetColumn),
              QStringLiteral("-3"));
    Click(Control::ShiftLeftButton);
    EXPECT_EQ(set().glyphs[65].xOffset, -1);
    EXPECT_EQ(set().glyphs[65].raster.size(), QSize(3, 2));

    ClickRow(66); // absent: nothing changes, the focus still comes back
    window().heightField()->setFocus();
    Click(Control::ShiftLeftButton);
    EXPECT_FALSE(set().glyphs[66].present());
    EXPECT_TRUE(window().CharListHasFocus());
}

TEST_F(PreviewAndShiftTest, PreviewRedrawsAfterEveryChange) {
    Start();
    AddDot();
    window().SetTextIfChanged(Control::PreviewText, QString());
    dispatcher().RenderPreview();
    QImage empty(600, 70, QImage::Format_RGB32);
    empty.fill(DisplayColors[0]);
    EXPECT_EQ(Preview(), empty);

    // Typing into the sample text.
    QTest::keyClicks(window().previewText(), QStringLiteral("I"));
    EXPECT_EQ(Preview().pixel(6, 4), DisplayColors[1]);
    // The zoom bar.
    auto* zoom = static_cast<QSlider*>(Widget(Control::PreviewZoomBar));
    zoom->setValue(6);
    EXPECT_EQ(Preview().pixel(10, 4), DisplayColors[1]);
    EXPECT_EQ(Preview().pixel(15, 9), DisplayColors[1]);
    zoom->setValue(1);
    // The height field, after fontHeight is set.
    QTest::keyClick(window().previewText(), Qt::Key_Return);
    QTest::keyClicks(window().previewText(), QStringLiteral("I"));
    EXPECT_EQ(Preview().pixel(5, 14), DisplayColors[1]);
    NumericField* height = window().heightField();
    height->setFocus();
    height->selectAll();
    QTest::keyClicks(height, QStringLiteral("20"));
    EXPECT_EQ(set().fontHeight, 20);
    EXPECT_EQ(Preview().pixel(5, 24), DisplayColors[1]);
    EXPECT_EQ(Preview().pixel(5, 14), DisplayColors[0]);
    // Painting a glyph.
    ClickRow('I');
    dispatcher().ControlEvent(Control::OffButton);
    EXPECT_EQ(Preview().pixel(5, 4), DisplayColors[0]);
}

TEST_F(PreviewAndShiftTest, CommandLineRenderEqualsTheWindow) {
    Start();
    Charset font = VariedSet(2, 77, 60);
    for (int code = 'a'; code <= 'z'; ++code) {
        SetGlyph(
            font, code, 3 + code % 4, 5 + code % 3,
            [code](int x, int y) { return (x + y + code) % 4; }, code % 3 - 1, code % 2);
    }
    EncodedBlock block;
    ASSERT_TRUE(EncodeCharset(font, DirtyBytes::Off, block).ok());
    WriteFile(QStringLiteral("font.char"), block.bytes);
    environment_.openAnswers.push_back(PathOf(QStringLiteral("font.char")));
    dispatcher().MenuCommand(Menu::Open);

    const QString text = QStringLiteral("hello world\nzebra quiz");
    window().SetTextIfChanged(Control::PreviewText, text);
    window().SetStateIfChanged(Control::PreviewZoomBar, 3);
    dispatcher().RenderPreview();

    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int status =
        RunCli({QStringLiteral("render"), PathOf(QStringLiteral("font.char")),
                QStringLiteral("--text"), text, QStringLiteral("--zoom"), QStringLiteral("3"),
                QStringLiteral("-o"), PathOf(QStringLiteral("out.png"))},
               outStream, errStream);
    ASSERT_EQ(status, 0) << err.toStdString();
    const QImage rendered(PathOf(QStringLiteral("out.png")));
    ASSERT_EQ(rendered.size(), QSize(600, 70));
    EXPECT_EQ(rendered.convertToFormat(QImage::Format_RGB32), Preview());
    EXPECT_NE(Preview(),
              RenderPreview(Charset(), QString(), 1).convertToFormat(QImage::Format_RGB32))
        << "the sample draws something";

    // Defaults: the sample text at zoom 2, 600 x 70; a custom size.
    ASSERT_EQ(RunCli({QStringLiteral("render"), PathOf(QStringLiteral("font.char")),
                      QStringLiteral("-o"), PathOf(QStringLiteral("default.png")),
                      QStringLiteral("--size"), QStringLiteral("200x30")},
                     outStream, errStream),
              0);
    const QImage small(PathOf(QStringLiteral("default.png")));
    EXPECT_EQ(small.size(), QSize(200, 30));
    EXPECT_EQ(
        small.convertToFormat(QImage::Format_RGB32),
        RenderPreview(set(),
                      QStringLiteral("The quick brown fox jumps over the lazy dog.\r\n1234567890"),
                      2, QSize(200, 30))
            .convertToFormat(QImage::Format_RGB32));
    for (const QStringList& wrong :
         {QStringList{"render", "font.char"},
          QStringList{"render", "font.char", "-o", "x.png", "--zoom", "7"},
          QStringList{"render", "font.char", "-o", "x.png", "--size", "0x5"}}) {
        EXPECT_EQ(RunCli(wrong, outStream, errStream), 2) << wrong.join(' ').toStdString();
    }
}

} // namespace
} // namespace fontlathe::test
