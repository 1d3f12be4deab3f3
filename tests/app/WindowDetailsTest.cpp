#include "gui/NumericField.h"
#include "gui/QtEnvironment.h"
#include "support/AppFixture.h"
#include "views/PaletteBar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

using WindowDetailsTest = AppFixture;

TEST_F(WindowDetailsTest, TextFieldsKeepTheirEditingKeysAndTheWindowKeepsTheRest) {
    Charset start;
    start.NewCharset(1);
    SetGlyph(start, 65, 3, 3, [](int, int) { return 1; });
    WriteSet(u"a.char"_s, start);
    Start({u"a.char"_s});
    const auto ctrl = [](QWidget* widget, Qt::Key key) {
        widget->setFocus();
        QTest::keyClick(widget, key, Qt::ControlModifier);
    };
    NumericField* height = window().heightField();
    ctrl(height, Qt::Key_A);
    EXPECT_EQ(height->selectedText(), u"10"_s);
    QPlainTextEdit* sample = window().previewText();
    ctrl(sample, Qt::Key_A);
    ctrl(sample, Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), sample->toPlainText());
    QGuiApplication::clipboard()->setText(u"Привет"_s);
    ctrl(sample, Qt::Key_V);
    EXPECT_EQ(sample->toPlainText(), u"Привет"_s);
    EXPECT_TRUE(environment_.saveRequests.empty()) << "Ctrl+A in a field is not Save As";
    EXPECT_EQ(environment_.clipboardWrites, 0);
    ctrl(sample, Qt::Key_1);
    EXPECT_EQ(environment_.fontRequests.size(), 1u) << "other shortcuts still reach the window";
    ClickRow(65);
    ctrl(window().charList(), Qt::Key_C);
    EXPECT_EQ(environment_.clipboardWrites, 1);
    ctrl(window().charList(), Qt::Key_A);
    EXPECT_EQ(environment_.saveRequests.size(), 1u);
}

TEST_F(WindowDetailsTest, ControlsANewcomerCannotNameHaveTooltips) {
    Start();
    for (int id : {Control::OnButton, Control::OffButton, Control::ShiftLeftButton,
                   Control::ShiftRightButton, Control::ShiftUpButton, Control::ShiftDownButton,
                   Control::ZoomBar, Control::PreviewZoomBar, Control::DirtyBytesCheck,
                   Control::DirtyBytesLabel, Control::VersionLabel}) {
        EXPECT_FALSE(Widget(id)->toolTip().isEmpty()) << "control " << id;
    }
    const QAbstractItemModel* table = window().charList()->model();
    EXPECT_EQ(table->index(7, CharTableModel::CharColumn).data(Qt::ToolTipRole),
              u"not printable"_s);
    EXPECT_FALSE(table->index(65, CharTableModel::CharColumn).data(Qt::ToolTipRole).isValid());
    PaletteBar* bar = window().paletteBar();
    QHelpEvent help(QEvent::ToolTip, {30, 5}, bar->mapToGlobal(QPoint(30, 5)));
    QApplication::sendEvent(bar, &help);
    EXPECT_EQ(QToolTip::text(), u"Index 1: #FFFFFF"_s);
    EXPECT_EQ(bar->SwatchToolTip({50, 5}), QString()) << "a new set has two colours";
}

TEST_F(WindowDetailsTest, TheFontRequesterOpensOnTheStyleLastChosen) {
    Start();
    environment_.fontAnswers = {{u"DejaVu Sans"_s, 16, false, false, false, u"Book"_s}};
    dispatcher().MenuCommand(Menu::GenerateNormal);
    QTest::keyClick(&window(), Qt::Key_2, Qt::ControlModifier);
    ASSERT_EQ(environment_.fontRequests.size(), 2u);
    const FontChoice again = environment_.fontRequests[1];
    EXPECT_EQ(again.family, u"DejaVu Sans"_s);
    EXPECT_EQ(again.styleName, u"Book"_s);
    EXPECT_EQ(again.pointSize, 16.0);
    // The desktop's requester shows that face, not the first one it lists.
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* requester = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(requester, nullptr);
        shown = requester->currentFont().styleName();
        requester->reject();
    });
    QtEnvironment desktop;
    EXPECT_EQ(desktop.AskFont(&window(), again), std::nullopt);
    EXPECT_EQ(shown, u"Book"_s);
}

TEST_F(WindowDetailsTest, MarkedPreviewTitleNamesInvisibleCharacters) {
    Start();
    SetGlyph(set(), 'a', 3, 3, [](int, int) { return 1; });
    window().previewText()->setPlainText(u"a \u00A0a\u0301"_s);
    window().menuAction(Menu::MarkMissing)->trigger();
    EXPECT_EQ(Text(Control::PreviewFrame), u"Char Preview (missing: space U+00A0 U+0301)"_s);
}

} // namespace
} // namespace fontlathe::test
