#pragma once

#include "AddLetters.h"

#include <QImage>
#include <QString>

#include <vector>

namespace fontlathe {

// What Add Letters does to a font, in the words the window's dialog and the command line's
// table both show.
struct LetterReport {
    struct Row {
        QString code;           // "0xB9", or "-" where the target page has no code for the letter
        QString letter;         // the letter, or "space"
        QString how;            // "kept", "composed from a + a built-in ogonek", ...
        QImage glyph;           // the new glyph; null where the letter gets none
        QImage from = QImage(); // the font's glyph it was made from; null for none
    };
    std::vector<Row> rows;
    QString lost;   // the letters a new glyph replaces, separated by spaces, or "none"
    QString totals; // "kept 12, moved 0, ..."
    QString style;  // the style new letters get: "plain", "outlined in colour 2", ...
};

LetterReport ReportLetters(const AddLettersPlan& plan);

} // namespace fontlathe
