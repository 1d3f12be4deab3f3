#include "BundleRewrite.h"

#include "BundleBytes.h"
#include "BundleParser.h"
#include "EngineLimits.h"
#include "FontsRewrite.h"
#include "PendingWrite.h"
#include "charset/CharBlockLayout.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"

#include <QFileInfo>
#include <QStringList>

namespace fontlathe {

using namespace bundle;

namespace {

QString FontName(int number) {
    return QStringLiteral("font %1").arg(number);
}

void GrowLittle32(QByteArray& bytes, std::int64_t at, std::int64_t growth) {
    PutLittle32(bytes, at, static_cast<std::uint32_t>(Little32(bytes, at) + growth));
}

void GrowBig32(QByteArray& bytes, std::int64_t at, std::int64_t growth) {
    PutBig32(bytes, at, static_cast<std::uint32_t>(Big32(bytes, at) + growth));
}

// Moves everything that lies after the font at offset in room by growth: LOFF offsets of later
// rooms and directory entries of the same room whose resource lies after the font.
void ShiftReferences(const GameBundle& bundle, const BundleRoom& room, std::int64_t offset,
                     std::int64_t growth, RewrittenBundle& out) {
    const BundleLayout& layout = bundle.layout();
    for (int i = 0; i < layout.loffCount; ++i) {
        const std::int64_t at = LoffEntryOffset(i) + 1;
        if (Little32(out.data, at) > offset) {
            GrowLittle32(out.data, at, growth);
        }
    }
    for (const BundleDirectory& directory : layout.directories) {
        if (DirectoryTargets(directory.block.tag).empty()) {
            continue;
        }
        for (std::size_t i = 0; i < directory.rooms.size(); ++i) {
            const std::uint32_t entry = directory.offsets[i];
            if (directory.rooms[i] == room.number && entry != 0xffffffffu &&
                room.base() + entry > offset) {
                GrowLittle32(out.index, directory.OffsetField(i), growth);
                out.indexChanged = true;
            }
        }
    }
}

// Checks the rewritten bundle as a fresh read would and that the font holds the new block.
Result Verify(const GameBundle& bundle, int number, QByteArrayView block,
              const RewrittenBundle& rewritten) {
    const QString path = bundle.paths().data;
    GameBundle reread;
    // The copies share the rewritten bytes; nothing is copied or decrypted again.
    if (Result parsed = GameBundle::FromDecrypted(rewritten.index, rewritten.data, bundle.paths(),
                                                  bundle.encrypted(), reread);
        !parsed) {
        return Result::Failure(
            parsed.path(), QStringLiteral("the rewritten bundle does not add up, so nothing was "
                                          "written: %1")
                               .arg(parsed.reason()));
    }
    const BundleFont* font = reread.Font(number);
    const bool placed =
        font != nullptr &&
        reread.FontBlock(*font).mid(BlockHeaderSize).startsWith(block.sliced(BlockHeaderSize)) &&
        reread.fonts().size() == bundle.fonts().size();
    if (!placed) {
        return Result::Failure(path, QStringLiteral("the rewritten bundle does not hold the "
                                                    "new %1, so nothing was written")
                                         .arg(FontName(number)));
    }
    return Result::Success();
}

// What WriteBundle says of a data file it wrote.
QString WrittenText(const BundlePaths& paths, const RewrittenBundle& rewritten) {
    const QString dataName = QFileInfo(paths.data).fileName();
    const QString indexName = QFileInfo(paths.index).fileName();
    // Several fonts that grew are each named with their growth.
    QString grew = QStringLiteral("the font grew by %1 bytes").arg(rewritten.growth);
    if (rewritten.grownFonts.size() > 1) {
        QStringList fonts;
        for (const auto& [number, bytes] : rewritten.grownFonts) {
            fonts << QStringLiteral("font %1 by %2 bytes").arg(number).arg(bytes);
        }
        grew = QStringLiteral("the fonts grew: ") + fonts.join(QStringLiteral(", "));
    }
    QString message = rewritten.indexChanged
                          ? QStringLiteral("Wrote %1 and %2; %3, so the index was rewritten.")
                                .arg(dataName, indexName, grew)
                          : QStringLiteral("Wrote %1; the index was not rewritten.").arg(dataName);
    if (rewritten.spare > 0) {
        // Each font smaller than its block by its number.
        QStringList smaller;
        for (const auto& [number, bytes] : rewritten.spareFonts) {
            smaller << QStringLiteral("%1 %2 is %3 bytes smaller than its block")
                           .arg(smaller.isEmpty() ? QStringLiteral("Font") : QStringLiteral("font"))
                           .arg(number)
                           .arg(bytes);
        }
        if (smaller.isEmpty()) {
            smaller << QStringLiteral("The font is %1 bytes smaller than its block")
                           .arg(rewritten.spare);
        }
        message += QStringLiteral(" %1, which keeps its size with the rest zero-filled; to get the "
                                  "original layout back, copy %2.orig and %3.orig over the two "
                                  "files.")
                       .arg(smaller.join(QStringLiteral("; ")), indexName, dataName);
    }
    return message;
}

} // namespace

Result ReplaceFont(const GameBundle& bundle, int number, QByteArrayView block,
                   RewrittenBundle& out) {
    const QString& path = bundle.paths().data;
    const BundleFont* font = bundle.Font(number);
    if (font == nullptr) {
        return Result::Failure(bundle.paths().index,
                               QStringLiteral("the bundle has no %1").arg(FontName(number)));
    }
    Charset check;
    if (block.size() < layout::HeaderSize) {
        return Result::Failure(QString(), QStringLiteral("the new font is %1 bytes, shorter "
                                                         "than a CHAR header")
                                              .arg(block.size()));
    }
    if (const Result decoded = DecodeCharset(block, check); !decoded) {
        return Result::Failure(QString(), decoded.reason());
    }
    if (Result limits = CheckEngineLimits(block); !limits) {
        return limits;
    }
    // The rewrite is of the whole data file; until now only its structure and fonts were read.
    if (Result loaded = bundle.LoadData(); !loaded) {
        return loaded;
    }
    const BundleRoom& room = bundle.layout().rooms[bundle.layout().roomByNumber.at(font->room)];
    const std::int64_t growth = std::max<std::int64_t>(block.size() - font->size, 0);
    if (growth > 0 && (std::int64_t(bundle.data().size()) + growth > GameBundle::MaxDataSize)) {
        return Result::Failure(
            path,
            QStringLiteral("the data file would grow past %1 bytes").arg(GameBundle::MaxDataSize));
    }
    RewrittenBundle rewritten;
    rewritten.index = bundle.index();
    rewritten.growth = growth;
    if (growth > 0) {
        rewritten.grownFonts = {{number, growth}};
    }
    rewritten.spare = std::max<std::int64_t>(font->size - block.size(), 0);
    if (rewritten.spare > 0) {
        rewritten.spareFonts = {{number, rewritten.spare}};
    }
    const auto at = static_cast<qsizetype>(font->offset);
    const std::int64_t newSize = std::max<std::int64_t>(block.size(), font->size);
    if (growth == 0) {
        rewritten.data = bundle.data();
        char* const target = rewritten.data.data() + at;
        std::copy(block.begin(), block.end(), target);
        std::fill(target + block.size(), target + font->size, '\0');
    } else {
        rewritten.data.reserve(bundle.data().size() + growth);
        rewritten.data.append(bundle.data().constData(), at);
        rewritten.data.append(block);
        rewritten.data.append(bundle.data().constData() + at + font->size,
                              bundle.data().size() - at - font->size);
        GrowBig32(rewritten.data, 4, growth);
        GrowBig32(rewritten.data, room.lflf.offset + 4, growth);
        ShiftReferences(bundle, room, font->offset, growth, rewritten);
    }
    // The block's own header: its tag and the room it takes in the tree.
    rewritten.data.replace(at, 4, "CHAR", 4);
    PutBig32(rewritten.data, at + 4, static_cast<std::uint32_t>(newSize));
    rewritten.dataChanged = rewritten.data != bundle.data();
    if (Result verified = Verify(bundle, number, block, rewritten); !verified) {
        return verified;
    }
    out = std::move(rewritten);
    return Result::Success();
}

Result WriteBundle(const GameBundle& bundle, RewrittenBundle rewritten, QString& message,
                   BundleFiles& files) {
    bundle::FontsRewritten written;
    if (rewritten.dataChanged || rewritten.indexChanged) {
        const QByteArray index = rewritten.index;
        if (Result replaced = WriteRewrites({DiskRewrite{bundle, std::move(rewritten)}}, index,
                                            written.messages, files);
            !replaced) {
            return replaced;
        }
    }
    message = written.Said();
    return Result::Success();
}

Result WriteRewrites(const std::vector<DiskRewrite>& disks, const QByteArray& index,
                     QStringList& messages, BundleFiles& files) {
    std::vector<const DiskRewrite*> changed;
    for (const DiskRewrite& disk : disks) {
        if (disk.rewritten.dataChanged) {
            changed.push_back(&disk);
        }
    }
    const GameBundle& first = disks.front().read;
    const QString& indexPath = first.paths().index;
    const bool indexChanged = index != first.index();
    if (changed.empty() && !indexChanged) {
        return Result::Success();
    }
    // The files as they lie on disk: new, and as they were read.
    const auto onDisk = [&first](QByteArray bytes) {
        if (first.encrypted()) {
            GameBundle::Crypt(bytes);
        }
        return bytes;
    };
    std::vector<std::pair<QString, const QByteArray*>> written{{indexPath, &first.index()}};
    for (const DiskRewrite* disk : changed) {
        written.emplace_back(disk->read.paths().data, &disk->read.data());
    }
    // Refused before the first byte is written, .orig copies included.
    for (const auto& [path, bytes] : written) {
        const QFileInfo info(path);
        // The permission bits, not only access(): a game copied read-only is refused as well
        // for a user who could write it all the same.
        const QFileInfo folder(info.absolutePath());
        constexpr auto anyWrite =
            QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!info.isWritable() || !(info.permissions() & anyWrite) || !folder.isWritable() ||
            !(folder.permissions() & anyWrite)) {
            return Result::Failure(
                path, QStringLiteral("it can't be written (it, or its folder, is read-only); "
                                     "nothing was written. Use File > Save As to keep the font "
                                     "in a font file of its own"));
        }
    }
    // The copies this write makes go again should it fail, as the game's files stay as they
    // were: the folder is left as it was found.
    QStringList kept, made;
    const auto removeCopies = [&made, &files] {
        for (const QString& copy : made) {
            files.Remove(copy);
        }
    };
    for (const auto& [path, plain] : written) {
        const QString copy = path + QStringLiteral(".orig");
        // A copy is never replaced; but an empty one, as an older write on a full disk could
        // leave, is no copy of a game's file, and is made anew.
        const QFileInfo existing(copy);
        const bool emptyCopy = existing.exists();
        if (emptyCopy && existing.size() > 0) {
            continue;
        }
        if (const Result saved = files.Write(copy, onDisk(*plain)); !saved) {
            removeCopies();
            return Result::Failure(copy,
                                   saved.reason() + QStringLiteral("; the bundle was not changed"));
        }
        kept << QFileInfo(copy).fileName();
        if (!emptyCopy) {
            made << copy;
        }
    }
    std::vector<QByteArray> bytes;
    bytes.reserve(changed.size() + 1);
    std::vector<FileReplacement> replacements;
    for (const DiskRewrite* disk : changed) {
        bytes.push_back(onDisk(disk->rewritten.data));
        const GameBundle& read = disk->read;
        replacements.push_back(
            {read.paths().data, bytes.back(), [&read, &onDisk] { return onDisk(read.data()); }});
    }
    if (indexChanged) {
        bytes.push_back(onDisk(index));
        replacements.push_back(
            {indexPath, bytes.back(), [&first, &onDisk] { return onDisk(first.index()); }});
    }
    if (Result replaced = ReplaceFiles(indexPath, replacements, files); !replaced) {
        // A write left for a repair to finish still needs the copies.
        PendingWrite pending;
        if (PendingWrite::Read(indexPath, pending) && !pending.pending()) {
            removeCopies();
        }
        return replaced;
    }
    for (const DiskRewrite* disk : changed) {
        messages << WrittenText(disk->read.paths(), disk->rewritten);
    }
    if (!kept.isEmpty() && !messages.isEmpty()) {
        const QString last = kept.takeLast();
        const QString copies =
            kept.isEmpty() ? last
                           : kept.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
        messages.last() += QStringLiteral(" The original files are kept as %1.").arg(copies);
    }
    return Result::Success();
}

} // namespace fontlathe
