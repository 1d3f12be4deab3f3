#pragma once

#include "bundle/BundleBytes.h"
#include "bundle/GameBundle.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <vector>

namespace fontlathe::test {

// The two files of a bundle as they lie on disk.
struct BuiltBundle {
    QByteArray index;
    QByteArray data;
    // The data files of disk 2 and on, by disk.
    std::map<int, QByteArray> disks;
};

// Builds small game bundles from the format's facts: an index of RNAM, MAXS (sized as the
// version writes it), DROO, DSCR, DSOU, DCOS, DCHR and DOBJ, and a data file of LECF with LOFF
// and one LFLF per room, each a ROOM block and then the resources in the order they are added.
class BundleBuilder {
public:
    explicit BundleBuilder(int version) : version_(version) {}

    // Starts a room on that disk; the resources added next go into it.
    BundleBuilder& Room(int number, int disk = 1);
    // Adds a resource to the current room under its directory's entry number: a SCRP, SOUN,
    // COST or AKOS block of payloadSize bytes, or a whole CHAR block as a .char file holds it.
    BundleBuilder& Add(const char* tag, int number, int payloadSize);
    BundleBuilder& Font(int number, const QByteArray& charBlock);
    // A directory entry as real games hold for resources that were cut: any room, any offset.
    BundleBuilder& Placeholder(const char* directory, int number, int room, std::uint32_t offset);
    // XOR-encrypted for versions 5 and 6, as those games' files are.
    BuiltBundle Build() const;

private:
    struct Resource {
        QByteArray block;
        int number;
    };
    struct BuiltRoom {
        int number;
        int disk;
        std::vector<Resource> resources;
    };
    struct RawEntry {
        QByteArray directory;
        int number;
        int room;
        std::uint32_t offset;
    };

    int version_;
    std::vector<BuiltRoom> rooms_;
    std::vector<RawEntry> entries_;
};

// A block with its 8-byte header.
QByteArray MakeBlock(const char* tag, const QByteArray& payload);

// A CHAR block of a varied set with glyphCount glyphs, as Save writes it.
QByteArray SampleFontBlock(int bitsPerPixel, int glyphCount, std::uint32_t seed);

// Writes the bundle into folder as stem.LA0 and stem.LA1 for version 7, else as stem.000 and
// stem.001 (and stem.002 and on); letters, when given, name the files stem.<letters>0 and on
// instead ("HE", "sm"). Returns the index's path.
QString WriteBundleFiles(const QString& folder, const QString& stem, int version,
                         const BuiltBundle& bundle, const QString& letters = QString());

enum class Tidiness { Tidy, Untidy };

// A kind of bundle: the version its index has, how its files are named (letters before the disk
// number; none for NAME.000) and whether it holds what real games hold and the engine reads all
// the same: entries of cut resources, a sound of another tag, bytes after the last block, a
// room on a second disk.
struct Kind {
    int version;
    const char* stem;
    const char* letters;
    Tidiness tidiness;
};

// Rooms with fonts and, after font 1, a sound, a costume and a script of the same room.
BuiltBundle SampleBundle(const Kind& kind);
// How a test's parameter names the kind: "GAME.sm v6 untidy".
void PrintTo(const Kind& kind, std::ostream* out);

// Every block (or, where an entry lands on none, the bytes) a directory entry of the bundle
// lands on, over every data file, by directory and entry.
inline std::map<std::pair<std::uint32_t, std::size_t>, QByteArray>
EntryBlocks(const QString& path) {
    std::vector<GameBundle> disks;
    QStringList remarks;
    EXPECT_TRUE(GameBundle::OpenDisks(path, disks, remarks).ok());
    std::map<std::pair<std::uint32_t, std::size_t>, QByteArray> blocks;
    for (const GameBundle& game : disks) {
        for (const BundleDirectory& directory : game.layout().directories) {
            for (std::size_t i = 0; i < directory.rooms.size(); ++i) {
                const auto room = game.layout().roomByNumber.find(directory.rooms[i]);
                if (directory.block.tag == bundle::Tag("DROO") ||
                    room == game.layout().roomByNumber.end()) {
                    continue;
                }
                const BundleRoom& lflf = game.layout().rooms[room->second];
                const std::int64_t at = lflf.base() + directory.offsets[i];
                const bool onBlock =
                    std::any_of(lflf.blocks.begin(), lflf.blocks.end(),
                                [at](const BundleBlock& block) { return block.offset == at; });
                blocks[{directory.block.tag, i}] = game.data().mid(
                    at, onBlock ? qsizetype(bundle::Big32(game.data(), at + 4)) : 16);
            }
        }
    }
    return blocks;
}

} // namespace fontlathe::test
