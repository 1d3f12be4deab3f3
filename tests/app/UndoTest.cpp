#include "charset/DisplayColors.h"
#include "views/CharTableView.h"
#include "edit/EditHistory.h"
#include "edit/GlyphEdit.h"
#include "views/GlyphView.h"
#include "gui/NumericField.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// Everything an undo must bring back: the set, every table row, the header fields and the title.
struct Seen {
    QByteArray header;
    std::vector<QImage> rasters;
    std::vector<std::pair<int, int>> offsets;
    QStringList texts;

    bool operator==(const Seen&) const = default;
};

class UndoTest : public AppFixture {
protected:
    Seen Look() {
        Seen seen;
        seen.header = Encoded(set()).left(33);
        seen.header.append(QByteArray::number(set().numChars()));
        for (const Glyph& glyph : set().glyphs()) {
            seen.rasters.push_back(glyph.raster);
            seen.offsets.emplace_back(glyph.xOffset, glyph.yOffset);
        }
        for (int row = 0; row < GlyphSlotCount; ++row) {
            for (int column = 1; column < CharTableModel::ColumnCount; ++column) {
                seen.texts << window().charList()->charModel()->Text(row, column);
            }
        }
        for (int id : {int(Control::HeightField), int(Control::ColorMapField0) + 3,
                       int(Control::CharsFrame)}) {
            seen.texts << Text(id);
        }
        seen.texts << window().windowTitle();
        return seen;
    }
    void Key(QKeyCombination key) {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QWidget* canvas = window().glyphView()->canvas();
        QMouseEvent event(type, QPointF(at), canvas->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    }
    void StartWithGlyph() {
        Charset start;
        start.NewCharset(2);
        SetGlyph(start, 65, 6, 5, [](int x, int y) { return (x + 2 * y) % 4; }, 1, -1);
        WriteSet(u"a.char"_s, start);
        Start({u"a.char"_s});
        ClickRow(65);
    }
};

TEST_F(UndoTest, EveryKindOfStepUndoesAndRedoesExactly) {
    struct Step {
        const char* name;
        int row; // the row an undo selects
        std::function<void()> change;
    };
    const Step steps[] = {
        {"Paint 'A'", 65,
         [this] {
             Mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
             for (int x = 5; x < 60; x += 3) {
                 Mouse(QEvent::MouseMove, {x, 25}, Qt::NoButton, Qt::LeftButton);
             }
             Mouse(QEvent::MouseButtonRelease, {60, 25}, Qt::LeftButton, Qt::NoButton);
         }},
        {"Roll 'A'", 65, [this] { Click(Control::ShiftRightButton); }},
        {"Resize 'A'", 65,
         [this] {
             Click(Control::ResizeOption);
             Click(Control::ShiftDownButton);
         }},
        {"Offset 'A'", 65,
         [this] {
             Click(Control::OffsetOption);
             Click(Control::ShiftLeftButton);
         }},
        {"Off 'A'", 65, [this] { Click(Control::OffButton); }},
        {"On 'B'", 66,
         [this] {
             ClickRow(66);
             Click(Control::OnButton);
         }},
        {"Last Char 'A'", 65, [this] { Click(Control::LastCharButton); }},
        {"Height", 0,
         [this] {
             TypeInto(window().heightField(), u"2"_s);
             QTest::keyClick(window().heightField(), Qt::Key_Return);
         }},
        {"Palette Index 4", 0,
         [this] {
             TypeInto(window().colorMapField(3), u"7"_s);
             window().FocusCharList();
         }},
        {"Generate Outlined", 0,
         [this] {
             environment_.fontAnswers.push_back({u"DejaVu Sans"_s, 12, false, false, false});
             dispatcher().MenuCommand(Menu::GenerateOutlined);
         }},
    };
    for (const auto& [name, row, change] : steps) {
        StartWithGlyph();
        const Seen before = Look();
        change();
        const Seen after = Look();
        EXPECT_NE(after, before) << name;
        EXPECT_EQ(dispatcher().history().StepCount(), 1u) << name;
        EXPECT_EQ(window().menuAction(Menu::Undo)->text(), u"Undo "_s + QLatin1String(name));
        EXPECT_TRUE(window().windowTitle().endsWith(u" *"_s)) << name;

        window().charList()->setFocus();
        ClickRow(0);
        Key(Qt::CTRL | Qt::Key_Z);
        EXPECT_EQ(Look(), before) << name;
        EXPECT_EQ(window().CurrentRow(), row) << name;
        EXPECT_FALSE(window().menuAction(Menu::Undo)->isEnabled()) << name;
        Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        EXPECT_EQ(Look(), after) << name;
        Key(Qt::CTRL | Qt::Key_Z);
        Key(Qt::CTRL | Qt::Key_Y);
        EXPECT_EQ(Look(), after) << name;
    }
}

TEST_F(UndoTest, CleanStateRedoDropAndTextFieldsKeepTheirOwnUndo) {
    StartWithGlyph();
    Click(Control::ShiftRightButton);
    Click(Control::ShiftRightButton);
    dispatcher().MenuCommand(Menu::Save);
    EXPECT_FALSE(window().windowTitle().endsWith(u" *"_s));
    dispatcher().MenuCommand(Menu::Undo);
    EXPECT_TRUE(window().windowTitle().endsWith(u" *"_s));
    Click(Control::ShiftLeftButton);
    EXPECT_FALSE(dispatcher().history().CanRedo()) << "an edit after an undo drops the redo steps";
    EXPECT_TRUE(window().windowTitle().endsWith(u" *"_s)) << "the saved state can't come back";

    const Seen before = Look();
    for (int id : {int(Control::PreviewText), int(Control::ColorMapField0)}) {
        const QString text = Text(id);
        TypeInto(Widget(id), u"1"_s);
        Key(Qt::CTRL | Qt::Key_Z);
        EXPECT_EQ(Text(id), text) << "Ctrl+Z in a field undoes the typing";
        window().FocusCharList();
    }
    EXPECT_EQ(Look(), before) << "and leaves the set alone";
}

TEST_F(UndoTest, AskedBeforeChangesAreLostAndNothingIsLostOnCancelOrFailure) {
    using Answer = SaveChangesAnswer;
    struct Case {
        int menuId;
        Answer answer;
        bool saveFails;
        bool goesOn;
    };
    const Case cases[] = {
        {Menu::Close, Answer::Cancel, false, false}, {Menu::Close, Answer::Discard, false, true},
        {Menu::Close, Answer::Save, false, true},    {Menu::Close, Answer::Save, true, false},
        {Menu::New2Colors, Answer::Cancel, false, false}, {Menu::New4Colors, Answer::Save, true, false},
        {Menu::Open, Answer::Cancel, false, false},  {Menu::Open, Answer::Discard, false, true},
    };
    for (const Case& c : cases) {
        StartWithGlyph();
        Click(Control::OffButton);
        const Seen changed = Look();
        if (c.saveFails) {
            QFile::remove(PathOf(u"a.char"_s));
            QDir().mkdir(PathOf(u"a.char"_s));
        }
        environment_.saveChangesAnswers = {c.answer};
        environment_.openAnswers = {PathOf(u"b.char"_s)};
        WriteSet(u"b.char"_s, VariedSet(1, 3));
        environment_.messages.clear();
        QSignalSpy quit(&dispatcher(), &Dispatcher::quitRequested);
        dispatcher().MenuCommand(c.menuId);
        EXPECT_EQ(environment_.questions.last(), u"Save the changes to a.char?"_s);
        EXPECT_EQ(c.goesOn, quit.count() == 1 || Look() != changed) << c.menuId;
        EXPECT_EQ(c.saveFails, !environment_.messages.empty());
        QDir(PathOf(u"a.char"_s)).removeRecursively();
    }

    StartWithGlyph();
    environment_.questions.clear();
    dispatcher().MenuCommand(Menu::Reopen);
    EXPECT_TRUE(environment_.questions.isEmpty()) << "nothing asks while nothing changed";
    Click(Control::OffButton);
    environment_.yesNoAnswers = {false};
    dispatcher().MenuCommand(Menu::Reopen);
    EXPECT_EQ(environment_.questions.last(), u"Discard the changes to a.char and read it again?"_s);
    EXPECT_FALSE(set().GlyphAt(65)) << "No keeps the changes";
}

// Save asks before it replaces a file that this run did not read as a font: a stranger's file of
// the default name, or a text opened by mistake. Once written, the file is the program's own.
TEST_F(UndoTest, SaveAsksBeforeReplacingAFileThatIsNotItsOwnFont) {
    WriteFile(u"new.char"_s, "somebody's file");
    WriteFile(u"t.txt"_s, "hello, world\n");
    const std::tuple<QString, bool, QString> cases[] = {
        {u"new.char"_s, false, u"new.char exists. Replace it?"_s},
        {u"t.txt"_s, true, PathOf(u"t.txt"_s) + u" was not read as a SCUMM font. Replace it?"_s}};
    for (const auto& [file, open, question] : cases) {
        const QByteArray original = ReadFile(file);
        Start();
        if (open) {
            environment_.openAnswers = {PathOf(file)};
            dispatcher().MenuCommand(Menu::Open);
        }
        environment_.yesNoAnswers = {false};
        dispatcher().MenuCommand(Menu::Save);
        EXPECT_EQ(environment_.questions.last(), question);
        EXPECT_EQ(ReadFile(file), original);
        environment_.yesNoAnswers = {true};
        dispatcher().MenuCommand(Menu::Save);
        EXPECT_EQ(ReadFile(file), Encoded(set()));
        environment_.questions.clear();
        dispatcher().MenuCommand(Menu::Save);
        EXPECT_TRUE(environment_.questions.isEmpty()) << file.toStdString() << " is its own now";
    }
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].text.startsWith(
        PathOf(u"t.txt"_s) + u" does not look like a SCUMM font: it starts with \"hell\", not "
                             u"\"CHAR\"."_s));
}

