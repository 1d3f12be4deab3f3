#pragma once

#include "bundle/GameBundle.h"
#include "bundle/GameFont.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QString>

#include <optional>

namespace fontlathe {

// A font of a game's bundle, named where a file's path would stand: in Open Recent and in the
// code page memory. The entry is the data file's absolute path and "#font" with the number,
// "/games/GAME.001#font2"; a path counts as one only when its file part names a bundle file.
struct GameFontEntry {
    QString dataPath;
    int number = 0;

    QString Text() const {
        return QFileInfo(dataPath).absoluteFilePath() + QStringLiteral("#font") +
               QString::number(number);
    }

    QString DisplayName() const { return GameFont(dataPath, QString(), number).DisplayName(); }

    static std::optional<GameFontEntry> Parse(const QString& entry) {
        static const QRegularExpression pattern(QStringLiteral("^(.+)#font(\\d{1,5})$"));
        const QRegularExpressionMatch match = pattern.match(entry);
        BundlePaths paths;
        if (!match.hasMatch() || !GameBundle::PathsFor(match.captured(1), paths)) {
            return std::nullopt;
        }
        return GameFontEntry{match.captured(1), match.captured(2).toInt()};
    }
};

} // namespace fontlathe
