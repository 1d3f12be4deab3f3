#include "support/AppFixture.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class RecentFilesTest : public AppFixture {
protected:
    // Empty sets f&0.char, f&1.char, ... in the working folder; the '&' must show in the menu.
    QString File(int i) const { return PathOf(u"f&%1.char"_s.arg(i)); }
    void WriteSets(int count) {
        Charset empty;
        empty.NewCharset(1);
        for (int i = 0; i < count; ++i) {
            WriteSet(QFileInfo(File(i)).fileName(), empty);
        }
    }
    void Open(int i) {
        environment_.openAnswers.push_back(File(i));
        dispatcher().MenuCommand(Menu::Open);
    }
    QAction* Entry(int i) { return window().recentMenu()->actions().at(i); }
    QStringList Entries() {
        QStringList paths;
        for (QAction* action : window().recentMenu()->actions()) {
            paths << action->data().toString();
        }
        return paths.mid(0, paths.size() - 2); // the separator and "Clear Menu"
    }
};

TEST_F(RecentFilesTest, LastEightOpenedOrSavedMostRecentFirstAcrossRuns) {
    WriteSets(10);
    Start({u"f&0"_s});
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 3}) {
        Open(i);
    }
    Start();
    QStringList expected;
    for (int i : {3, 9, 8, 7, 6, 5, 4, 2}) {
        expected << File(i);
    }
    EXPECT_EQ(Entries().join(u'\n'), expected.join(u'\n'));
    const QString folder = QDir::toNativeSeparators(QFileInfo(File(0)).absolutePath());
    EXPECT_EQ(Entry(0)->text(), u"f&&3.char  (%1)"_s.arg(folder));
    environment_.saveAnswers.push_back(PathOf(u"saved"_s));
    dispatcher().MenuCommand(Menu::SaveAs);
    EXPECT_EQ(Entries().first(), PathOf(u"saved.char"_s));

    dispatcher().MenuCommand(Menu::ClearRecent);
    Start();
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_FALSE(window().recentMenu()->menuAction()->isEnabled());
}

TEST_F(RecentFilesTest, EntryOpensAfterTheQuestionAndAMissingFileLeavesTheList) {
    WriteSets(3);
    Start({u"f&0"_s});
    Open(1);
    Open(2);
    ClickRow(65);
    Click(Control::OnButton);
    environment_.saveChangesAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::Discard};
    Entry(1)->trigger();
    EXPECT_EQ(document().fileType().path(), File(2));
    EXPECT_NE(set().GlyphAt(65), nullptr);
    Entry(1)->trigger();
    EXPECT_EQ(document().fileType().path(), File(1));
    EXPECT_EQ(set().GlyphAt(65), nullptr);

    ASSERT_TRUE(QFile::remove(File(0)));
    Entry(2)->trigger();
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].text.startsWith(u"Could not open \"%1\""_s.arg(File(0))));
    EXPECT_EQ(document().fileType().path(), File(1));
    EXPECT_EQ(Entries().join(u'\n'), File(1) + u'\n' + File(2));
}

// A bare name starts the requester where the last file was, or the first time at the name.
TEST_F(RecentFilesTest, RequestersStartInTheFolderOfTheFile) {
    WriteSets(1);
    Start();
    Open(0);
    dispatcher().MenuCommand(Menu::SaveAs);
    dispatcher().MenuCommand(Menu::New2Colors);
    dispatcher().MenuCommand(Menu::Open);
    ASSERT_EQ(environment_.openRequests.size(), 2u);
    EXPECT_EQ(environment_.openRequests[0].startPath, u"new.char"_s);
    EXPECT_EQ(environment_.saveRequests.at(0).startPath, File(0));
    EXPECT_EQ(environment_.openRequests[1].startPath, QFileInfo(File(0)).absolutePath());
}

} // namespace
} // namespace fontlathe::test
