// What kind of game file a name or an index's first bytes tell: either file of a bundle, plain
// or XOR-encrypted, or one of the kinds that are recognised and refused.
#include "GameBundle.h"

#include "BundleBytes.h"
#include "BundleNames.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace fontlathe {

using namespace bundle;

namespace {

constexpr char Key = 0x69;

// Tags an index file of version 5 to 8 or of an HE game may start with.
constexpr std::array IndexTags = {Tag("RNAM"), Tag("MAXS"), Tag("DROO"), Tag("DSCR"), Tag("DSOU"),
                                  Tag("DCOS"), Tag("DCHR"), Tag("DOBJ"), Tag("DLFL"), Tag("DIRI"),
                                  Tag("DIRR"), Tag("SVER"), Tag("DISK"), Tag("INIB")};

bool IsIndexTag(std::uint32_t tag) {
    return std::find(IndexTags.begin(), IndexTags.end(), tag) != IndexTags.end();
}

std::uint32_t FirstTag(QByteArrayView bytes, char key) {
    std::uint32_t tag = 0;
    for (int i = 0; i < 4; ++i) {
        tag = tag << 8 | static_cast<std::uint8_t>(bytes[i] ^ key);
    }
    return tag;
}

QString NotSupported(const QString& what) {
    return QStringLiteral("%1: not supported yet").arg(what);
}

// Versions 3 and 4 start their files with a 4-byte little-endian size and a 2-letter tag.
bool LooksLikeSmallHeader(QByteArrayView bytes) {
    static const QByteArrayView tags[] = {"RN", "0R", "0S", "0N", "0C", "0O", "LE", "LF", "FO"};
    for (const char key : {char(0), Key}) {
        const char tag[2] = {static_cast<char>(bytes[4] ^ key), static_cast<char>(bytes[5] ^ key)};
        for (QByteArrayView known : tags) {
            if (known == QByteArrayView(tag, 2)) {
                return true;
            }
        }
    }
    return false;
}

QString OlderGameFile() {
    return NotSupported(QStringLiteral("a file of a version 3 or 4 game, whose fonts lie in files "
                                       "of their own with an older layout"));
}

QString NutFile() {
    return NotSupported(QStringLiteral("a NUT font file (the fonts of version 8 and the subtitles "
                                       "of version 7)"));
}

// What a game file of a kind that is recognised but not read says, by its upper-case suffix;
// empty for any other.
QString RefusedKindOf(const QString& suffix) {
    if (suffix == QStringLiteral("LFL") || suffix == QStringLiteral("LEC")) {
        return OlderGameFile();
    }
    return suffix == QStringLiteral("NUT") ? NutFile() : QString();
}

} // namespace

Result GameBundle::PathsFor(const QString& path, BundlePaths& paths) {
    if (const QString refused = RefusedKindOf(QFileInfo(path).suffix().toUpper());
        !refused.isEmpty()) {
        return Result::Failure(path, refused);
    }
    return bundlenames::PathsFor(path, paths);
}

bool GameBundle::NamesGameFile(const QString& path) {
    BundlePaths paths;
    return PathsFor(path, paths).ok() ||
           !RefusedKindOf(QFileInfo(path).suffix().toUpper()).isEmpty();
}

Result GameBundle::IndexKey(QByteArrayView indexFile, const BundlePaths& paths, char& key) {
    if (indexFile.size() >= 4 && indexFile.startsWith("ANIM")) {
        return Result::Failure(paths.index, NutFile());
    }
    if (indexFile.size() < 8) {
        return Result::Failure(
            paths.index,
            QStringLiteral("it is %1 bytes, too short for an index file").arg(indexFile.size()));
    }
    key = IsIndexTag(FirstTag(indexFile, Key)) ? Key : 0;
    if (key == 0 && !IsIndexTag(FirstTag(indexFile, 0))) {
        return Result::Failure(
            paths.index,
            LooksLikeSmallHeader(indexFile)
                ? OlderGameFile()
                : QStringLiteral("%1: it starts with \"%2\", which is no index block, plain or "
                                 "XOR-encrypted")
                      .arg(OffsetText(0), TagText(FirstTag(indexFile, 0))));
    }
    return Result::Success();
}

void GameBundle::Crypt(QByteArray& bytes) {
    XorBytes(bytes.data(), bytes.size(), Key);
}

} // namespace fontlathe
