#include "charset/CharCodec.h"
#include "editor/CharTableView.h"
#include "gui/NumericField.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class DispatchTest : public AppFixture {
protected:
    QString Cell(int row, int column) {
        return window().charList()->charModel()->Text(row, column);
    }
};

TEST_F(DispatchTest, EveryShortcutReachesItsCommandFromEveryField) {
    Start();
    const std::pair<Qt::Key, int> shortcuts[] = {{Qt::Key_N, Menu::New2Colors},
                                                 {Qt::Key_M, Menu::New4Colors},
                                                 {Qt::Key_O, Menu::Open},
                                                 {Qt::Key_R, Menu::Reopen},
                                                 {Qt::Key_1, Menu::GenerateNormal},
                                                 {Qt::Key_2, Menu::GenerateShadowed},
                                                 {Qt::Key_3, Menu::GenerateOutlined},
                                                 {Qt::Key_S, Menu::Save},
                                                 {Qt::Key_A, Menu::SaveAs},
                                                 {Qt::Key_Q, Menu::Close},
                                                 {Qt::Key_C, Menu::CopyChar},
                                                 {Qt::Key_V, Menu::PasteChar}};
    for (QWidget* place : {Widget(Control::CharList), Widget(Control::HeightField),
                           Widget(Control::ColorMapField0 + 7), Widget(Control::PreviewText)}) {
        for (auto [key, id] : shortcuts) {
            place->setFocus();
            QSignalSpy spy(&window(), &MainWindow::menuCommand);
            QTest::keyClick(place, key, Qt::ControlModifier);
            ASSERT_EQ(spy.count(), 1) << place->objectName().toStdString() << " key " << key;
            EXPECT_EQ(spy.at(0).at(0).toInt(), id);
        }
    }
    // Ctrl+A in the sample text is Save as, not select all; Ctrl+C in a field copies nothing.
    EXPECT_FALSE(window().previewText()->textCursor().hasSelection());
    QApplication::clipboard()->setText(u"kept"_s);
    window().heightField()->setFocus();
    window().heightField()->selectAll();
    QTest::keyClick(window().heightField(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), u"kept"_s);
}

TEST_F(DispatchTest, FieldsKeepCutAndUndoAndTakeDigitsUpTo255) {
    Start();
    NumericField* height = window().heightField();
    height->setFocus();
    height->selectAll();
    QSignalSpy commands(&window(), &MainWindow::menuCommand);
    QTest::keyClick(height, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), u"10"_s);
    EXPECT_EQ(set().fontHeight, 0) << "an empty field is 0";
    QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(set().fontHeight, 10);
    EXPECT_EQ(commands.count(), 0);

    height->clear();
    QTest::keyClicks(height, u"-1 a25"_s); // sign, blank and letter refused
    EXPECT_EQ(height->text(), u"125"_s);
    QTest::keyClick(height, Qt::Key_0); // 1250 is refused like a letter
    EXPECT_EQ(height->text(), u"125"_s);
    EXPECT_EQ(set().fontHeight, 125);
    EXPECT_EQ(Text(Control::BitsLabel), u"Bits: 1 (Colors: 2)"_s);

    NumericField* entry3 = window().colorMapField(3);
    entry3->setFocus();
    entry3->selectAll();
    QTest::keyClicks(entry3, u"300"_s);
    EXPECT_EQ(entry3->text(), u"30"_s);
    EXPECT_EQ(set().colorMap[3], 30);
}

TEST_F(DispatchTest, OpenSaveAsAndThePathRules) {
    Start();
    dispatcher().MenuCommand(Menu::Open); // cancelled
    ASSERT_EQ(environment_.openRequests.size(), 1u);
    EXPECT_EQ(environment_.openRequests[0].title, u"Load SCUMM Font"_s);
    EXPECT_EQ(environment_.openRequests[0].startPath, u"new.char"_s);
    EXPECT_EQ(environment_.openRequests[0].filePattern, u"SCUMM Font (*.char)|*.char"_s);

    environment_.saveAnswers = {PathOf(u"bold"_s), PathOf(u"bold.fnt"_s)};
    dispatcher().MenuCommand(Menu::SaveAs);
    EXPECT_EQ(environment_.saveRequests.back().title, u"Save SCUMM Font"_s);
    EXPECT_EQ(ReadFile(u"bold.char"_s).size(), 1057);
    EXPECT_EQ(window().windowTitle(), u"Fontlathe 1.00 - "_s + PathOf(u"bold.char"_s));
    dispatcher().MenuCommand(Menu::SaveAs);
    EXPECT_EQ(ReadFile(u"bold.fnt"_s).size(), 1057);
    EXPECT_EQ(environment_.saveRequests.back().startPath, PathOf(u"bold.char"_s));

    // Cancel, and Open of a name that does not exist, change nothing.
    const QString title = window().windowTitle();
    set().CreateBlankGlyph(65);
    dispatcher().MenuCommand(Menu::SaveAs);
    environment_.openAnswers.push_back(PathOf(u"missing"_s));
    dispatcher().MenuCommand(Menu::Open);
    EXPECT_EQ(window().windowTitle(), title);
    EXPECT_TRUE(set().glyphs[65].present());
    EXPECT_EQ(Cell(65, CharTableModel::WidthColumn), QString())
        << "Save as refreshes only the header";

    Charset odd;
    odd.NewCharset(4);
    odd.version = -1;
    odd.fontHeight = 33;
    WriteSet(u"odd.char"_s, odd);
    environment_.openAnswers.push_back(PathOf(u"odd.char"_s));
    window().heightField()->setFocus();
    dispatcher().MenuCommand(Menu::Open);
    EXPECT_EQ(Text(Control::VersionLabel), u"Unknown Parameter: -1"_s);
    EXPECT_EQ(Text(Control::BitsLabel), u"Bits: 4 (Colors: 16)"_s);
    EXPECT_EQ(set().fontHeight, 33) << "moving the focus out of the field stores what it shows";
    EXPECT_TRUE(window().CharListHasFocus());
    EXPECT_TRUE(environment_.messages.empty()) << "success is silent";
}

