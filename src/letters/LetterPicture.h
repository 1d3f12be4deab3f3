#pragma once

#include "AddLetters.h"
#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QImage>
#include <QString>

#include <vector>

namespace fontlathe {

// One font's part of the picture: its name, the font as it was, its plan, and the font with the
// plan applied.
struct PictureFont {
    QString name;
    const Charset* before;
    const AddLettersPlan* plan;
    const Charset* after;
};

// What a translator looks at to judge the new letters: for each font, every letter made (not
// kept, missing or reserved) enlarged (zoom times, at least 4) in the font's own colours beside
// the glyph it was made from and the word of how, then a line of the new letters drawn as the
// preview draws them with the font after. Needs a QGuiApplication for the words.
QImage AddLettersPicture(const std::vector<PictureFont>& fonts, const CodePage& toPage,
                         int zoom = 4);

} // namespace fontlathe
