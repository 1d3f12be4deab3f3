#pragma once

#include <QStringView>

namespace fontlathe {

// The code point of text at position, which then moves past it: a surrogate pair is one code
// point, an unpaired surrogate counts as one of its own. position must lie inside the text.
inline char32_t NextCodePoint(QStringView text, qsizetype& position) {
    const QChar unit = text[position++];
    if (unit.isHighSurrogate() && position < text.size() && text[position].isLowSurrogate()) {
        return QChar::surrogateToUcs4(unit, text[position++]);
    }
    return unit.unicode();
}

} // namespace fontlathe
