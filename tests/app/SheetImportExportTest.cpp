#include "faces/FaceFile.h"
#include "sheet/GlyphSheet.h"
#include "support/FaceSamples.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

using SheetCommandsTest = AppFixture;

TEST_F(SheetCommandsTest, ExportThenImportIsOneUndoableStepAndAFailureNamesFileAndCode) {
    WriteSet(u"a.char"_s, VariedSet(2, 7));
    Start({u"a.char"_s});
    const QByteArray original = Encoded(set());
    environment_.saveAnswers = {PathOf(u"sheet"_s)};
    dispatcher().MenuCommand(Menu::ExportSheet);
    ASSERT_TRUE(QFile::exists(PathOf(u"sheet.png"_s)));

    dispatcher().MenuCommand(Menu::New2Colors);
    environment_.openAnswers = {PathOf(u"sheet.png"_s)};
    dispatcher().MenuCommand(Menu::ImportSheet);
    EXPECT_EQ(Encoded(set()), original);
    EXPECT_TRUE(window().windowTitle().endsWith(u"new.char *"_s)) << "the path stays";
    dispatcher().MenuCommand(Menu::Undo);
    EXPECT_EQ(set().PresentGlyphCount(), 0);

    // A sheet with a colour that is none of the 18, in the cell of code 17 (row 1, column 1).
    QImage bad = QImage(PathOf(u"sheet.png"_s)).convertToFormat(QImage::Format_RGB32);
    const QSize cell = DefaultSheetCell(VariedSet(2, 7));
    bad.setPixel(cell.width() + 2, cell.height() + 2, qRgb(1, 2, 3));
    ASSERT_TRUE(bad.save(PathOf(u"bad.png"_s)));
    environment_.openAnswers = {PathOf(u"bad.png"_s)};
    dispatcher().MenuCommand(Menu::ImportSheet);
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].text.contains(PathOf(u"bad.png"_s)));
    EXPECT_TRUE(environment_.messages[0].text.contains(u"character 17"_s, Qt::CaseInsensitive))
        << environment_.messages[0].text.toStdString();
    EXPECT_EQ(set().PresentGlyphCount(), 0);
    EXPECT_FALSE(dispatcher().history().CanUndo());
}

TEST_F(SheetCommandsTest, ABitmapFaceComesInAsOneUndoableStepAndGoesOutAsBdf) {
    WriteFile(u"cell.bdf"_s, BdfOf(CellFace()));
    Start();
    environment_.openAnswers = {PathOf(u"cell.bdf"_s)};
    dispatcher().MenuCommand(Menu::ImportFont);
    EXPECT_EQ(set().PresentGlyphCount(), 3);
    EXPECT_EQ(set().fontHeight(), 12);
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].text.contains(u"no glyph for 188 characters of latin1"_s))
        << environment_.messages[0].text.toStdString();
    environment_.saveAnswers = {PathOf(u"out"_s)};
    dispatcher().MenuCommand(Menu::ExportBdf);
    BitmapFace exported;
    ASSERT_TRUE(ReadFaceFile(PathOf(u"out.bdf"_s), exported).ok());
    EXPECT_EQ(exported.glyphs.size(), 3u);
    dispatcher().MenuCommand(Menu::Undo);
    EXPECT_EQ(set().PresentGlyphCount(), 0);

    WriteFile(u"cut.bdf"_s, BdfOf(CellFace()).first(300));
    environment_.openAnswers = {PathOf(u"cut.bdf"_s)};
    dispatcher().MenuCommand(Menu::ImportFont);
    ASSERT_EQ(environment_.messages.size(), 2u);
    EXPECT_TRUE(environment_.messages[1].text.contains(u"the file ends inside a glyph"_s))
        << environment_.messages[1].text.toStdString();
    EXPECT_FALSE(dispatcher().history().CanUndo());
}

} // namespace
} // namespace fontlathe::test
