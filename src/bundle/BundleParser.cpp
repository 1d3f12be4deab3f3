#include "BundleParser.h"

#include "BundleBytes.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace fontlathe {

using namespace bundle;

namespace {

constexpr std::uint32_t DirectoryTags[] = {Tag("DROO"), Tag("DSCR"), Tag("DSOU"), Tag("DCOS"),
                                           Tag("DCHR")};

// An entry with this offset names no resource, as room 0 does.
constexpr std::uint32_t NoOffset = 0xffffffffu;

// What a walk does with bytes after the last block that make no block of their own.
enum class Trailing { Refused, Kept };

// Whether the four bytes could be a tag: letters, digits and spaces, as every tag is.
bool LooksLikeTag(std::uint32_t tag) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>(tag >> shift);
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')) {
            return false;
        }
    }
    return true;
}

QString FileName(const QString& path) {
    return QFileInfo(path).fileName();
}

// Walks the blocks from first to end, each of which must hold its header and end inside end.
// With Trailing::Kept, bytes at the end that hold no tag (padding, or a remainder too short for
// a header) end the walk and are reported as a remark, as the engine reads to the end of a file
// and stops there.
Result ReadBlocks(BundleData& bytes, const QString& path, const QString& parent, std::int64_t first,
                  std::int64_t end, std::vector<BundleBlock>& out,
                  Trailing trailing = Trailing::Refused, QStringList* remarks = nullptr) {
    for (std::int64_t at = first; at < end;) {
        char header[BlockHeaderSize] = {};
        if (Result read = end - at >= BlockHeaderSize ? bytes.Read(at, BlockHeaderSize, header)
                                                      : Result::Success();
            !read) {
            return read;
        }
        const QByteArrayView fields(header, BlockHeaderSize);
        if (trailing == Trailing::Kept &&
            (end - at < BlockHeaderSize || !LooksLikeTag(Big32(fields, 0)))) {
            remarks->append(QStringLiteral("%1 ends with %2 bytes after its last block, at %3; "
                                           "they are kept as they are")
                                .arg(FileName(path))
                                .arg(end - at)
                                .arg(OffsetText(at)));
            return Result::Success();
        }
        if (end - at < BlockHeaderSize) {
            return Result::Failure(
                path, QStringLiteral("%1: %2 bytes are left in %3, too few for a block header")
                          .arg(OffsetText(at))
                          .arg(end - at)
                          .arg(parent));
        }
        const BundleBlock block{Big32(fields, 0), at, Big32(fields, 4)};
        if (block.size < BlockHeaderSize) {
            return Result::Failure(
                path, QStringLiteral("%1: the %2 block says it is %3 bytes, smaller than its "
                                     "8-byte header")
                          .arg(OffsetText(at), TagText(block.tag))
                          .arg(block.size));
        }
        if (block.size > end - at) {
            return Result::Failure(
                path, QStringLiteral("%1: the %2 block of %3 bytes runs past %4, which ends at %5")
                          .arg(OffsetText(at), TagText(block.tag))
                          .arg(block.size)
                          .arg(parent, OffsetText(end)));
        }
        out.push_back(block);
        at += block.size;
    }
    return Result::Success();
}

Result Refuse(const QString& path, const QString& what) {
    return Result::Failure(path, QStringLiteral("%1: not supported yet").arg(what));
}

