#include "RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace fontlathe {

namespace {

const QString PathsKey = QStringLiteral("recentFiles");
const QString LastFolderKey = QStringLiteral("lastFolder");

} // namespace

RecentFiles::RecentFiles() {
    const QSettings settings;
    paths_ = settings.value(PathsKey).toStringList();
    paths_.removeAll(QString());
    paths_.removeDuplicates();
    if (paths_.size() > MaxCount) {
        paths_.resize(MaxCount);
    }
    lastFolder_ = settings.value(LastFolderKey).toString();
}

// Absolute paths, so that an entry still names the same file from another working folder.
void RecentFiles::Add(const QString& path) {
    const QFileInfo file(path);
    const QString absolute = file.absoluteFilePath();
    paths_.removeAll(absolute);
    paths_.prepend(absolute);
    if (paths_.size() > MaxCount) {
        paths_.resize(MaxCount);
    }
    lastFolder_ = file.absolutePath();
    Store();
}

void RecentFiles::Remove(const QString& path) {
    paths_.removeAll(QFileInfo(path).absoluteFilePath());
    Store();
}

void RecentFiles::Clear() {
    paths_.clear();
    Store();
}

void RecentFiles::Store() const {
    QSettings settings;
    settings.setValue(PathsKey, paths_);
    settings.setValue(LastFolderKey, lastFolder_);
}

} // namespace fontlathe