TEST_F(DispatchTest, FailedFileCommandsSayWhyAndChangeNothing) {
    Start();
    WriteSet(u"good.char"_s, VariedSet(1, 4, 5));
    environment_.openAnswers = {PathOf(u"good.char"_s), PathOf(u"refused.char"_s)};
    dispatcher().MenuCommand(Menu::Open);
    const int glyphs = set().PresentGlyphCount();
    WriteFile(u"refused.char"_s, HandMadeHeader(1, 8, 300));
    dispatcher().MenuCommand(Menu::Open);
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].text.contains(u"refused.char"_s));
    EXPECT_TRUE(environment_.messages[0].text.contains(u"300"_s));
    EXPECT_EQ(state().fileType.path(), PathOf(u"good.char"_s));
    EXPECT_EQ(set().PresentGlyphCount(), glyphs);

    const QByteArray goodBytes = ReadFile(u"good.char"_s);
    ASSERT_TRUE(QDir().mkdir(u"folder.char"_s));
    environment_.saveAnswers.push_back(PathOf(u"folder.char"_s));
    dispatcher().MenuCommand(Menu::SaveAs);
    ASSERT_EQ(environment_.messages.size(), 2u);
    EXPECT_EQ(state().fileType.path(), PathOf(u"good.char"_s));

    set().glyphs[7].raster = MakeBlankRaster(130, 2);
    dispatcher().MenuCommand(Menu::Save);
    ASSERT_EQ(environment_.messages.size(), 3u);
    EXPECT_TRUE(environment_.messages[2].text.contains(u"character 7"_s, Qt::CaseInsensitive));
    EXPECT_EQ(ReadFile(u"good.char"_s), goodBytes);

    QFile::remove(PathOf(u"good.char"_s));
    dispatcher().MenuCommand(Menu::Reopen);
    EXPECT_EQ(environment_.messages.size(), 4u);
    EXPECT_TRUE(set().glyphs[7].present()) << "a failed Reopen keeps the set";
}

TEST_F(DispatchTest, NewReopenDirtyBytesAndTheWaysToEnd) {
    Start();
    environment_.saveAnswers.push_back(PathOf(u"kept.char"_s));
    set().CreateBlankGlyph(65); // 10 x 10 at 1 bit: 100 bits, no dirty byte
    set().glyphs[66].raster = MakeBlankRaster(8, 8);
    window().previewText()->setFocus();
    Click(Control::DirtyBytesCheck);
    EXPECT_TRUE(window().CharListHasFocus());
    dispatcher().MenuCommand(Menu::SaveAs);
    EXPECT_EQ(ReadFile(u"kept.char"_s).size(), 1057 + 4 + 13 + 4 + 8 + 1);
    set().ClearGlyph(65);
    dispatcher().MenuCommand(Menu::Reopen);
    EXPECT_EQ(Cell(65, CharTableModel::WidthColumn), u"10"_s);

    dispatcher().MenuCommand(Menu::New4Colors);
    EXPECT_EQ(Text(Control::BitsLabel), u"Bits: 2 (Colors: 4)"_s);
    EXPECT_EQ(set().PresentGlyphCount(), 0);
    EXPECT_EQ(state().fileType.path(), u"new.char"_s);

    QSignalSpy quit(&dispatcher(), &Dispatcher::quitRequested);
    dispatcher().MenuCommand(Menu::AppPreferences);
    dispatcher().MenuCommand(Menu::About);
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_EQ(environment_.messages[0].title, u"Fontlathe 1.00"_s);
    EXPECT_EQ(environment_.messages[0].text.count(u'\n'), 1);
    EXPECT_EQ(quit.count(), 0);
    dispatcher().MenuCommand(Menu::AppQuit);
    QTest::keyClick(&window(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quit.count(), 2);
}

} // namespace
} // namespace fontlathe::test
