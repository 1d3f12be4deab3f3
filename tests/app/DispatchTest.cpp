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

namespace fontlathe::test {
namespace {

class DispatchTest : public AppFixture {
protected:
    void WriteSet(const QString& name, const Charset& written) {
        EncodedBlock block;
        ASSERT_TRUE(EncodeCharset(written, DirtyBytes::Off, block).ok());
        WriteFile(name, block.bytes);
    }
};

TEST_F(DispatchTest, EveryShortcutReachesItsCommandFromEveryField) {
    Start();
    const std::pair<Qt::Key, int> shortcuts[] = {
        {Qt::Key_N, Menu::New2Colors}, {Qt::Key_M, Menu::New4Colors}, {Qt::Key_O, Menu::Open},
        {Qt::Key_R, Menu::Reopen},     {Qt::Key_1, Menu::GenerateNormal},
        {Qt::Key_2, Menu::GenerateShadowed}, {Qt::Key_3, Menu::GenerateOutlined},
        {Qt::Key_S, Menu::Save},       {Qt::Key_A, Menu::SaveAs},   {Qt::Key_Q, Menu::Close},
        {Qt::Key_C, Menu::CopyChar},   {Qt::Key_V, Menu::PasteChar},
    };
    QWidget* places[] = {Widget(Control::CharList), Widget(Control::HeightField),
                         Widget(Control::ColorMapField0 + 7), Widget(Control::PreviewText)};
    for (QWidget* place : places) {
        for (auto [key, id] : shortcuts) {
            place->setFocus();
            QSignalSpy spy(&window(), &MainWindow::menuCommand);
            QTest::keyClick(place, key, Qt::ControlModifier);
            ASSERT_EQ(spy.count(), 1) << place->objectName().toStdString() << " key " << key;
            EXPECT_EQ(spy.at(0).at(0).toInt(), id) << place->objectName().toStdString();
        }
    }
}

TEST_F(DispatchTest, TextFieldsKeepCutAndUndoButNotCopyOrSelectAll) {
    Start();
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    auto* preview = window().previewText();
    preview->setFocus();
    QTest::keyClick(preview, Qt::Key_A, Qt::ControlModifier); // Save as, not select all
    ASSERT_EQ(environment_.saveRequests.size(), 1u);
    EXPECT_FALSE(preview->textCursor().hasSelection());

    NumericField* height = window().heightField();
    height->setFocus();
    height->selectAll();
    QTest::keyClick(height, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("kept"));

    QSignalSpy commands(&window(), &MainWindow::menuCommand);
    QTest::keyClick(height, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(height->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("10"));
    EXPECT_EQ(set().fontHeight, 0);
    QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(height->text(), QStringLiteral("10"));
    EXPECT_EQ(set().fontHeight, 10);
    EXPECT_EQ(commands.count(), 0);
}

TEST_F(DispatchTest, NumericFieldsTakeDigitsUpTo255AndStoreAtOnce) {
    Start();
    NumericField* height = window().heightField();
    height->setFocus();
    height->clear();
    QTest::keyClicks(height, QStringLiteral("-1 a2"));
    EXPECT_EQ(height->text(), QStringLiteral("12"));
    EXPECT_EQ(set().fontHeight, 12);
    EXPECT_EQ(Text(Control::BitsLabel), QStringLiteral("Bits: 1 (Colors: 2)"));
    QTest::keyClick(height, Qt::Key_5);
    EXPECT_EQ(height->text(), QStringLiteral("125"));
    QTest::keyClick(height, Qt::Key_0); // 1250 is refused like a letter
    EXPECT_EQ(height->text(), QStringLiteral("125"));
    EXPECT_EQ(set().fontHeight, 125);
    height->selectAll();
    QTest::keyClick(height, Qt::Key_Backspace);
    EXPECT_EQ(set().fontHeight, 0);

    NumericField* entry3 = window().colorMapField(3);
    entry3->setFocus();
    entry3->selectAll();
    QTest::keyClicks(entry3, QStringLiteral("17"));
    EXPECT_EQ(set().colorMap[3], 17);
    QTest::keyClicks(entry3, QStringLiteral("9"));
    EXPECT_EQ(entry3->text(), QStringLiteral("179"));
    EXPECT_EQ(set().colorMap[3], 179);
    entry3->selectAll();
    QTest::keyClicks(entry3, QStringLiteral("300"));
    EXPECT_EQ(entry3->text(), QStringLiteral("30"));
    EXPECT_EQ(set().colorMap[3], 30);
}

TEST_F(DispatchTest, HeaderFollowsNewSetsAndLoadedVersions) {
    Start();
    dispatcher().MenuCommand(Menu::New4Colors);
    EXPECT_EQ(Text(Control::BitsLabel), QStringLiteral("Bits: 2 (Colors: 4)"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Fontlathe 1.00 - new.char"));

    Charset odd;
    odd.NewCharset(4);
    odd.version = -1;
    odd.fontHeight = 33;
    odd.colorMap[14] = 250;
    WriteSet(QStringLiteral("odd.char"), odd);
    environment_.openAnswers.push_back(PathOf(QStringLiteral("odd.char")));
    window().heightField()->setFocus();
    dispatcher().MenuCommand(Menu::Open);
    EXPECT_EQ(Text(Control::VersionLabel), QStringLiteral("Unknown Parameter: -1"));
    EXPECT_EQ(Text(Control::BitsLabel), QStringLiteral("Bits: 4 (Colors: 16)"));
    EXPECT_EQ(Text(Control::HeightField), QStringLiteral("33"));
    EXPECT_EQ(Text(Control::ColorMapFieldLast), QStringLiteral("250"));
    EXPECT_EQ(set().fontHeight, 33) << "moving the focus out of the field stores what it shows";
    EXPECT_TRUE(window().CharListHasFocus());
}

TEST_F(DispatchTest, RequestersAndThePathRules) {
    Start();
    dispatcher().MenuCommand(Menu::Open); // cancelled
    ASSERT_EQ(environment_.openRequests.size(), 1u);
    EXPECT_EQ(environment_.openRequests[0].title, QStringLiteral("Load SCUMM Font"));
    EXPECT_EQ(environment_.openRequests[0].startPath, QStringLiteral("new.char"));
    EXPECT_EQ(environment_.openRequests[0].filePattern, QStringLiteral("SCUMM Font (*.char)|*.char"));

    environment_.saveAnswers.push_back(PathOf(QStringLiteral("bold")));
    dispatcher().MenuCommand(Menu::SaveAs);
    EXPECT_EQ(environment_.saveRequests.back().title, QStringLiteral("Save SCUMM Font"));
    EXPECT_EQ(ReadFile(QStringLiteral("bold.char")).size(), 1057);
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Fontlathe 1.00 - ") + PathOf(QStringLiteral("bold.char")));

    environment_.saveAnswers.push_back(PathOf(QStringLiteral("bold.fnt")));
    dispatcher().MenuCommand(Menu::SaveAs);
    EXPECT_EQ(ReadFile(QStringLiteral("bold.fnt")).size(), 1057);
    EXPECT_EQ(state().fileType.path(), PathOf(QStringLiteral("bold.fnt")));
    EXPECT_EQ(environment_.saveRequests.back().startPath, PathOf(QStringLiteral("bold.char")));

    const QString before = window().windowTitle();
    dispatcher().MenuCommand(Menu::SaveAs); // cancelled
    environment_.openAnswers.push_back(PathOf(QStringLiteral("missing")));
    set().CreateBlankGlyph(65);
    dispatcher().MenuCommand(Menu::Open); // no such file: nothing happens
    EXPECT_EQ(window().windowTitle(), before);
    EXPECT_EQ(state().fileType.path(), PathOf(QStringLiteral("bold.fnt")));
    EXPECT_TRUE(set().glyphs[65].present());
    EXPECT_TRUE(environment_.messages.empty());
}

TEST_F(DispatchTest, SaveAsRefreshesOnlyTheHeader) {
    Start();
    set().CreateBlankGlyph(0); // changed behind the views' back
    environment_.saveAnswers.push_back(PathOf(QStringLiteral("x")));
    dispatcher().MenuCommand(Menu::SaveAs);
    EXPECT_TRUE(window().windowTitle().endsWith(QStringLiteral("x.char")));
    EXPECT_EQ(Text(Control::CharsFrame), QStringLiteral("Preferences of 1 chars (x) = not stored!"));
    EXPECT_EQ(window().charList()->charModel()->Text(0, CharTableModel::WidthColumn), QString())
        << "the table is not refreshed by Save as";
    dispatcher().MenuCommand(Menu::Save);
    EXPECT_EQ(window().charList()->charModel()->Text(0, CharTableModel::WidthColumn), QString());
}

TEST_F(DispatchTest, FailedFileCommandsSayWhyAndChangeNothing) {
    Start();
    WriteSet(QStringLiteral("good.char"), VariedSet(1, 4, 5));
    environment_.openAnswers.push_back(PathOf(QStringLiteral("good.char")));
    dispatcher().MenuCommand(Menu::Open);
    ASSERT_TRUE(environment_.messages.empty()) << "success is silent";
    const int glyphs = set().PresentGlyphCount();

    const QByteArray refused = HandMadeHeader(1, 8, 300);
    WriteFile(QStringLiteral("refused.char"), refused);
    environment_.openAnswers.push_back(PathOf(QStringLiteral("refused.char")));
    dispatcher().MenuCommand(Menu::Open);
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].text.contains(QStringLiteral("refused.char")));
    EXPECT_TRUE(environment_.messages[0].text.contains(QStringLiteral("300")));
    EXPECT_EQ(state().fileType.path(), PathOf(QStringLiteral("good.char")));
    EXPECT_EQ(set().PresentGlyphCount(), glyphs);

    // Save as onto a folder's name fails, and the path stays.
    const QByteArray goodBytes = ReadFile(QStringLiteral("good.char"));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("folder.char")));
    environment_.saveAnswers.push_back(PathOf(QStringLiteral("folder.char")));
    dispatcher().MenuCommand(Menu::SaveAs);
    ASSERT_EQ(environment_.messages.size(), 2u);
    EXPECT_EQ(state().fileType.path(), PathOf(QStringLiteral("good.char")));

