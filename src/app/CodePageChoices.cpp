#include "CodePageChoices.h"

#include <QFileInfo>
#include <QSettings>
#include <QVariantMap>

namespace fontlathe {

namespace {

const QString FilesKey = QStringLiteral("codePageOfFile");
const QString LastKey = QStringLiteral("lastCodePage");

// A file reached by a link or a relative name is the same file.
QString KeyOf(const QString& path) {
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

} // namespace

QString CodePageChoices::PageFor(const QString& path) const {
    const QString page = QSettings().value(FilesKey).toMap().value(KeyOf(path)).toString();
    return page.isEmpty() ? LastChosen() : page;
}

QString CodePageChoices::LastChosen() const {
    return QSettings().value(LastKey, QStringLiteral("latin1")).toString();
}

void CodePageChoices::Remember(const QString& path, const QString& page) {
    QSettings settings;
    if (!path.isEmpty()) {
        QVariantMap files = settings.value(FilesKey).toMap();
        files.insert(KeyOf(path), page);
        settings.setValue(FilesKey, files);
    }
    settings.setValue(LastKey, page);
}

} // namespace fontlathe
