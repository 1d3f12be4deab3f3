#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <vector>

namespace fontlathe {

// The two files of a bundle: the index (NAME.000, .sm0, .LA0, .HE0) and a data file (NAME.001 and
// on, .sm1, .LA1, .HE1), and the file the user named, which every message names unless the
// other is at fault.
struct BundlePaths {
    QString index;
    QString data;
    QString given;

    const QString& named() const { return given.isEmpty() ? data : given; }
};

// A block of either file: its tag (the four bytes read big-endian), where it starts and its size
// with the 8-byte header.
struct BundleBlock {
    std::uint32_t tag = 0;
    std::int64_t offset = 0;
    std::int64_t size = 0;

    std::int64_t end() const { return offset + size; }
};

// One LFLF block of the data file and the blocks directly inside it; number is the room the
// LOFF table names it by, -1 when it names none.
struct BundleRoom {
    int number = -1;
    BundleBlock lflf;
    std::vector<BundleBlock> blocks;

    // Where the room's ROOM block starts: what LOFF and the directories count from.
    std::int64_t base() const { return lflf.offset + 8; }
};

// A directory of the index (DROO, DSCR, DSOU, DCOS, DCHR): a room and an offset per entry, the
// offset counted from the room's ROOM block.
struct BundleDirectory {
    BundleBlock block;
    std::vector<std::uint8_t> rooms;
    std::vector<std::uint32_t> offsets;

    // Where entry i's offset lies in the index file.
    std::int64_t OffsetField(std::size_t i) const {
        return block.offset + 10 + std::int64_t(rooms.size()) + 4 * std::int64_t(i);
    }
};

// The structure of a bundle as the parser found it, every size and offset checked.
struct BundleLayout {
    int version = 0;
    std::vector<BundleBlock> indexBlocks;
    std::vector<BundleDirectory> directories;
    std::vector<BundleRoom> rooms;
    // Room number -> position in rooms, for the rooms LOFF names.
    std::map<int, std::size_t> roomByNumber;
    int loffCount = 0;
    // Room number -> the disk (the data file's number) the room directory (DROO) places it on.
    std::map<int, int> roomDisks;
    // What the reader found untidy but the engine would read, for fonts --json: entries of other
    // directories that land on no block, bytes after the last block.
    QStringList remarks;

    const BundleDirectory* Directory(std::uint32_t tag) const {
        for (const BundleDirectory& directory : directories) {
            if (directory.block.tag == tag) {
                return &directory;
            }
        }
        return nullptr;
    }
};

// Where LOFF entry i's room byte lies in the data file; its offset follows it.
inline constexpr std::int64_t LoffEntryOffset(int i) {
    return 17 + 5 * std::int64_t(i);
}

} // namespace fontlathe
