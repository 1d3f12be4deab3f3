#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"
#include "gui/NumericField.h"
#include "gui/QtEnvironment.h"
#include "render/TextPreview.h"
#include "support/AppFixture.h"
#include "views/ImageView.h"
#include "views/PaletteBar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTimer>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

using WindowDetailsTest = AppFixture;

// Which shortcuts reach the window from a field is the dispatch tests' business; here the field
// does its own work with the keys it keeps.
TEST_F(WindowDetailsTest, TextFieldsSelectAllAndPasteThemselves) {
    Start();
    window().heightField()->setFocus();
    QTest::keyClick(window().heightField(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(window().heightField()->selectedText(), u"10"_s);
    QGuiApplication::clipboard()->setText(u"Привет"_s);
    window().previewText()->setFocus();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_V}) {
        QTest::keyClick(window().previewText(), key, Qt::ControlModifier);
    }
    EXPECT_EQ(Text(Control::PreviewText), u"Привет"_s);
}

// The table says why a character shows nothing, and the palette names each colour.
TEST_F(WindowDetailsTest, TheTableAndThePaletteExplainThemselvesInTooltips) {
    Start();
    const QAbstractItemModel* table = window().charList()->model();
    EXPECT_EQ(table->index(7, CharTableModel::CharColumn).data(Qt::ToolTipRole),
              u"not printable"_s);
    PaletteBar* bar = window().paletteBar();
    QHelpEvent help(QEvent::ToolTip, {30, 5}, bar->mapToGlobal(QPoint(30, 5)));
    QApplication::sendEvent(bar, &help);
    EXPECT_EQ(QToolTip::text(), u"Index 1: #FFFFFF"_s);
    EXPECT_EQ(bar->SwatchToolTip({50, 5}), QString()) << "a new set has two colours";
}

TEST_F(WindowDetailsTest, GenerateOffersAndDrawsTheStyleLastChosen) {
    Start();
    environment_.fontAnswers = {{u"DejaVu Sans"_s, 16, false, false, false, u"Book"_s}};
    dispatcher().MenuCommand(Menu::GenerateNormal);
    const QByteArray book = Encoded(set());
    QTest::keyClick(&window(), Qt::Key_2, Qt::ControlModifier);
    const FontChoice again = environment_.fontRequests.back();
    EXPECT_EQ(again.styleName, u"Book"_s);
    // The desktop's requester shows that face, not the first one it lists.
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* requester = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(requester, nullptr);
        shown = requester->currentFont().styleName();
        requester->reject();
    });
    QtEnvironment().AskFont(&window(), again);
    EXPECT_EQ(shown, u"Book"_s);
    // "Book" is the face drawn without a style name; "Oblique" is another.
    ChangeSet([&](Charset& s) {
        GenerateCharset(s, MakeDrawingFont({u"DejaVu Sans"_s, 16, 0}), GenerationStyle::Normal);
    });
    EXPECT_EQ(Encoded(set()), book);
    ChangeSet([&](Charset& s) {
        GenerateCharset(s, MakeDrawingFont({u"DejaVu Sans"_s, 16, 0, u"Oblique"_s}),
                        GenerationStyle::Normal);
    });
    EXPECT_NE(Encoded(set()), book);
}

// Mark Missing names in the preview's title the characters the set has no glyph for, the
// invisible ones by their code points, and marks them in the preview; unchecked, neither.
TEST_F(WindowDetailsTest, MarkingMissingCharactersNamesThemInThePreviewTitle) {
    Start();
    ChangeSet([&](Charset& s) { SetGlyph(s, 'a', 3, 3, [](int, int) { return 1; }); });
    QAction* mark = window().menuAction(Menu::MarkMissing);
    for (const auto& [text, missing] : {std::pair{u"aą\u00e9a"_s, u"ą \u00e9"_s},
                                        {u"a \u00A0a\u0301"_s, u"space U+00A0 U+0301"_s}}) {
        window().previewText()->setPlainText(text);
        const QImage plain = window().previewImage()->grab().toImage();
        mark->trigger();
        EXPECT_EQ(Text(Control::PreviewFrame), u"Char Preview (missing: %1)"_s.arg(missing));
        EXPECT_NE(window().previewImage()->grab().toImage(), plain);
        mark->trigger();
        EXPECT_EQ(Text(Control::PreviewFrame), u"Char Preview"_s);
        EXPECT_EQ(window().previewImage()->grab().toImage(), plain);
    }
}

// The window grows: the table in height, the canvas and the preview both ways, the rest with
// the corner it belongs to; at its smallest every control stands where it always stood.
TEST_F(WindowDetailsTest, TheWindowGrowsWithItsControlsAndRemembersItsSize) {
    Start();
    const auto geometry = [this](int id) { return Widget(id)->geometry(); };
    EXPECT_EQ(geometry(Control::CharList), QRect(30, 150, 480, 340));
    EXPECT_EQ(geometry(Control::PreviewImage), QRect(QPoint(220, 550), PreviewSize));
    const QSize smallest = window().size();
    window().resize(smallest + QSize(200, 300));
    QCoreApplication::processEvents();
    EXPECT_EQ(geometry(Control::CharList), QRect(30, 150, 480, 340 + 150));
    EXPECT_EQ(geometry(Control::GlyphScrollArea), QRect(530, 150, 290 + 200, 210 + 150));
    EXPECT_EQ(geometry(Control::OnButton), QRect(835 + 200, 150, 45, 30));
    EXPECT_EQ(geometry(Control::LastCharButton), QRect(780 + 200, 460 + 150, 100, 30));
    EXPECT_EQ(geometry(Control::ShiftLeftButton), QRect(530, 420 + 150, 40, 70));
    EXPECT_EQ(geometry(Control::PreviewImage), QRect(220, 550 + 150, 600 + 200, 70 + 150));
    EXPECT_EQ(window().previewImage()->image().size(), QSize(800, 220)) << "drawn again";

    // The guide stands where a line of the font reaches 320 pixels, while it is wanted.
    Widget(Control::PreviewZoomBar)->setFocus();
    qobject_cast<QSlider*>(Widget(Control::PreviewZoomBar))->setValue(1);
    EXPECT_EQ(window().previewImage()->guide(), 4 + 1 + 320);
    window().menuAction(Menu::ShowScreenWidth)->trigger();
    EXPECT_EQ(window().previewImage()->guide(), -1);
    window().menuAction(Menu::MarkMissing)->trigger();

    const QSize grown = window().size();
    app_.reset();
    Start();
    EXPECT_EQ(window().size(), grown) << "the size of the last run";
    EXPECT_FALSE(window().menuAction(Menu::ShowScreenWidth)->isChecked());
    EXPECT_TRUE(window().menuAction(Menu::MarkMissing)->isChecked());
}

} // namespace
} // namespace fontlathe::test