// Switches a glyph on under its code's number, the name the history shows.
class NumberedOn : public GlyphOn {
public:
    explicit NumberedOn(int code) : GlyphOn(code) { SetText(QString::number(code)); }
};

TEST(EditHistoryTest, TheBudgetDropsTheOldestStepsFirst) {
    Charset set;
    set.NewCharset(4);
    const std::size_t oneStep = NumberedOn(1).Cost();
    EditHistory history(oneStep * 3);
    for (int code = 0; code < 5; ++code) {
        auto on = std::make_unique<NumberedOn>(code);
        on->Apply(set);
        history.Begin(set, std::move(on));
        history.End(set);
    }
    EXPECT_EQ(history.StepCount(), 3u);
    EXPECT_LE(history.Cost(), oneStep * 3);
    EXPECT_EQ(history.UndoText(), u"4"_s);
    while (history.Undo(set)) {
    }
    EXPECT_EQ(history.RedoText(), u"2"_s) << "steps 0 and 1 went first";
    EXPECT_TRUE(history.IsModified()) << "the clean state went with them";
    EXPECT_TRUE(set.GlyphAt(1)) << "step 1 is gone, so its glyph stays";
    EXPECT_FALSE(set.GlyphAt(2));
    EXPECT_FALSE(set.GlyphAt(4));
}