Result ReadVersion(const BundleLayout& layout, const QString& path, int& version) {
    const BundleBlock* maxs = nullptr;
    const BundleBlock* heDirectory = nullptr;
    for (const BundleBlock& block : layout.indexBlocks) {
        if (block.tag == Tag("MAXS") && maxs == nullptr) {
            maxs = &block;
        }
        if ((block.tag == Tag("DLFL") || (block.tag >> 8) == (Tag("DIR ") >> 8)) &&
            heDirectory == nullptr) {
            heDirectory = &block;
        }
    }
    // Version 8 has DIR* directories too: its MAXS, which tells it apart, is looked at first.
    if (maxs != nullptr && maxs->size == 176) {
        return Refuse(path, QStringLiteral("%1: the index of a version 8 game (its fonts are NUT "
                                           "files)")
                                .arg(OffsetText(maxs->offset)));
    }
    if (heDirectory != nullptr) {
        return Refuse(path, QStringLiteral("%1: the index of an HE game of version 70 or "
                                           "later (a %2 block)")
                                .arg(OffsetText(heDirectory->offset), TagText(heDirectory->tag)));
    }
    if (maxs == nullptr) {
        return Result::Failure(
            path, QStringLiteral("the index has no MAXS block, so its version can't be told"));
    }
    // The engine reads a fixed set of counts from MAXS, so its size tells the version.
    switch (maxs->size) {
    case 26:
        version = 5;
        return Result::Success();
    case 38:
        version = 6;
        return Result::Success();
    case 138:
        version = 7;
        return Result::Success();
    default:
        return Result::Failure(
            path, QStringLiteral("%1: the MAXS block is %2 bytes, which no version 5, 6 or 7 "
                                 "index has (26, 38 or 138)")
                      .arg(OffsetText(maxs->offset))
                      .arg(maxs->size));
    }
}

Result ReadIndex(const QByteArray& index, const QString& path, BundleLayout& layout) {
    if (index.isEmpty()) {
        return Result::Failure(path, QStringLiteral("the index file is empty"));
    }
    BundleData blocks(index);
    if (Result read = ReadBlocks(blocks, path, QStringLiteral("the file"), 0, index.size(),
                                 layout.indexBlocks, Trailing::Kept, &layout.remarks);
        !read) {
        return read;
    }
    if (Result version = ReadVersion(layout, path, layout.version); !version) {
        return version;
    }
    for (const BundleBlock& block : layout.indexBlocks) {
        if (std::find(std::begin(DirectoryTags), std::end(DirectoryTags), block.tag) ==
            std::end(DirectoryTags)) {
            continue;
        }
        if (layout.Directory(block.tag) != nullptr) {
            return Result::Failure(path, QStringLiteral("%1: a second %2 block")
                                             .arg(OffsetText(block.offset), TagText(block.tag)));
        }
        const std::int64_t count = block.size >= 10 ? Little16(index, block.offset + 8) : -1;
        if (block.size != 10 + 5 * count) {
            return Result::Failure(
                path, QStringLiteral("%1: the %2 block is %3 bytes, but %4 entries take %5")
                          .arg(OffsetText(block.offset), TagText(block.tag))
                          .arg(block.size)
                          .arg(std::max<std::int64_t>(count, 0))
                          .arg(10 + 5 * std::max<std::int64_t>(count, 0)));
        }
        BundleDirectory directory{block, {}, {}};
        for (std::int64_t i = 0; i < count; ++i) {
            directory.rooms.push_back(Byte(index, block.offset + 10 + i));
        }
        for (std::int64_t i = 0; i < count; ++i) {
            directory.offsets.push_back(Little32(index, block.offset + 10 + count + 4 * i));
        }
        if (block.tag == Tag("DROO")) {
            for (std::int64_t i = 0; i < count; ++i) {
                layout.roomDisks[int(i)] = directory.rooms[std::size_t(i)];
            }
        }
        layout.directories.push_back(std::move(directory));
    }
    return Result::Success();
}

