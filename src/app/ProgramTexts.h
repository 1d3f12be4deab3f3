#pragma once

#include "AppInfo.h"

#include <QString>

namespace fontlathe {

// The program's own fixed texts, each spelled once.
inline const QString ProgramTitle = QStringLiteral("Fontlathe ") + QLatin1StringView(AppVersion);

inline QString MainWindowTitle(const QString& path) {
    return ProgramTitle + QStringLiteral(" - ") + path;
}

inline const QString AboutText =
    ProgramTitle + QStringLiteral(", an editor for the bitmap fonts of SCUMM games.\n"
                                  "Free software, written by the Fontlathe developers.");

inline const QString FontPrefsFrameTitle = QStringLiteral("Font Preferences");
inline const QString PreviewFrameTitle = QStringLiteral("Char Preview");

// The character frame's title; "$" stands for the number of present glyphs the file stores
// (those below the last stored code) until the first count replaces it.
inline QString CharsFrameTitle(const QString& count = QStringLiteral("$")) {
    return QStringLiteral("Preferences of %1 chars (x) = not stored!").arg(count);
}

} // namespace fontlathe
