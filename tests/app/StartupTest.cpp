#include "charset/CharCodec.h"
#include "editor/CharTableView.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QAbstractButton>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, WithoutArgumentsANewTwoColorSet) {
    Start({u"-psn_0_12345"_s, QString()}); // a launch token and "" count as nothing
    EXPECT_EQ(window().windowTitle(), u"Fontlathe 1.00 - new.char"_s);
    EXPECT_EQ(set().bitsPerPixel, 1);
    EXPECT_EQ(set().numChars, 256);
    EXPECT_EQ(set().PresentGlyphCount(), 0);
    EXPECT_EQ(window().CurrentRow(), 0);
    EXPECT_TRUE(window().CharListHasFocus());
    EXPECT_EQ(window().Zoom(), 10);
    EXPECT_EQ(window().PreviewZoom(), 2);
    EXPECT_EQ(dispatcher().ShiftMode(), ShiftMode::Roll);
    EXPECT_FALSE(window().DirtyBytesChecked());
    EXPECT_EQ(window().previewText()->toPlainText(),
              u"The quick brown fox jumps over the lazy dog.\n1234567890"_s);
    EXPECT_EQ(Text(Control::BitsLabel), u"Bits: 1 (Colors: 2)"_s);
    EXPECT_EQ(Text(Control::VersionLabel), u"Unknown Parameter: 867"_s);
    EXPECT_EQ(Text(Control::HeightField), u"10"_s);
    QStringList colorMap;
    for (int i = 0; i < 15; ++i) {
        colorMap << Text(Control::ColorMapField0 + i);
    }
    EXPECT_EQ(colorMap.join(u' '), u"15 0 3 4 5 6 7 8 9 10 11 12 13 14 15"_s);
    EXPECT_EQ(Text(Control::CharsFrame), u"Preferences of 0 chars (x) = not stored!"_s);
    EXPECT_TRUE(environment_.messages.empty());
}

TEST_F(StartupTest, NameWithoutExtensionLoadsTheCharFile) {
    ASSERT_TRUE(QDir().mkdir(u"fonts"_s));
    Charset small = VariedSet(2, 5, 6);
    WriteSet(u"fonts/small.char"_s, small);
    Start({u"fonts/small"_s});
    EXPECT_EQ(state().fileType.path(), u"fonts/small.char"_s);
    EXPECT_EQ(window().windowTitle(), u"Fontlathe 1.00 - fonts/small.char"_s);
    EXPECT_EQ(set().bitsPerPixel, 2);
    EXPECT_EQ(set().PresentGlyphCount(), small.PresentGlyphCount());
    EXPECT_EQ(Text(Control::BitsLabel), u"Bits: 2 (Colors: 4)"_s);
    EXPECT_EQ(Text(Control::VersionLabel), u"Unknown Parameter: -2"_s);
}

TEST_F(StartupTest, MissingNameBecomesTheFileThatSaveCreates) {
    Start({u"fresh"_s});
    EXPECT_EQ(state().fileType.path(), u"fresh.char"_s);
    EXPECT_EQ(set().bitsPerPixel, 1);
    EXPECT_TRUE(environment_.messages.empty());
    dispatcher().MenuCommand(Menu::Save);
    EXPECT_EQ(ReadFile(u"fresh.char"_s).size(), 1057);
}

TEST_F(StartupTest, RefusedFileIsReportedAndNeverOverwritten) {
    const QByteArray refused = HandMadeHeader(3, 10, 4) + QByteArray(16, '\0');
    WriteFile(u"odd.char"_s, refused);
    Start({u"odd.char"_s});
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].error);
    EXPECT_TRUE(environment_.messages[0].text.contains(u"odd.char"_s));
    EXPECT_TRUE(environment_.messages[0].text.contains(u"3 bits per pixel"_s));
    EXPECT_EQ(state().fileType.path(), u"new.char"_s);
    EXPECT_EQ(set().bitsPerPixel, 1);
    EXPECT_EQ(set().numChars, 256);

    dispatcher().MenuCommand(Menu::Save);
    EXPECT_EQ(ReadFile(u"odd.char"_s), refused);
    EXPECT_EQ(ReadFile(u"new.char"_s).size(), 1057);
}

TEST_F(StartupTest, MenusHoldEveryItemWithItsShortcut) {
    Start();
    QStringList layout;
    for (QAction* menu : window().menuBar()->actions()) {
        layout << menu->text() + u':';
        for (QAction* action : menu->menu()->actions()) {
            layout << (action->isSeparator()
                           ? u"-"_s
                           : u"%1 %2 %3"_s.arg(action->data().toInt())
                                 .arg(action->text(), action->shortcut().toString()));
        }
    }
    EXPECT_EQ(
        layout.join(u'|'),
        u"File:|0 New (2 colors) Ctrl+N|1 New (4 colors) Ctrl+M|-|2 Open... Ctrl+O|"
        "0 Open Recent |3 Reopen Ctrl+R|-|6 Generate Normal... Ctrl+1|"
        "7 Generate Shadowed... Ctrl+2|8 Generate Outlined... Ctrl+3|-|4 Save Ctrl+S|"
        "5 Save as... Ctrl+A|-|16 Export Sheet... |17 Import Sheet... |-|11 Close Ctrl+Q|"
        "Edit:|13 Undo Ctrl+Z|14 Redo Ctrl+Shift+Z|-|9 Copy Char Ctrl+C|10 Paste Char Ctrl+V|-|"
        "18 Mark Missing Characters |Info:|12 About "_s);
}

} // namespace
} // namespace fontlathe::test
