#include "charset/CharCodec.h"
#include "editor/CharTableView.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <QDir>
#include <QPlainTextEdit>

namespace fontlathe::test {
namespace {

class StartupTest : public AppFixture {
protected:
    void WriteSet(const QString& name, const Charset& set) {
        EncodedBlock block;
        ASSERT_TRUE(EncodeCharset(set, DirtyBytes::Off, block).ok());
        WriteFile(name, block.bytes);
    }
};

TEST_F(StartupTest, WithoutArgumentsANewTwoColorSet) {
    Start();
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Fontlathe 1.00 - new.char"));
    EXPECT_EQ(set().bitsPerPixel, 1);
    EXPECT_EQ(set().numChars, 256);
    EXPECT_EQ(set().PresentGlyphCount(), 0);
    EXPECT_EQ(window().CurrentRow(), 0);
    EXPECT_TRUE(window().CharListHasFocus());
    EXPECT_EQ(window().Zoom(), 10);
    EXPECT_EQ(window().PreviewZoom(), 2);
    EXPECT_EQ(window().StateOf(Control::RollOption), 1);
    EXPECT_EQ(window().StateOf(Control::ResizeOption), 0);
    EXPECT_FALSE(window().DirtyBytesChecked());
    EXPECT_EQ(window().previewText()->toPlainText(),
              QStringLiteral("The quick brown fox jumps over the lazy dog.\n1234567890"));
    EXPECT_EQ(Text(Control::BitsLabel), QStringLiteral("Bits: 1 (Colors: 2)"));
    EXPECT_EQ(Text(Control::VersionLabel), QStringLiteral("Unknown Parameter: 867"));
    EXPECT_EQ(Text(Control::HeightField), QStringLiteral("10"));
    const char* colorMap[] = {"15", "0", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"};
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(Text(Control::ColorMapField0 + i), QString::fromLatin1(colorMap[i])) << i;
    }
    EXPECT_EQ(Text(Control::CharsFrame), QStringLiteral("Preferences of 0 chars (x) = not stored!"));
    EXPECT_TRUE(environment_.messages.empty());
}

TEST_F(StartupTest, NameWithoutExtensionLoadsTheCharFile) {
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("fonts")));
    Charset small = VariedSet(2, 5, 6);
    WriteSet(QStringLiteral("fonts/small.char"), small);
    Start({QStringLiteral("fonts/small")});
    EXPECT_EQ(state().fileType.path(), QStringLiteral("fonts/small.char"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Fontlathe 1.00 - fonts/small.char"));
    EXPECT_EQ(set().bitsPerPixel, 2);
    EXPECT_EQ(set().PresentGlyphCount(), small.PresentGlyphCount());
    EXPECT_EQ(Text(Control::BitsLabel), QStringLiteral("Bits: 2 (Colors: 4)"));
    EXPECT_EQ(Text(Control::VersionLabel), QStringLiteral("Unknown Parameter: -2"));
}

TEST_F(StartupTest, EmptyArgumentAndLaunchTokenCountAsNone) {
    Start({QString()});
    EXPECT_EQ(state().fileType.path(), QStringLiteral("new.char"));
    app_.reset();
    Start({QStringLiteral("-psn_0_12345")});
    EXPECT_EQ(state().fileType.path(), QStringLiteral("new.char"));
    EXPECT_EQ(set().bitsPerPixel, 1);
}

TEST_F(StartupTest, MissingNameBecomesTheFileThatSaveCreates) {
    Start({QStringLiteral("fresh")});
    EXPECT_EQ(state().fileType.path(), QStringLiteral("fresh.char"));
    EXPECT_EQ(set().bitsPerPixel, 1);
    EXPECT_TRUE(environment_.messages.empty());
    dispatcher().MenuCommand(Menu::Save);
    EXPECT_EQ(ReadFile(QStringLiteral("fresh.char")).size(), 1057);
}

TEST_F(StartupTest, RefusedFileIsReportedAndNeverOverwritten) {
    const QByteArray refused = HandMadeHeader(3, 10, 4) + QByteArray(16, '\0');
    WriteFile(QStringLiteral("odd.char"), refused);
    Start({QStringLiteral("odd.char")});
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].error);
    EXPECT_TRUE(environment_.messages[0].text.contains(QStringLiteral("odd.char")));
    EXPECT_TRUE(environment_.messages[0].text.contains(QStringLiteral("3 bits per pixel")));
    EXPECT_EQ(state().fileType.path(), QStringLiteral("new.char"));
    EXPECT_EQ(set().bitsPerPixel, 1);
    EXPECT_EQ(set().numChars, 256);

    dispatcher().MenuCommand(Menu::Save);
    EXPECT_EQ(ReadFile(QStringLiteral("odd.char")), refused);
    EXPECT_EQ(ReadFile(QStringLiteral("new.char")).size(), 1057);
}