Result ReadLoff(BundleData& data, const QString& path, const BundleBlock& loff,
                BundleLayout& layout) {
    // The block's bytes from its start, read only once its size is known to be that of a LOFF.
    QByteArray table;
    if (Result read = data.Read(loff.offset, std::min<std::int64_t>(loff.size, 9), table); !read) {
        return read;
    }
    const int count = loff.size > BlockHeaderSize ? Byte(table, 8) : -1;
    if (loff.offset != 8 || loff.tag != Tag("LOFF") || loff.size != 9 + 5 * count) {
        return Result::Failure(
            path, QStringLiteral("%1: the LECF block must start with a LOFF block of 9 bytes and 5 "
                                 "per room; it starts with a %2 block of %3 bytes")
                      .arg(OffsetText(8), TagText(loff.tag))
                      .arg(loff.size));
    }
    if (Result read = data.Read(loff.offset, loff.size, table); !read) {
        return read;
    }
    layout.loffCount = count;
    for (int i = 0; i < count; ++i) {
        const std::int64_t at = LoffEntryOffset(i);
        const int room = Byte(table, at - loff.offset);
        const std::int64_t base = Little32(table, at - loff.offset + 1);
        const auto found = std::lower_bound(layout.rooms.begin(), layout.rooms.end(), base,
                                            [](const BundleRoom& candidate, std::int64_t value) {
                                                return candidate.base() < value;
                                            });
        if (found == layout.rooms.end() || found->base() != base || found->blocks.empty() ||
            found->blocks.front().tag != Tag("ROOM")) {
            return Result::Failure(
                path, QStringLiteral("%1: LOFF places room %2 at %3, where no LFLF's ROOM block "
                                     "starts")
                          .arg(OffsetText(at))
                          .arg(room)
                          .arg(OffsetText(base)));
        }
        if (layout.roomByNumber.count(room) != 0 || found->number >= 0) {
            return Result::Failure(
                path, QStringLiteral("%1: LOFF names room %2 a second time, or its LFLF twice")
                          .arg(OffsetText(at))
                          .arg(room));
        }
        found->number = room;
        layout.roomByNumber[room] = static_cast<std::size_t>(found - layout.rooms.begin());
    }
    return Result::Success();
}

Result ReadData(BundleData& data, const QString& path, BundleLayout& layout) {
    const QLocale numbers(QLocale::English);
    QByteArray header;
    if (Result read = data.Read(0, std::min<std::int64_t>(data.size(), BlockHeaderSize), header);
        !read) {
        return read;
    }
    if (data.size() < BlockHeaderSize || Big32(header, 0) != Tag("LECF")) {
        return Result::Failure(
            path, QStringLiteral("%1: the data file must start with a LECF block; it starts with "
                                 "\"%2\"")
                      .arg(OffsetText(0), data.size() < 4 ? QStringLiteral("(too few bytes)")
                                                          : TagText(Big32(header, 0))));
    }
    const std::int64_t lecf = Big32(header, 4);
    if (lecf > data.size()) {
        return Result::Failure(
            path, QStringLiteral("%1: %2 is %3 bytes, but its LECF block says %4: the file is cut "
                                 "short")
                      .arg(OffsetText(0), FileName(path), numbers.toString(qint64(data.size())),
                           numbers.toString(qint64(lecf))));
    }
    if (lecf < data.size()) {
        layout.remarks.append(
            QStringLiteral("%1 is %2 bytes, but its LECF block says %3: the %4 bytes after it "
                           "are kept as they are")
                .arg(FileName(path), numbers.toString(qint64(data.size())),
                     numbers.toString(qint64(lecf)))
                .arg(data.size() - lecf));
    }
    std::vector<BundleBlock> top;
    if (Result read =
            ReadBlocks(data, path, QStringLiteral("its LECF block"), BlockHeaderSize, lecf, top);
        !read) {
        return read;
    }
    if (top.empty()) {
        return Result::Failure(path, QStringLiteral("the LECF block is empty"));
    }
    for (const BundleBlock& block : top) {
        if (block.tag != Tag("LFLF")) {
            continue;
        }
        BundleRoom room;
        room.lflf = block;
        if (Result read = ReadBlocks(data, path, QStringLiteral("its LFLF block"),
                                     block.offset + BlockHeaderSize, block.end(), room.blocks);
            !read) {
            return read;
        }
        layout.rooms.push_back(std::move(room));
    }
    return ReadLoff(data, path, top.front(), layout);
}

