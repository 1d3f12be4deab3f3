#include "support/AppFixture.h"
#include "support/FullDisk.h"

#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class StartupAndFileCommandsTest : public AppFixture {
protected:
    QString TitlePath() { return window().windowTitle().remove(u"Fontlathe 1.00 - "_s); }
    QString WidthCell(int code) {
        return window().charList()->charModel()->Text(code, CharTableModel::WidthColumn);
    }
    // Every message shown so far, each on a line of its own.
    QString Messages() {
        QString all;
        for (const FakeEnvironment::Message& message : environment_.messages) {
            all += message.text.simplified() + u'\n';
        }
        return all;
    }
};

// Where the main window stands at the moment it is shown.
struct ShowWatcher : QObject {
    QRect shownAt;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<MainWindow*>(watched)) {
            shownAt = static_cast<QWidget*>(watched)->geometry();
        }
        return false;
    }
};

TEST_F(StartupAndFileCommandsTest, StartsCentredWithTheNamedFileOrANewSetAndKeepsRefusedFiles) {
    ASSERT_TRUE(QDir().mkdir(u"fonts"_s));
    WriteSet(u"fonts/small.char"_s, VariedSet(2, 5, 6));
    const QByteArray refused = HandMadeHeader(3, 10, 4) + QByteArray(16, '\0');
    WriteFile(u"odd.char"_s, refused);
    const QString why = u"Could not open \"odd.char\". The header says 3 bits per pixel; a font "
                        u"has 1, 2 or 4.\n"_s;
    ASSERT_TRUE(QDir().mkdir(u"box.char"_s));
    const QString folder = u"Could not open \"%1\". It is a folder, and a folder can't be opened; "
                           u"choose a font file in it with File > Open.\n"_s;
    ShowWatcher watcher;
    qApp->installEventFilter(&watcher);
    // Arguments, then the path, depth and messages they give.
    const std::tuple<QStringList, QString, int, QString> cases[] = {
        {{u"-psn_0_12345"_s, QString()}, u"new.char"_s, 1, QString()}, // launch token, "": nothing
        {{u"fonts/small"_s}, u"fonts/small.char"_s, 2, QString()},
        {{u"fresh"_s}, u"fresh.char"_s, 1, QString()}, // where Save will create it
        {{u"odd.char"_s}, u"new.char"_s, 1, why},
        {{u"fonts"_s}, u"new.char"_s, 1, folder.arg(u"fonts"_s)}, // the name or the name
        {{u"box"_s}, u"new.char"_s, 1, folder.arg(u"box"_s)}};    // with ".char" a folder
    for (const auto& [arguments, path, bits, messages] : cases) {
        environment_.messages.clear();
        Start(arguments);
        EXPECT_EQ(TitlePath(), path);
        EXPECT_EQ(set().bitsPerPixel(), bits);
        EXPECT_EQ(Messages(), messages);
        const QPoint off =
            watcher.shownAt.center() - window().screen()->availableGeometry().center();
        EXPECT_LE(std::max(std::abs(off.x()), std::abs(off.y())), 1) << "shown off centre";
        dispatcher().MenuCommand(Menu::Save);
    }
    EXPECT_EQ(ReadFile(u"odd.char"_s), refused);
    EXPECT_EQ(ReadFile(u"fresh.char"_s).size(), 1057);
}

