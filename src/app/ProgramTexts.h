#pragma once

#include "AppInfo.h"

#include "charset/CodePage.h"

#include <QFileInfo>
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

// The headline of a file that could not be opened; "%1" stands for its path.
inline const QString OpenFailureHeadline = QStringLiteral("Could not open \"%1\"");

// The information line's word on how codes are read: a standard page by its name, a mapping
// file by its file name.
inline QString CodePageLabelText(const CodePage& page) {
    return QStringLiteral("Code Page: ") + QFileInfo(page.name()).fileName();
}

inline const QString FontPrefsFrameTitle = QStringLiteral("Font Preferences");
inline const QString PreviewFrameTitle = QStringLiteral("Char Preview");

// The character frame's title; "$" stands for the number of present glyphs until the first
// count replaces it.
inline QString CharsFrameTitle(const QString& count = QStringLiteral("$")) {
    return QStringLiteral("Preferences of %1 chars (x) = not stored!").arg(count);
}

} // namespace fontlathe