// The charset directory must be sound: every entry of a room in this data file lands on a CHAR
// block. An entry of another directory that lands on no block of its kind is only a remark: the
// engine looks at a resource's tag when it loads it, and real games hold entries of resources
// that were cut. Sounds may be of any tag, as the engine's sound reader takes several.
Result CheckDirectory(const BundleDirectory& directory, BundleLayout& layout, const QString& path) {
    const std::vector<std::uint32_t> targets = DirectoryTargets(directory.block.tag);
    if (targets.empty()) {
        return Result::Success();
    }
    const bool strict = directory.block.tag == Tag("DCHR");
    const bool anyTag = directory.block.tag == Tag("DSOU");
    for (std::size_t i = 0; i < directory.rooms.size(); ++i) {
        const int number = directory.rooms[i];
        const std::uint32_t offset = directory.offsets[i];
        const auto room = layout.roomByNumber.find(number);
        // Room 0 names no resource; a room LOFF does not name lies in another data file.
        if (number == 0 || offset == NoOffset || room == layout.roomByNumber.end()) {
            continue;
        }
        const BundleRoom& lflf = layout.rooms[room->second];
        const std::int64_t at = lflf.base() + offset;
        const QString entry =
            QStringLiteral("%1 entry %2").arg(TagText(directory.block.tag)).arg(i);
        const QString where = QStringLiteral("%1: %2 (room %3, offset %4)")
                                  .arg(OffsetText(directory.OffsetField(i)), entry)
                                  .arg(number)
                                  .arg(offset);
        const auto found = std::lower_bound(
            lflf.blocks.begin(), lflf.blocks.end(), at,
            [](const BundleBlock& block, std::int64_t value) { return block.offset < value; });
        const bool onBlock =
            at < lflf.lflf.end() && found != lflf.blocks.end() && found->offset == at;
        if (onBlock &&
            (anyTag || std::find(targets.begin(), targets.end(), found->tag) != targets.end())) {
            continue;
        }
        if (!strict) {
            layout.remarks.append(
                onBlock ? QStringLiteral("%1 points at a %2 block, not a %3 block")
                              .arg(entry, TagText(found->tag), TagText(targets.front()))
                        : QStringLiteral("%1 points at no block").arg(entry));
            continue;
        }
        if (at >= lflf.lflf.end()) {
            return Result::Failure(
                path, QStringLiteral("%1 points outside its room, whose LFLF ends at data file %2")
                          .arg(where, OffsetText(lflf.lflf.end())));
        }
        if (!onBlock) {
            return Result::Failure(
                path, QStringLiteral("%1 points at data file %2, where no block of the room starts")
                          .arg(where, OffsetText(at)));
        }
        return Result::Failure(
            path, QStringLiteral("%1 points at a %2 block (data file %3), not a %4 block")
                      .arg(where, TagText(found->tag), OffsetText(at), TagText(targets.front())));
    }
    return Result::Success();
}

} // namespace

std::vector<std::uint32_t> DirectoryTargets(std::uint32_t directoryTag) {
    switch (directoryTag) {
    case Tag("DSCR"):
        return {Tag("SCRP")};
    case Tag("DSOU"):
        return {Tag("SOUN")};
    // Version 7 costumes are AKOS blocks.
    case Tag("DCOS"):
        return {Tag("COST"), Tag("AKOS")};
    case Tag("DCHR"):
        return {Tag("CHAR")};
    default:
        return {};
    }
}

Result ParseBundle(const QByteArray& index, BundleData& data, const BundlePaths& paths,
                   BundleLayout& out) {
    out = BundleLayout();
    if (Result read = ReadIndex(index, paths.index, out); !read) {
        return read;
    }
    if (Result read = ReadData(data, paths.data, out); !read) {
        return read;
    }
    for (const BundleDirectory& directory : out.directories) {
        if (Result checked = CheckDirectory(directory, out, paths.index); !checked) {
            return checked;
        }
    }
    return Result::Success();
}

} // namespace fontlathe
