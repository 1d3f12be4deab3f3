#include "support/FullDisk.h"
#include "cli/CliFixture.h"
#include "support/BundleBuilder.h"
#include "support/SampleSets.h"

#include <QDir>

#include <map>
#include <vector>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// Every command that writes a font, a sheet, a face, a picture or a game, on a disk with no byte
// free and with 4 KB free: it fails with the system's reason, and every file in the folder is as it
// was, with nothing new beside them (no .orig copy either).
TEST_F(CliAppTest, OnAFullDiskEveryWritingCommandFailsAndLeavesEveryFileAsItWas) {
    // Every output is larger than 4 KB.
    WriteSet(u"f.char"_s, VariedSet(2, 11, 120));
    WriteSet(u"b.char"_s, VariedSet(2, 12, 150));
    ASSERT_EQ(Cli({"generate", "--family", "DejaVu Sans", "--size", "20", "-o", "g.char"}).status,
              0);
    ASSERT_EQ(Cli({"export-font", "g.char", "-o", "face.bdf"}).status, 0);
    BundleBuilder builder(6);
    builder.Room(1).Add("SCRP", 1, 40).Font(1, ReadFile(u"g.char"_s)).Add("SOUN", 1, 30);
    builder.Room(2).Font(2, ReadFile(u"g.char"_s));
    const QString game = WriteBundleFiles(PathOf({}), u"game"_s, 6, builder.Build());
    ASSERT_EQ(Cli({"export", "f.char", "-o", "sheet.png"}).status, 0);
    ASSERT_EQ(Cli({"render", "f.char", "--text", "abc", "-o", "text.png"}).status, 0);
    std::vector<QStringList> commands = {
        {"resave", "f.char", "-o", "f.char"},
        {"resave", "f.char", "-o", "b.char"},
        {"import-font", "face.bdf", "-o", "b.char"},
        {"generate", "--family", "DejaVu Sans", "--size", "20", "-o", "f.char"},
        {"add-letters", "g.char", "--codepage", "cp1250", "--text", u"ąęś"_s, "-o", "b.char"},
        {"export", "b.char", "-o", "sheet.png"},
        {"import", "sheet.png", "-o", "b.char"},
        {"export-font", "b.char", "-o", "face.bdf"},
        {"extract", game, "--font", "2", "-o", "b.char"},
        {"insert", game, "--font", "1", "b.char"},
        {"add-letters", game, "--font", "all", "--codepage", "cp1250", "--text", u"ąęś"_s},
        {"add-letters", "g.char", "--codepage", "cp1251", "--text", u"юя"_s, "--move-reserved",
         "moved.txt", "-o", "b.char"},
        {"add-letters", game, "--font", "all", "--codepage", "cp1251", "--text", u"юя"_s,
         "--move-reserved", "moved.txt"},
    };
    const QDir folder(PathOf({}));
    std::map<QString, QByteArray> before;
    for (const QString& name : folder.entryList(QDir::Files)) {
        before[name] = ReadFile(name);
    }
    // A picture of text and a page are small: they meet a disk with no byte free.
    const std::vector<QStringList> small = {
        {"render", "g.char", "--text", "Quiz", "-o", "text.png"},
        {"codepages", "cp1251", "--write", "page.txt"}};
    for (const long long free : {4096LL, 0LL}) {
        for (const QStringList& command : commands) {
            const FullDisk disk(PathOf({}), free);
            const Run run = Cli(command);
            const std::string said = command.join(u' ').toStdString() + ", " +
                                     std::to_string(free) + " bytes free: " + run.err.toStdString();
            EXPECT_EQ(run.status, 1) << said;
            EXPECT_TRUE(run.err.contains(u"No space left on device"_s)) << said;
            EXPECT_GT(disk.faults(), 0) << said;
            std::map<QString, QByteArray> after;
            for (const QString& name : folder.entryList(QDir::Files)) {
                after[name] = ReadFile(name);
            }
            EXPECT_TRUE(after == before) << said;
        }
        commands.insert(commands.end(), small.begin(), small.end());
    }
}

} // namespace
} // namespace fontlathe::test
