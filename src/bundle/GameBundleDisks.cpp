// The data files of a bundle beyond the first: the rooms the room directory places on disk 2 and
// on lie in NAME.002 and on, beside the index.
#include "BundleBytes.h"
#include "BundleNames.h"
#include "GameBundle.h"

#include <QFileInfo>

#include <algorithm>
#include <set>

namespace fontlathe {

namespace {

// "fonts 1 to 4", "fonts 1, 2 and 4", "font 3", "no fonts".
QString FontsText(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    if (numbers.empty()) {
        return QStringLiteral("no fonts");
    }
    if (numbers.size() == 1) {
        return QStringLiteral("font %1").arg(numbers.front());
    }
    if (numbers.back() - numbers.front() + 1 == int(numbers.size())) {
        return QStringLiteral("fonts %1 to %2").arg(numbers.front()).arg(numbers.back());
    }
    QStringList listed;
    for (std::size_t i = 0; i + 1 < numbers.size(); ++i) {
        listed << QString::number(numbers[i]);
    }
    return QStringLiteral("fonts %1 and %2")
        .arg(listed.join(QStringLiteral(", ")))
        .arg(numbers.back());
}

} // namespace

Result GameBundle::OpenDisks(const QString& path, std::vector<GameBundle>& disks,
                             QStringList& remarks) {
    GameBundle first;
    if (Result opened = Open(path, first); !opened) {
        return opened;
    }
    const int firstDisk = bundlenames::DiskOf(first.paths().data);
    // Only the disks that hold a font are opened: the others have nothing to list.
    std::set<int> others;
    if (const BundleDirectory* fonts = first.layout().Directory(bundle::Tag("DCHR"))) {
        for (const std::uint8_t room : fonts->rooms) {
            const auto disk = first.layout().roomDisks.find(room);
            if (room != 0 && disk != first.layout().roomDisks.end() && disk->second >= 1 &&
                disk->second != firstDisk && first.layout().roomByNumber.count(room) == 0) {
                others.insert(disk->second);
            }
        }
    }
    std::vector<GameBundle> opened{first};
    for (const int disk : others) {
        BundlePaths paths = first.paths();
        paths.data = bundlenames::DiskPath(paths, disk);
        if (!QFileInfo::exists(paths.data)) {
            remarks << QStringLiteral("the room directory places rooms with fonts on disk %1, but "
                                      "%2 is not there")
                           .arg(disk)
                           .arg(QFileInfo(paths.data).fileName());
            continue;
        }
        GameBundle other;
        if (Result read = OpenPaths(paths, other); !read) {
            return read;
        }
        opened.push_back(std::move(other));
    }
    disks = std::move(opened);
    return Result::Success();
}

Result GameBundle::OpenFont(const QString& path, int number, GameBundle& bundle) {
    std::vector<GameBundle> disks;
    QStringList remarks;
    if (Result opened = OpenDisks(path, disks, remarks); !opened) {
        return opened;
    }
    for (GameBundle& disk : disks) {
        if (disk.Font(number) != nullptr) {
            bundle = std::move(disk);
            return Result::Success();
        }
    }
    return MissingFont(path, disks, number);
}

Result GameBundle::MissingFont(const QString& path, const std::vector<GameBundle>& disks,
                               int number) {
    std::vector<int> numbers;
    for (const GameBundle& disk : disks) {
        for (const BundleFont& font : disk.fonts()) {
            numbers.push_back(font.number);
        }
    }
    return Result::Failure(ResultKind::NoSuchFont,
                           QStringLiteral("%1 has %2; there is no font %3")
                               .arg(QFileInfo(path).fileName(), FontsText(numbers))
                               .arg(number))
        .At(path);
}

} // namespace fontlathe