TEST_F(StartupTest, WindowHasEveryControlInPlace) {
    Start();
    EXPECT_EQ(window().centralWidget()->size(), QSize(910, 650));
    EXPECT_EQ(window().minimumSize(), window().maximumSize()) << "the window can't be resized";
    struct Expected {
        int id;
        QRect geometry;
        const char* text;
    };
    const Expected controls[] = {
        {Control::FontPrefsFrame, {10, 10, 890, 100}, "Font Preferences"},
        {Control::BitsLabel, {30, 40, 115, 22}, nullptr},
        {Control::VersionLabel, {160, 40, 180, 22}, nullptr},
        {Control::HeightLabel, {30, 70, 60, 22}, "Height:"},
        {Control::PaletteIndexLabel, {160, 70, 100, 22}, "Palette Index:"},
        {Control::HeightField, {90, 68, 39, 22}, nullptr},
        {Control::DirtyBytesLabel, {435, 40, 420, 22},
         "Save with dirty bytes, like LucasArts (to get the same file size)"},
        {Control::DirtyBytesCheck, {865, 38, 22, 22}, ""},
        {Control::ColorMapField0, {266, 68, 39, 22}, nullptr},
        {Control::ColorMapFieldLast, {266 + 41 * 14, 68, 39, 22}, nullptr},
        {Control::CharsFrame, {10, 120, 890, 390}, nullptr},
        {Control::CharList, {30, 150, 480, 340}, nullptr},
        {Control::GlyphScrollArea, {530, 150, 290, 210}, nullptr},
        {Control::PaletteBar, {530, 375, 352, 30}, nullptr},
        {Control::ZoomBar, {840, 220, 40, 140}, nullptr},
        {Control::OnButton, {835, 150, 45, 30}, "On"},
        {Control::OffButton, {835, 180, 45, 30}, "Off"},
        {Control::LastCharButton, {780, 460, 100, 30}, "= last char"},
        {Control::ShiftLeftButton, {530, 420, 40, 70}, "<"},
        {Control::ShiftRightButton, {630, 420, 40, 70}, ">"},
        {Control::ShiftUpButton, {570, 420, 60, 35}, "^"},
        {Control::ShiftDownButton, {570, 455, 60, 35}, "v"},
        {Control::RollOption, {690, 424, 80, 22}, "Roll"},
        {Control::ResizeOption, {690, 446, 80, 22}, "Resize"},
        {Control::OffsetOption, {690, 468, 80, 22}, "Offset"},
        {Control::PreviewFrame, {10, 520, 890, 120}, "Char Preview"},
        {Control::PreviewText, {30, 550, 170, 70}, nullptr},
        {Control::PreviewImage, {220, 550, 600, 70}, nullptr},
        {Control::PreviewZoomBar, {840, 550, 40, 70}, nullptr},
    };
    for (const Expected& c : controls) {
        QWidget* widget = Widget(c.id);
        ASSERT_NE(widget, nullptr) << "control " << c.id;
        EXPECT_EQ(widget->geometry(), c.geometry) << "control " << c.id;
        EXPECT_EQ(widget->parentWidget(), window().centralWidget()) << "control " << c.id;
        if (c.text != nullptr) {
            EXPECT_EQ(Text(c.id), QString::fromUtf8(c.text)) << "control " << c.id;
        }
    }
    // Created in the order of the control table: each later control lies above the earlier.
    const QObjectList children = window().centralWidget()->children();
    EXPECT_LT(children.indexOf(Widget(Control::FontPrefsFrame)), children.indexOf(Widget(Control::BitsLabel)));
    EXPECT_LT(children.indexOf(Widget(Control::CharsFrame)), children.indexOf(Widget(Control::CharList)));
    EXPECT_LT(children.indexOf(Widget(Control::ColorMapFieldLast)), children.indexOf(Widget(Control::CharsFrame)));
    EXPECT_LT(children.indexOf(Widget(Control::PreviewFrame)), children.indexOf(Widget(Control::PreviewZoomBar)));
}

TEST_F(StartupTest, MenusHoldEveryItemWithItsShortcut) {
    Start();
    struct Item {
        int id;
        const char* label;
        const char* shortcut;
    };
    const Item items[] = {
        {Menu::New2Colors, "New (2 colors)", "Ctrl+N"},
        {Menu::New4Colors, "New (4 colors)", "Ctrl+M"},
        {Menu::Open, "Open...", "Ctrl+O"},
        {Menu::Reopen, "Reopen", "Ctrl+R"},
        {Menu::GenerateNormal, "Generate Normal...", "Ctrl+1"},
        {Menu::GenerateShadowed, "Generate Shadowed...", "Ctrl+2"},
        {Menu::GenerateOutlined, "Generate Outlined...", "Ctrl+3"},
        {Menu::Save, "Save", "Ctrl+S"},
        {Menu::SaveAs, "Save as...", "Ctrl+A"},
        {Menu::Close, "Close", "Ctrl+Q"},
        {Menu::CopyChar, "Copy Char", "Ctrl+C"},
        {Menu::PasteChar, "Paste Char", "Ctrl+V"},
        {Menu::About, "About", ""},
    };
    const QList<QAction*> actions = window().menuActions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(items)));
    for (std::size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(actions[i]->data().toInt(), items[i].id);
        EXPECT_EQ(actions[i]->text(), QString::fromLatin1(items[i].label));
        EXPECT_EQ(actions[i]->shortcut().toString(QKeySequence::PortableText),
                  QString::fromLatin1(items[i].shortcut));
    }
    const QList<QAction*> menus = window().menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Edit"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("Info"));
    QStringList fileLayout;
    for (QAction* action : menus[0]->menu()->actions()) {
        fileLayout << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(fileLayout.join(u'|'),
              QStringLiteral("New (2 colors)|New (4 colors)|-|Open...|Reopen|-|Generate Normal...|"
                             "Generate Shadowed...|Generate Outlined...|-|Save|Save as...|-|Close"));
}

} // namespace
} // namespace fontlathe::test
