#include "CodePageChoices.h"

#include "GameFontEntry.h"
#include "text/CodePage.h"

#include <QFileInfo>
#include <QSettings>
#include <QVariantMap>

namespace fontlathe {

namespace {

const QString FilesKey = QStringLiteral("codePageOfFile");
const QString LastKey = QStringLiteral("lastCodePage");

// A file reached by a link or a relative name is the same file, and so is a game's font.
QString KeyOf(const QString& path) {
    std::optional<GameFontEntry> font = GameFontEntry::Parse(path);
    const QFileInfo file(font ? font->dataPath : path);
    const QString canonical = file.canonicalFilePath();
    const QString key = canonical.isEmpty() ? file.absoluteFilePath() : canonical;
    if (font) {
        font->dataPath = key;
        return font->Text();
    }
    return key;
}

} // namespace

QString CodePageChoices::PageFor(const QString& path) const {
    const QString page = QSettings().value(FilesKey).toMap().value(KeyOf(path)).toString();
    return page.isEmpty() ? QStringLiteral("latin1") : page;
}

bool CodePageChoices::Knows(const QString& path) const {
    return QSettings().value(FilesKey).toMap().contains(KeyOf(path));
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
