#include "document/Document.h"
#include "edit/GlyphEdit.h"
#include "edit/LineGuides.h"
#include "edit/PixelEdits.h"
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

// Moves of one float make one step until it is dropped; a float cancelled leaves no step and the
// glyph as it was.
TEST_F(DocumentTest, FloatingPixelsMakeOneStepUntilDroppedAndCancelLeavesNone) {
    Document document;
    document.New(1);
    SwitchOn(document, 65);
    Paint(document, 65, 0);
    document.EndEdit();
    const QString before = Describe(document.set(), 65);
    FloatingPixels floating = Lifted(document.set().GlyphAt(65)->raster, {0, 0, 1, 1});
    const auto move = [&document, &floating](QPoint to) {
        floating.at = to;
        document.Apply(std::make_unique<FloatPixels>(65, u"Move Pixels"_s, floating));
    };
    move({1, 0});
    move({2, 0});
    move({3, 0});
    document.EndEdit();
    EXPECT_EQ(document.history().StepCount(), 3u);
    EXPECT_EQ(document.history().UndoText(), u"Move Pixels 'A'"_s);
    const QString moved = Describe(document.set(), 65);
    EXPECT_NE(moved, before);
    document.Undo();
    EXPECT_EQ(Describe(document.set(), 65), before) << "the whole run is undone at once";
    document.Redo();
    move({5, 1});
    document.CancelEdit();
    EXPECT_EQ(Describe(document.set(), 65), moved);
    EXPECT_EQ(document.history().StepCount(), 3u);
}

// The glyph drawn beneath a letter: the one Add Letters made it from while that step is done,
// else its base letter in the font's page.
TEST_F(DocumentTest, AReferenceIsTheGlyphALetterWasMadeFromElseItsBase) {
    Document document;
    document.New(1);
    ASSERT_TRUE(document.ChooseCodePage(u"cp1250"_s));
    SwitchOn(document, 's');
    SwitchOn(document, 'x');
    const auto reference = [&document](int code) {
        const std::optional<Glyph> glyph =
            DefaultReferenceGlyph(document.set(), document.codePage(), document.history(), code);
        return glyph ? glyph->raster.size() : QSize();
    };
    // ś (0x9C in cp1250) is built on s; a letter built on none has no reference.
    EXPECT_EQ(reference(0x9C), document.set().GlyphAt('s')->raster.size());
    EXPECT_EQ(reference('x'), QSize());
    Charset added = document.set();
    added.CreateBlankGlyph(0x9C);
    auto edit = std::make_unique<ReplaceSet>(u"Add Letters"_s, std::move(added));
    Glyph from;
    from.raster = QImage(3, 7, QImage::Format_RGB32);
    edit->SetMadeFrom({{0x9C, from}});
    document.Apply(std::move(edit));
    EXPECT_EQ(reference(0x9C), QSize(3, 7));
    document.Undo();
    EXPECT_EQ(reference(0x9C), document.set().GlyphAt('s')->raster.size());
    EXPECT_EQ(ReadGlyphChoice(u"0x9c"_s, document.codePage()), 0x9C);
    EXPECT_EQ(ReadGlyphChoice(u"ś"_s, document.codePage()), 0x9C);
    EXPECT_EQ(ReadGlyphChoice(u"0xZZ"_s, document.codePage()), std::nullopt);
}

} // namespace
} // namespace fontlathe::test
