#include "bundle/FontsRewrite.h"
#include "support/BundleBuilder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// Counts the file operations of a write: the failAt-th fails, and at the dieAt-th the write ends
// as a killed program's would, leaving whatever was on disk (0: none).
class StoppingFiles : public BundleFiles {
public:
    struct Died {};
    StoppingFiles(int failAt, int dieAt) : failAt_(failAt), dieAt_(dieAt) {}
    Result Write(const QString& path, QByteArrayView bytes) override {
        return Go() ? BundleFiles::Write(path, bytes) : Result::Failure(u"the disk is full"_s);
    }
    Result Replace(const QString& from, const QString& to) override {
        return Go() ? BundleFiles::Replace(from, to) : Result::Failure(u"the disk is full"_s);
    }
    void Remove(const QString& path) override {
        if (Go()) {
            BundleFiles::Remove(path);
        }
    }
    int steps() const { return steps_; }

private:
    bool Go() {
        if (++steps_ == dieAt_) {
            throw Died{};
        }
        return steps_ != failAt_;
    }
    int steps_ = 0;
    int failAt_, dieAt_;
};

// Every file of the folder with its size and time of last change, to the nanosecond.
std::map<QString, std::pair<qint64, std::int64_t>> Listing(const QString& folder) {
    std::map<QString, std::pair<qint64, std::int64_t>> listing;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        listing[file.fileName()] = {
            file.size(),
            std::filesystem::last_write_time(file.filesystemFilePath()).time_since_epoch().count()};
    }
    return listing;
}

// Every font of a game with two data files grows, so that both data files and the index change;
// the write is stopped at each of its steps in turn, and a failed replacement of the index is
// killed at each step of putting the data files back. A read afterwards writes nothing and finds
// every font as before or every font as after, across both data files, as a repair then leaves
// them; a failure (not a kill) leaves them as before.
TEST(FontsRewriteTest, AWriteStoppedAtAnyStepLeavesEveryFontAsBeforeOrEveryFontAsAfter) {
    BundleBuilder builder(6);
    builder.Room(1).Font(1, SampleFontBlock(1, 10, 1)).Add("SCRP", 1, 30);
    builder.Font(2, SampleFontBlock(1, 10, 2)).Add("SOUN", 1, 20);
    builder.Room(2, 2).Font(3, SampleFontBlock(2, 10, 3)).Add("SCRP", 2, 30);
    const BuiltBundle built = builder.Build();
    const bundle::FontChange grow = [](const GameBundle&, const BundleFont& font,
                                       QByteArray& block) {
        block = SampleFontBlock(2, 40, std::uint32_t(font.number) + 10);
        return Result::Success();
    };
    QTemporaryDir whole;
    const QString clean = WriteBundleFiles(whole.path(), u"GAME"_s, 6, built);
    const auto before = EntryBlocks(clean);
    StoppingFiles counting(0, 0);
    bundle::FontsRewritten written;
    ASSERT_TRUE(bundle::RewriteFonts(clean, {}, grow, written, counting).ok());
    ASSERT_EQ(written.messages.size(), 2) << written.messages.join(u'\n').toStdString();
    const auto after = EntryBlocks(clean);
    for (const int font : {1, 2, 3}) {
        ASSERT_NE(before.at({bundle::Tag("DCHR"), font}), after.at({bundle::Tag("DCHR"), font}));
    }
    std::vector<std::pair<int, int>> stops; // the step that fails, the step the write is killed at
    const int indexPut = counting.steps() - 1; // the last step but the journal's removal
    for (int step = 1; step <= counting.steps(); ++step) {
        stops.insert(stops.end(), {{step, 0}, {0, step}, {indexPut, indexPut + step}});
    }
    int pendingReads = 0;
    for (const auto& [failAt, dieAt] : stops) {
        SCOPED_TRACE(testing::Message() << "failed at step " << failAt << ", killed at " << dieAt);
        QTemporaryDir folder;
        const QString game = WriteBundleFiles(folder.path(), u"GAME"_s, 6, built);
        StoppingFiles files(failAt, dieAt);
        Result result = Result::Failure(u"killed"_s);
        try {
            result = bundle::RewriteFonts(game, {}, grow, written, files);
        } catch (const StoppingFiles::Died&) {
        }
        const auto left = Listing(folder.path());
        GameBundle read;
        ASSERT_TRUE(GameBundle::Open(game, read).ok());
        pendingReads += read.pendingWrite().isEmpty() ? 0 : 1;
        const auto found = EntryBlocks(game);
        EXPECT_EQ(Listing(folder.path()), left) << "a read wrote into the game's folder";
        EXPECT_TRUE(found == before || found == after);
        if (dieAt == 0) {
            EXPECT_EQ(found, result.ok() ? after : before) << result.reason().toStdString();
        }
        QStringList done;
        ASSERT_TRUE(FinishPendingWrite(game, done).ok());
        EXPECT_EQ(EntryBlocks(game), found);
        EXPECT_EQ(QDir(folder.path()).entryList({u"*.fontlathe-*"_s}, QDir::Files), QStringList());
    }
    EXPECT_GT(pendingReads, 0) << "no stop left a write pending to be read";
}

} // namespace
} // namespace fontlathe::test