TEST_F(StartupAndFileCommandsTest, OpenAndSaveAsNameTheFileTheyReadOrWrote) {
    Start();
    ASSERT_TRUE(QDir().mkdir(u"dir.d"_s));
    ChangeSet([&](Charset& s) {
        s.SlotAt(66)->raster = MakeBlankRaster(8, 8);
    }); // pixels of whole bytes: a dirty byte
    Click(Control::DirtyBytesCheck);
    QString current = u"new.char"_s;
    // Each name chosen, then the file written: ".char" is added when the name has no extension.
    // A name that ends in a backslash has none, and its ".char" then follows the backslash.
    const QString names[] = {"bold -> bold.char",
                             "bold.fnt -> bold.fnt",
                             "a.b.c -> a.b.c",
                             "my.font file -> my.font file.char",
                             "trailing. -> trailing..char",
                             ".hidden -> .hidden.char",
                             "dir.d/b -> dir.d/b.char",
                             "dir.d/.x -> dir.d/.x.char",
                             "dir\\.x -> dir\\.x.char",
                             "dir\\b.fnt -> dir\\b.fnt",
                             "dir\\ -> dir\\.char"};
    for (const QString& name : names) {
        const QString chosen = name.section(u" -> "_s, 0, 0);
        const QString written = name.section(u" -> "_s, 1);
        environment_.saveAnswers.push_back(PathOf(chosen));
        dispatcher().MenuCommand(Menu::SaveAs);
        EXPECT_EQ(environment_.saveRequests.back().startPath, current);
        current = PathOf(written);
        EXPECT_EQ(TitlePath(), current);
        EXPECT_EQ(QFileInfo(current).size(), 1057 + 4 + 8 + 1) << chosen.toStdString();
    }
    EXPECT_EQ(environment_.saveRequests[0].filePattern, u"SCUMM Font (*.char)|*.char"_s);
    environment_.openAnswers = {QString(), PathOf(u"bold"_s), PathOf(u"dir\\"_s), PathOf(u"no"_s)};
    for (const QString& opened :
         {u"dir\\.char"_s, u"bold.char"_s, u"dir\\.char"_s, u"dir\\.char"_s}) {
        dispatcher().MenuCommand(Menu::Open); // Cancel and a missing name change nothing.
        EXPECT_EQ(TitlePath(), PathOf(opened));
    }
    EXPECT_EQ(Messages(), QString()) << "success is silent";
    dispatcher().MenuCommand(Menu::New4Colors);
    EXPECT_EQ(TitlePath(), u"new.char"_s);
    EXPECT_EQ(set().PresentGlyphCount() + set().ColorCount(), 4);
}

