#pragma once

#include <QString>

namespace fontlathe {

// The code page chosen for each font file, by the file's canonical path (a game's font by its
// GameFontEntry), and the one chosen last, kept in the user's settings so that a file opens with
// the page it was read with.
class CodePageChoices {
public:
    // The page remembered for the file; for a file never opened before latin1, the page game
    // fonts are drawn for: the page chosen last for another font (cp1251 after a Russian one)
    // would only misname its letters.
    QString PageFor(const QString& path) const;
    // Whether a page was chosen for the file.
    bool Knows(const QString& path) const;
    // The page chosen last, a mapping file too, else latin1: a new set starts with it.
    QString LastChosen() const;
    // Remembers the page for the file (when it names one) and as the one chosen last.
    void Remember(const QString& path, const QString& page);
};

} // namespace fontlathe