    set().glyphs[7].raster = MakeBlankRaster(130, 2);
    dispatcher().MenuCommand(Menu::Save);
    ASSERT_EQ(environment_.messages.size(), 3u);
    EXPECT_TRUE(environment_.messages[2].text.contains(QStringLiteral("character 7"), Qt::CaseInsensitive));
    EXPECT_EQ(ReadFile(QStringLiteral("good.char")), goodBytes);

    QFile::remove(PathOf(QStringLiteral("good.char")));
    dispatcher().MenuCommand(Menu::Reopen);
    ASSERT_EQ(environment_.messages.size(), 4u);
    EXPECT_TRUE(set().glyphs[7].present()) << "a failed Reopen keeps the set";
}

TEST_F(DispatchTest, ReopenAndNewReplaceTheSet) {
    Start();
    environment_.saveAnswers.push_back(PathOf(QStringLiteral("kept.char")));
    set().CreateBlankGlyph(65);
    dispatcher().MenuCommand(Menu::SaveAs);
    set().ClearGlyph(65);
    set().CreateBlankGlyph(66);
    dispatcher().MenuCommand(Menu::Reopen);
    EXPECT_TRUE(set().glyphs[65].present());
    EXPECT_FALSE(set().glyphs[66].present());
    EXPECT_EQ(window().charList()->charModel()->Text(65, CharTableModel::WidthColumn), QStringLiteral("10"));

    dispatcher().MenuCommand(Menu::New4Colors);
    EXPECT_EQ(set().bitsPerPixel, 2);
    EXPECT_EQ(set().PresentGlyphCount(), 0);
    EXPECT_EQ(state().fileType.path(), QStringLiteral("new.char"));
    dispatcher().MenuCommand(Menu::Save);
    EXPECT_EQ(ReadFile(QStringLiteral("new.char")).at(29), 2);
}

TEST_F(DispatchTest, CloseAboutAndTheApplicationMenu) {
    Start();
    QSignalSpy quit(&dispatcher(), &Dispatcher::quitRequested);
    dispatcher().MenuCommand(Menu::AppPreferences);
    EXPECT_TRUE(environment_.messages.empty());
    dispatcher().MenuCommand(Menu::About);
    dispatcher().MenuCommand(Menu::AppAbout);
    ASSERT_EQ(environment_.messages.size(), 2u);
    EXPECT_EQ(environment_.messages[0].title, QStringLiteral("Fontlathe 1.00"));
    EXPECT_EQ(environment_.messages[0].text.count(u'\n'), 1);
    EXPECT_FALSE(environment_.messages[0].error);
    EXPECT_EQ(quit.count(), 0);
    QTest::keyClick(&window(), Qt::Key_Q, Qt::ControlModifier);
    dispatcher().MenuCommand(Menu::AppQuit);
    EXPECT_EQ(quit.count(), 2);
}

TEST_F(DispatchTest, OptionsAndDirtyBytesHandTheFocusBack) {
    Start();
    window().heightField()->setFocus();
    Click(Control::ResizeOption);
    EXPECT_TRUE(window().CharListHasFocus());
    EXPECT_EQ(dispatcher().ShiftMode(), Control::ResizeOption);
    Click(Control::OffsetOption);
    EXPECT_EQ(dispatcher().ShiftMode(), Control::OffsetOption);
    window().previewText()->setFocus();
    Click(Control::DirtyBytesCheck);
    EXPECT_TRUE(window().CharListHasFocus());
    EXPECT_TRUE(window().DirtyBytesChecked());
    set().CreateBlankGlyph(65); // 10 x 10 at 1 bit: 100 bits, no dirty byte
    set().glyphs[66].raster = MakeBlankRaster(8, 8);
    dispatcher().MenuCommand(Menu::Save);
    EXPECT_EQ(ReadFile(QStringLiteral("new.char")).size(), 1057 + 4 + 13 + 4 + 8 + 1);
}

} // namespace
} // namespace fontlathe::test
