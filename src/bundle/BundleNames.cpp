#include "BundleNames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace fontlathe::bundlenames {

namespace {

// A suffix of a bundle's file: the letters before the disk number, and how many digits it has.
struct Suffix {
    QString letters;
    int digits = 0;
    int disk = -1;
};

Suffix ParseSuffix(const QString& suffix) {
    static const QRegularExpression pattern(QStringLiteral("^(?:(\\d{3})|(la|he|sm)(\\d))$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(suffix);
    if (!match.hasMatch()) {
        return {};
    }
    if (match.hasCaptured(1)) {
        return {QString(), 3, match.captured(1).toInt()};
    }
    return {match.captured(2), 1, match.captured(3).toInt()};
}

// The file of that name beside path, in the letter case of path's own suffix or, when no such
// file exists, in whatever case the folder holds it.
QString Partner(const QString& path, const Suffix& suffix, int disk) {
    const QFileInfo info(path);
    const QString name = info.completeBaseName() + u'.' + suffix.letters +
                         QStringLiteral("%1").arg(disk, suffix.digits, 10, QChar(u'0'));
    const QString wanted = path.left(path.size() - info.fileName().size()) + name;
    if (QFileInfo::exists(wanted)) {
        return wanted;
    }
    const QDir folder = info.dir();
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return path.left(path.size() - info.fileName().size()) + entry;
        }
    }
    return wanted;
}

} // namespace

int DiskOf(const QString& path) {
    return ParseSuffix(QFileInfo(path).suffix()).disk;
}

Result PathsFor(const QString& path, BundlePaths& paths) {
    const Suffix suffix = ParseSuffix(QFileInfo(path).suffix());
    if (suffix.disk < 0) {
        return Result::Failure(
            path, QStringLiteral("it is no file of a game bundle: a bundle is NAME.000 and "
                                 "NAME.001, NAME.sm0 and NAME.sm1, NAME.LA0 and NAME.LA1, or "
                                 "NAME.HE0 and NAME.HE1"));
    }
    paths.given = path;
    paths.index = suffix.disk == 0 ? path : Partner(path, suffix, 0);
    paths.data = suffix.disk == 0 ? Partner(path, suffix, 1) : path;
    return Result::Success();
}

QString DiskPath(const BundlePaths& paths, int disk) {
    const Suffix suffix = ParseSuffix(QFileInfo(paths.index).suffix());
    if (DiskOf(paths.data) == disk) {
        return paths.data;
    }
    return Partner(paths.index, suffix, disk);
}

} // namespace fontlathe::bundlenames
