#pragma once

// The readers of each face format, and what they share; only the faces layer sees this.
#include "BitmapFace.h"
#include "charset/Result.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace fontlathe {

Result ReadBdf(QByteArrayView bytes, BitmapFace& face);
Result ReadPcf(QByteArrayView bytes, BitmapFace& face);
Result ReadPsf(QByteArrayView bytes, BitmapFace& face);

// A refusal at a byte offset of the (unpacked) file.
Result FaceFailure(qint64 offset, const QString& reason);

// Which character each encoding of a BDF or PCF face stands for, from the registry and encoding
// of its charset: ISO10646 is Unicode; a page the program knows (ISO8859-2, KOI8-R, CP1251 ...)
// maps codes 0 to 255 through it; any other charset is taken as Unicode, with a note.
class EncodingKeys {
public:
    EncodingKeys(const QString& registry, const QString& encoding, QStringList& notes);
    std::optional<char32_t> CharacterOf(long encoding) const;

private:
    bool unicode_ = true;
    char32_t table_[256] = {};
};

// The row under the ink of the face's "H", or of its "0" where it has no H; nothing when it has
// neither with ink. Faces with no baseline of their own (PSF) stand on it.
std::optional<int> InkBaseline(const BitmapFace& face);

} // namespace fontlathe
