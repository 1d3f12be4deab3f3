#pragma once

#include <QString>

namespace fontlathe {

// The code page chosen for each font file, by the file's canonical path (a game's font by its
// GameFontEntry), and the one chosen last, kept in the user's settings so that a file opens with
// the page it was read with.
class CodePageChoices {
public:
    // The page remembered for the file, else the one chosen last, else latin1.
    QString PageFor(const QString& path) const;
    QString LastChosen() const;
    // Remembers the page for the file (when it names one) and as the one chosen last.
    void Remember(const QString& path, const QString& page);
};

} // namespace fontlathe
