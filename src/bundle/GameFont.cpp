#include "GameFont.h"

#include "FontsRewrite.h"
#include "GameBundle.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace fontlathe {

GameFont::GameFont(QString dataPath, QString indexPath, int number, int version)
    : dataPath_(std::move(dataPath)), indexPath_(std::move(indexPath)), number_(number),
      version_(version) {}

Result GameFont::Load(const QString& path, int number, Charset& set, GameFont& font,
                      BlockLayout* layout) {
    std::vector<GameBundle> disks;
    QStringList remarks;
    if (Result opened = GameBundle::OpenDisks(path, disks, remarks); !opened) {
        return opened;
    }
    const auto holder = std::find_if(disks.begin(), disks.end(), [number](const GameBundle& disk) {
        return disk.Font(number) != nullptr;
    });
    if (holder == disks.end()) {
        return GameBundle::MissingFont(path, disks, number);
    }
    const GameBundle& bundle = *holder;
    const BundleFont* found = bundle.Font(number);
    Charset loaded = set;
    if (const Result decoded = DecodeCharset(bundle.FontBlock(*found), loaded, layout); !decoded) {
        return Result::Failure(bundle.paths().data,
                               QStringLiteral("font %1 at data file offset %2: %3")
                                   .arg(number)
                                   .arg(found->offset)
                                   .arg(decoded.reason()));
    }
    set = std::move(loaded);
    font = GameFont(bundle.paths().data, bundle.paths().index, number, bundle.version());
    font.pendingWrite_ = bundle.pendingWrite();
    return Result::Success();
}

Result GameFont::Save(const Charset& set, DirtyBytes dirtyBytes, QString& message,
                      BlockLayout* written) const {
    EncodedBlock block;
    if (const Result encoded = EncodeCharset(set, dirtyBytes, block); !encoded) {
        return Result::Failure(dataPath_, encoded.reason());
    }
    bundle::FontsRewritten rewritten;
    const auto put = [&block](const GameBundle&, const BundleFont&, QByteArray& bytes) {
        bytes = block.bytes;
        return Result::Success();
    };
    if (Result written = bundle::RewriteFonts(dataPath_, {number_}, put, rewritten); !written) {
        return written.At(dataPath_);
    }
    message = rewritten.Said();
    if (written != nullptr) {
        *written = block.layout;
    }
    return Result::Success();
}

QString GameFont::DisplayName() const {
    return QStringLiteral("%1, font %2").arg(QFileInfo(dataPath_).fileName()).arg(number_);
}

} // namespace fontlathe
