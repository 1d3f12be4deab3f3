// The index of a bundle: its version and its directories, and whether their entries land on
// blocks of the kinds they name.
#include "BundleParser.h"
#include "BundleParts.h"

#include "BundleBytes.h"

#include <algorithm>

namespace fontlathe {

using namespace bundle;

namespace {

constexpr std::uint32_t DirectoryTags[] = {Tag("DROO"), Tag("DSCR"), Tag("DSOU"), Tag("DCOS"),
                                           Tag("DCHR")};

// An entry with this offset names no resource, as room 0 does.
constexpr std::uint32_t NoOffset = 0xffffffffu;

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

namespace bundleparts {

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

} // namespace bundleparts
} // namespace fontlathe
