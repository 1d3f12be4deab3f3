#pragma once

#include "GenerationFont.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

namespace fontlathe {

// The font a generation run draws with: the family, the face named by the style name or else
// bold and italic as flagged, one point per pixel, no antialiasing. A family that is not installed
// falls back through the desktop's own font matching (fontconfig maps "Arial" to a
// metric-compatible face) and finally to the standard interface font at the same size. Hinting is
// always full, so the window and the command-line tool draw the same pixels.
QFont MakeDrawingFont(const GenerationFont& generationFont);

// The family the font actually draws with, when it is not the one asked for (a family that is
// not installed); nothing when the asked-for family is used.
std::optional<QString> SubstitutedFamily(const QFont& font, const QString& askedFamily);

// Whether a family of that name (in any case) is installed.
bool IsInstalledFamily(const QString& family);
// The installed families whose names come closest to the one given (fewest letters to change),
// at most count of them, the closest first.
QStringList ClosestFamilies(const QString& family, int count = 3);

} // namespace fontlathe