TEST_F(StartupAndFileCommandsTest, FailedFileCommandsSayWhyAndChangeNothing) {
    Start();
    WriteSet(u"good.char"_s, VariedSet(1, 4, 5));
    const QByteArray good = ReadFile(u"good.char"_s);
    WriteFile(u"refused.char"_s, HandMadeHeader(1, 8, 300));
    ASSERT_TRUE(QDir().mkdir(u"folder.char"_s));
    environment_.openAnswers = {PathOf(u"good.char"_s), PathOf(u"refused.char"_s)};
    environment_.saveAnswers = {PathOf(u"folder.char"_s)};
    dispatcher().MenuCommand(Menu::Open);
    const int glyphs = set().PresentGlyphCount();
    dispatcher().MenuCommand(Menu::Open);
    dispatcher().MenuCommand(Menu::SaveAs);
    ChangeSet([&](Charset& s) { s.SlotAt(7)->raster = MakeBlankRaster(130, 2); });
    dispatcher().MenuCommand(Menu::Save);
    EXPECT_EQ(ReadFile(u"good.char"_s), good);
    ChangeSet([&](Charset& s) { s.ClearGlyph(7); });
    ChangeSet([&](Charset& s) { s.ClearGlyph(0); });
    dispatcher().MenuCommand(Menu::Reopen);
    EXPECT_EQ(set().PresentGlyphCount(), glyphs);
    ChangeSet([&](Charset& s) { s.CreateBlankGlyph(7); });
    dispatcher().MenuCommand(Menu::Save); // a change is a step: saved, the title shows no change
    QFile::remove(PathOf(u"good.char"_s));
    dispatcher().MenuCommand(Menu::Reopen);
    EXPECT_TRUE(set().glyphs()[7].present()) << "a failed Reopen keeps the set";
    EXPECT_EQ(TitlePath(), PathOf(u"good.char"_s));
    // One message each, naming the file and why.
    const QRegularExpression said(
        u"^Could not open \"[^\n]*refused.char\". The header says it stores 300.*\n"
        u"Could not save \"[^\n]*folder.char\". A folder .*\n"
        u"Could not save \"[^\n]*good.char\". Character 7 is 130 x 2.*\n"
        u"Could not reopen \"[^\n]*good.char\". It cannot be opened.*\n$"_s);
    EXPECT_TRUE(said.match(Messages()).hasMatch()) << Messages().toStdString();
    QSignalSpy quit(&dispatcher(), &Dispatcher::quitRequested);
    dispatcher().MenuCommand(Menu::AppQuit);
    QTest::keyClick(&window(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quit.count(), 2) << "nothing is asked";
}

// Save and Save As on a disk with no byte free, and with 4 KB free, say why and keep the file,
// the set and its unsaved mark; once there is room, Save writes it.
TEST_F(StartupAndFileCommandsTest, SavesOnAFullDiskSayWhyAndKeepEverything) {
    WriteSet(u"font.char"_s, VariedSet(2, 4, 120));
    WriteSet(u"other.char"_s, VariedSet(2, 5, 120));
    const QByteArray font = ReadFile(u"font.char"_s), other = ReadFile(u"other.char"_s);
    Start({PathOf(u"font.char"_s)});
    ChangeSet([&](Charset& s) { s.ClearGlyph(s.numChars() - 1); });
    for (const long long free : {0LL, 4096LL}) {
        const FullDisk disk(PathOf({}), free);
        environment_.messages.clear();
        dispatcher().MenuCommand(Menu::Save);
        environment_.saveAnswers = {PathOf(u"other.char"_s)};
        dispatcher().MenuCommand(Menu::SaveAs);
        EXPECT_EQ(Messages().count(u"No space left on device"_s), 2) << Messages().toStdString();
        EXPECT_EQ(ReadFile(u"font.char"_s), font);
        EXPECT_EQ(ReadFile(u"other.char"_s), other);
        EXPECT_EQ(QDir(PathOf({})).entryList(QDir::Files).size(), 2);
        EXPECT_TRUE(window().windowTitle().endsWith(u"font.char *"_s))
            << window().windowTitle().toStdString();
    }
    dispatcher().MenuCommand(Menu::Save);
    EXPECT_NE(ReadFile(u"font.char"_s), font);
    EXPECT_FALSE(window().windowTitle().endsWith(u'*'));
}

TEST_F(StartupAndFileCommandsTest, GenerateRemembersTheChoiceAndACancelKeepsTheSet) {
    Start({u"kept"_s});
    ChangeSet([&](Charset& s) { s.CreateBlankGlyph(65); }); // behind the views' back
    environment_.fontAnswers = {
        {}, {u"DejaVu Sans"_s, 150}, {u"DejaVu Sans"_s, 10.5, true, true, true}};
    dispatcher().MenuCommand(Menu::GenerateNormal);
    dispatcher().MenuCommand(Menu::GenerateOutlined); // too large for a file
    EXPECT_EQ(WidthCell(65), u"10"_s) << "a cancel or a refusal keeps the set; views are refreshed";
    EXPECT_TRUE(Messages().contains(u"at most 127 x 127"_s));
    dispatcher().MenuCommand(Menu::GenerateShadowed);
    EXPECT_EQ(state().generationFont, (GenerationFont{u"DejaVu Sans"_s, 10, 7}));
    EXPECT_EQ(TitlePath(), u"kept.char *"_s);
    EXPECT_EQ(Text(Control::HeightField), QString::number(set().fontHeight()));
    QTest::keyClick(&window(), Qt::Key_1, Qt::ControlModifier);
    const FontChoice& next = environment_.fontRequests.back();
    // The choice is offered again, without its underline.
    EXPECT_EQ(next.family, u"DejaVu Sans"_s);
    EXPECT_EQ(next.pointSize, 10);
    EXPECT_TRUE(next.bold);
    EXPECT_TRUE(next.italic);
    EXPECT_FALSE(next.underline);
}

} // namespace
} // namespace fontlathe::test
