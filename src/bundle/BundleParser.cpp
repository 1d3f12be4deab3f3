#include "BundleParser.h"
#include "BundleParts.h"

#include "BundleBytes.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace fontlathe {

using namespace bundle;
using bundleparts::ReadBlocks;

namespace {

QString FileName(const QString& path) {
    return QFileInfo(path).fileName();
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

} // namespace

Result ParseBundle(const QByteArray& index, BundleData& data, const BundlePaths& paths,
                   BundleLayout& out) {
    out = BundleLayout();
    if (Result read = bundleparts::ReadIndex(index, paths.index, out); !read) {
        return read;
    }
    if (Result read = ReadData(data, paths.data, out); !read) {
        return read;
    }
    for (const BundleDirectory& directory : out.directories) {
        if (Result checked = bundleparts::CheckDirectory(directory, out, paths.index); !checked) {
            return checked;
        }
    }
    return Result::Success();
}

} // namespace fontlathe
