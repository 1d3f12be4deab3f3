#include "GameBundle.h"

#include "BundleBytes.h"
#include "BundleNames.h"
#include "BundleParser.h"
#include "PendingWrite.h"
#include "charset/CharBlockLayout.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"

#include <QFileInfo>

#include <array>

namespace fontlathe {

using namespace bundle;

namespace {

// A file far too large is refused before a byte of it is read.
Result CheckSize(const QString& path, qint64 limit, const QString& kind) {
    const QFileInfo info(path);
    if (info.isFile() && info.size() > limit) {
        return Result::Failure(path, QStringLiteral("it is %1 bytes, more than the %2 a %3 "
                                                    "may have")
                                         .arg(info.size())
                                         .arg(limit)
                                         .arg(kind));
    }
    return Result::Success();
}

Result ReadFile(const QString& path, qint64 limit, const QString& kind, QByteArray& bytes) {
    if (Result checked = CheckSize(path, limit, kind); !checked) {
        return checked;
    }
    if (const Result read = ReadWholeFile(path, limit, kind, bytes); !read) {
        return Result::Failure(path, read.reason());
    }
    return Result::Success();
}

} // namespace

Result GameBundle::Open(const QString& path, GameBundle& bundle) {
    BundlePaths paths;
    if (Result named = PathsFor(path, paths); !named) {
        return named;
    }
    return OpenPaths(paths, bundle);
}

Result GameBundle::OpenPaths(const BundlePaths& paths, GameBundle& bundle) {
    if (!QFileInfo::exists(paths.index) && QFileInfo::exists(paths.data)) {
        return Result::Failure(
            paths.named(),
            QStringLiteral("its index file is not beside it: no %1 was found, in any letter "
                           "case. Some releases keep the index inside the game's program, which "
                           "Fontlathe cannot read")
                .arg(QFileInfo(paths.index).fileName()));
    }
    PendingWrite pending;
    if (Result read = PendingWrite::Read(paths.index, pending); !read) {
        return read;
    }
    QByteArray index;
    if (Result read = ReadFile(pending.Source(paths.index), MaxIndexSize,
                               QStringLiteral("bundle's index file"), index);
        !read) {
        return read;
    }
    // The data file is checked and opened before what the index holds is looked at, as a read of
    // the two files whole did.
    char key = 0;
    const Result known = IndexKey(index, paths, key);
    const QString dataKind = QStringLiteral("bundle's data file");
    std::shared_ptr<BundleData> data;
    const QString dataFile = pending.Source(paths.data);
    if (Result checked = CheckSize(dataFile, MaxDataSize, dataKind); !checked) {
        return checked;
    }
    if (Result opened = BundleData::Open(dataFile, MaxDataSize, dataKind, key, data); !opened) {
        return opened;
    }
    if (!known) {
        return known;
    }
    XorBytes(index.data(), index.size(), key);
    if (Result read = FromData(std::move(index), std::move(data), paths, key != 0, bundle); !read) {
        return read;
    }
    bundle.pendingWrite_ = pending.Notice(paths.named());
    return Result::Success();
}

Result GameBundle::FromBytes(QByteArray indexFile, QByteArray dataFile, const BundlePaths& paths,
                             GameBundle& bundle) {
    char key = 0;
    if (Result known = IndexKey(indexFile, paths, key); !known) {
        return known;
    }
    XorBytes(indexFile.data(), indexFile.size(), key);
    XorBytes(dataFile.data(), dataFile.size(), key);
    return FromDecrypted(std::move(indexFile), std::move(dataFile), paths, key != 0, bundle);
}

Result GameBundle::FromDecrypted(QByteArray index, QByteArray data, const BundlePaths& paths,
                                 bool encrypted, GameBundle& bundle) {
    return FromData(std::move(index), std::make_shared<BundleData>(std::move(data)), paths,
                    encrypted, bundle);
}

Result GameBundle::FromData(QByteArray index, std::shared_ptr<BundleData> data,
                            const BundlePaths& paths, bool encrypted, GameBundle& bundle) {
    GameBundle loaded;
    loaded.paths_ = paths;
    loaded.encrypted_ = encrypted;
    loaded.index_ = std::move(index);
    loaded.data_ = std::move(data);
    if (Result parsed = ParseBundle(loaded.index_, *loaded.data_, paths, loaded.layout_); !parsed) {
        return parsed;
    }
    if (Result listed = loaded.ListFonts(); !listed) {
        return listed;
    }
    bundle = std::move(loaded);
    return Result::Success();
}

const QByteArray& GameBundle::data() const {
    static const QByteArray none;
    return data_ && data_->LoadWhole() ? data_->whole() : none;
}

Result GameBundle::LoadData() const {
    if (!data_) {
        return Result::Failure(paths_.data, QStringLiteral("no data file was opened"));
    }
    return data_->LoadWhole();
}

QString GameBundle::KindText() const {
    if (paths_.index.endsWith(QStringLiteral("HE0"), Qt::CaseInsensitive)) {
        return QStringLiteral("HE, version %1 layout").arg(layout_.version);
    }
    return QStringLiteral("version %1").arg(layout_.version);
}

const BundleFont* GameBundle::Font(int number) const {
    for (const BundleFont& font : fonts_) {
        if (font.number == number) {
            return &font;
        }
    }
    return nullptr;
}

QByteArray GameBundle::FontBlock(const BundleFont& font) const {
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].offset == font.offset && fonts_[i].size == font.size) {
            return fontBlocks_[i];
        }
    }
    QByteArray block;
    if (data_) {
        data_->Read(font.offset, font.size, block);
    }
    return block;
}

Result GameBundle::ListFonts() {
    fonts_.clear();
    fontBlocks_.clear();
    const BundleDirectory* directory = layout_.Directory(Tag("DCHR"));
    if (directory == nullptr) {
        return Result::Success();
    }
    for (std::size_t i = 0; i < directory->rooms.size(); ++i) {
        const auto room = layout_.roomByNumber.find(directory->rooms[i]);
        if (directory->rooms[i] == 0 || directory->offsets[i] == 0xffffffffu ||
            room == layout_.roomByNumber.end()) {
            continue;
        }
        // The parser has checked that the entry lands on a CHAR block of its room.
        const std::int64_t at = layout_.rooms[room->second].base() + directory->offsets[i];
        BundleFont font;
        font.number = static_cast<int>(i);
        font.room = directory->rooms[i];
        font.offset = at;
        char header[BlockHeaderSize];
        if (Result read = data_->Read(at, BlockHeaderSize, header); !read) {
            return read;
        }
        font.size = Big32(QByteArrayView(header, BlockHeaderSize), 4);
        QByteArray block;
        if (Result read = data_->Read(at, font.size, block); !read) {
            return read;
        }
        if (block.size() >= layout::HeaderSize) {
            font.bitsPerPixel = Byte(block, layout::BitsPerPixelOffset);
            font.fontHeight = Byte(block, layout::FontHeightOffset);
            font.numChars = static_cast<std::int16_t>(Little16(block, layout::NumCharsOffset));
        }
        Charset set;
        if (DecodeCharset(block, set)) {
            font.glyphCount = set.PresentGlyphCount();
        }
        fonts_.push_back(font);
        fontBlocks_.push_back(std::move(block));
    }
    return Result::Success();
}

} // namespace fontlathe
