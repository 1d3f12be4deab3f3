#include "document/Document.h"
#include "edit/GlyphEdit.h"
#include "edit/WholeSetEdit.h"
#include "support/SampleSets.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    }
    QString PathOf(const QString& name) const { return QDir(folder_.path()).filePath(name); }

    // Gives glyph code a blank square as one step.
    static void SwitchOn(Document& document, int code) {
        document.Apply(std::make_unique<GlyphOn>(code));
    }
    // A pixel in index 1, white.
    static void Paint(Document& document, int code, int x) {
        document.Apply(std::make_unique<fontlathe::Paint>(code, QPoint(x, 0), 1));
    }

    QTemporaryDir folder_;
    QTemporaryDir settings_;
};

TEST_F(DocumentTest, EachChangeIsOneStepAndAStrokeGoesOnUntilSomethingElseHappens) {
    Document document;
    document.New(1);
    document.Apply(std::make_unique<GlyphOff>(65)); // there is no glyph to switch off
    EXPECT_FALSE(document.history().CanUndo()) << "a change that changed nothing is no step";

    SwitchOn(document, 65);
    Paint(document, 65, 0);
    Paint(document, 65, 1);
    Paint(document, 66, 0); // another character: the first stroke ends
    document.EndEdit();
    EXPECT_EQ(document.history().StepCount(), 2u) << "On, then one stroke of two pixels";
    SwitchOn(document, 66);
    Paint(document, 65, 2);
    SwitchOn(document, 67); // ends the stroke before it begins
    EXPECT_EQ(document.history().StepCount(), 5u);
    EXPECT_EQ(document.set().glyphs()[65].raster.pixel(2, 0), 0xFFFFFFFF);
    document.Undo();
    document.Undo();
    EXPECT_EQ(document.set().glyphs()[65].raster.pixel(2, 0),
              document.set().glyphs()[65].raster.pixel(3, 0));
}

// The history keeps one step at a time here: each new step drops the oldest, the saved state's
// among them, and the saved state must move with the steps that remain.
TEST_F(DocumentTest, TheSavedStateFollowsTheStepsWhenTheBudgetDropsTheOldest) {
    Document document(1);
    document.New(1, PathOf(u"font.char"_s));
    SwitchOn(document, 65);
    QString message;
    ASSERT_TRUE(document.Save(DirtyBytes::Off, message).ok());
    EXPECT_FALSE(document.IsModified());
    SwitchOn(document, 66);
    EXPECT_EQ(document.history().StepCount(), 1u);
    EXPECT_TRUE(document.IsModified());
    document.Undo();
    EXPECT_FALSE(document.IsModified()) << "undone back to the saved set";
    document.Redo();
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentTest, OpenSaveAsAndReopenFollowTheFileAndStartAFreshHistory) {
    Charset written = VariedSet(2, 7);
    QFile file(PathOf(u"a.char"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Encoded(written));
    file.close();

    Document document;
    document.New(1, PathOf(u"a.char"_s));
    EXPECT_TRUE(document.SaveReplacesForeignFile()) << "a file this run did not read";
    QString notAFont;
    ASSERT_TRUE(document.OpenFile(PathOf(u"a.char"_s), notAFont).ok());
    EXPECT_FALSE(document.SaveReplacesForeignFile());
    EXPECT_EQ(Encoded(document.set()), Encoded(written));
    SwitchOn(document, 200);
    ASSERT_TRUE(document.SaveAs(PathOf(u"b.char"_s), DirtyBytes::Off).ok());
    EXPECT_EQ(document.fileType().path(), PathOf(u"b.char"_s));
    EXPECT_EQ(document.recentFiles().paths().first(), PathOf(u"b.char"_s));
    SwitchOn(document, 201);
    ASSERT_TRUE(document.Reopen(notAFont).ok());
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.history().CanUndo());
    EXPECT_NE(document.set().GlyphAt(200), nullptr);
    EXPECT_EQ(document.set().GlyphAt(201), nullptr) << "the file as saved, not the later change";

    EXPECT_FALSE(document.SaveAs(PathOf(u"no/such/folder.char"_s), DirtyBytes::Off).ok());
    EXPECT_EQ(document.fileType().path(), PathOf(u"b.char"_s)) << "the path follows only a save";
}

// A change made with a page, as Add Letters makes one, is undone and redone with it, and the
// file is opened again with the page its glyphs stand for at the time.
TEST_F(DocumentTest, UndoAndRedoOfAChangeWithItsPageRememberThePageForTheFile) {
    Charset written = VariedSet(2, 7);
    ASSERT_TRUE(SaveCharset(written, PathOf(u"a.char"_s), DirtyBytes::Off).ok());
    const auto pageOpenedWith = [this] {
        Document other;
        QString notAFont;
        EXPECT_TRUE(other.OpenFile(PathOf(u"a.char"_s), notAFont).ok());
        return other.codePage().name();
    };
    Document document;
    QString notAFont;
    ASSERT_TRUE(document.OpenFile(PathOf(u"a.char"_s), notAFont).ok());
    ASSERT_EQ(document.codePage().name(), u"latin1"_s);
    Charset added = document.set();
    added.CreateBlankGlyph(200);
    document.Apply(std::make_unique<ReplaceSet>(u"Add"_s, added, u"cp1250"_s));
    EXPECT_EQ(pageOpenedWith(), u"cp1250"_s);
    for (const QString& page : {u"latin1"_s, u"cp1250"_s, u"latin1"_s}) {
        ASSERT_NE(page == u"latin1"_s ? document.Undo() : document.Redo(), nullptr);
        EXPECT_EQ(document.codePage().name(), page);
        EXPECT_EQ(pageOpenedWith(), page);
    }
}

} // namespace
} // namespace fontlathe::test