// After an undo a step holds the other side of its change, which may be larger: the budget must
// take off what it added, or the running total wraps and the history keeps one step.
TEST_F(UndoTest, AStepCostsWhatItHeldWhenRecorded) {
    Charset start;
    start.NewCharset(2);
    for (int code = 100; code < 120; ++code) {
        SetGlyph(start, code, 8, 8, [](int, int) { return 1; });
    }
    WriteSet(u"a.char"_s, start);
    Start({u"a.char"_s});
    ClickRow(66);
    Click(Control::OnButton);
    dispatcher().MenuCommand(Menu::Undo);
    const Seen afterUndo = Look();
    std::size_t expected = 0;
    for (int code = 100; code < 120; ++code) {
        ClickRow(code);
        GlyphOff keeper(code);
        Charset copy = set();
        keeper.Apply(copy);
        expected += keeper.Cost();
        Mouse(QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
    }
    EXPECT_EQ(dispatcher().history().StepCount(), 20u);
    EXPECT_EQ(dispatcher().history().Cost(), expected);
    for (int i = 0; i < 20; ++i) {
        dispatcher().MenuCommand(Menu::Undo);
    }
    ClickRow(66);
    EXPECT_EQ(Look(), afterUndo);
}

} // namespace
} // namespace fontlathe::test
