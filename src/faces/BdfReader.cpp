// BDF 2.1: a text file of keyword lines, each glyph's bitmap in hexadecimal rows.
#include "FaceReaders.h"
#include "BdfWriter.h"
#include "FaceFile.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace fontlathe {

namespace {

// The lines of the file, each with the offset it starts at and its words.
class BdfLines {
public:
    explicit BdfLines(QByteArrayView bytes) : bytes_(bytes) {}

    // The next line that is not blank; false at the end of the file.
    bool Next() {
        while (at_ < bytes_.size()) {
            start_ = at_;
            qsizetype end = bytes_.indexOf('\n', at_);
            if (end < 0) {
                end = bytes_.size();
            }
            at_ = end + 1;
            line_ = bytes_.sliced(start_, end - start_).trimmed();
            if (!line_.isEmpty()) {
                const qsizetype space = FirstSpace(line_);
                keyword_ = line_.first(space);
                rest_ = line_.sliced(space).trimmed();
                return true;
            }
        }
        start_ = bytes_.size();
        return false;
    }

    QByteArrayView keyword() const { return keyword_; }
    QByteArrayView rest() const { return rest_; }
    QByteArrayView line() const { return line_; }
    qint64 offset() const { return start_; }

    // The whole numbers after the keyword; false unless there are at least count of them.
    bool Numbers(long* values, int count) const {
        const char* from = rest_.data();
        const char* end = rest_.data() + rest_.size();
        for (int i = 0; i < count; ++i) {
            while (from < end && (*from == ' ' || *from == '\t')) {
                ++from;
            }
            const auto [next, error] = std::from_chars(from, end, values[i]);
            if (error != std::errc() || (next < end && *next != ' ' && *next != '\t')) {
                return false;
            }
            from = next;
        }
        return true;
    }

private:
    static qsizetype FirstSpace(QByteArrayView text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == ' ' || text[i] == '\t') {
                return i;
            }
        }
        return text.size();
    }

    QByteArrayView bytes_;
    qsizetype at_ = 0;
    qsizetype start_ = 0;
    QByteArrayView line_, keyword_, rest_;
};

QString Unquoted(QByteArrayView value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.sliced(1, value.size() - 2);
    }
    return QString::fromLatin1(value).replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

struct Header {
    QHash<QByteArray, QString> properties;
    long bounds[4] = {0, 0, 0, 0}; // FONTBOUNDINGBOX w h x y
    long width[2] = {0, 0};         // a DWIDTH before the first glyph
    QString fontName;
    long pointSize = 0, yResolution = 0;
};

class BdfReader {
public:
    BdfReader(QByteArrayView bytes, BitmapFace& face) : lines_(bytes), face_(face) {}

    Result Read() {
        if (!lines_.Next() || lines_.keyword() != "STARTFONT") {
            return Refuse(QStringLiteral("a BDF file starts with STARTFONT"));
        }
        if (Result header = ReadHeader(); !header) {
            return header;
        }
        const QString registry = header_.properties.value("CHARSET_REGISTRY");
        const EncodingKeys keys(registry, header_.properties.value("CHARSET_ENCODING"),
                                face_.notes);
        while (lines_.Next()) {
            if (lines_.keyword() == "ENDFONT") {
                Finish();
                return Result::Success();
            }
            if (lines_.keyword() != "STARTCHAR") {
                return Refuse(QStringLiteral("STARTCHAR or ENDFONT was expected"));
            }
            if (Result glyph = ReadGlyph(keys); !glyph) {
                return glyph;
            }
        }
        return Refuse(QStringLiteral("the file ends before ENDFONT"));
    }

private:
    Result Refuse(const QString& reason) const { return FaceFailure(lines_.offset(), reason); }

    Result ReadHeader() {
        while (lines_.Next()) {
            const QByteArrayView keyword = lines_.keyword();
            if (keyword == "CHARS") {
                return Result::Success();
            }
            if (keyword == "FONT") {
                header_.fontName = QString::fromLatin1(lines_.rest());
            } else if (keyword == "SIZE") {
                long size[3];
                if (lines_.Numbers(size, 3)) {
                    header_.pointSize = std::clamp(size[0], 0L, 10000L);
                    header_.yResolution = std::clamp(size[2], 0L, 10000L);
                }
            } else if (keyword == "FONTBOUNDINGBOX") {
                if (!lines_.Numbers(header_.bounds, 4)) {
                    return Refuse(QStringLiteral("FONTBOUNDINGBOX takes four numbers"));
                }
                for (long& value : header_.bounds) {
                    value = std::clamp<long>(value, -MaxFaceGlyphSide, MaxFaceGlyphSide);
                }
            } else if (keyword == "DWIDTH") {
                lines_.Numbers(header_.width, 2);
                header_.width[0] = std::clamp<long>(header_.width[0], -MaxFaceGlyphSide, MaxFaceGlyphSide);
            } else if (keyword == "STARTPROPERTIES") {
                while (lines_.Next() && lines_.keyword() != "ENDPROPERTIES") {
                    header_.properties.insert(lines_.keyword().toByteArray(),
                                              Unquoted(lines_.rest()));
                }
                if (lines_.keyword() != "ENDPROPERTIES") {
                    return Refuse(QStringLiteral("the properties have no ENDPROPERTIES"));
                }
            }
        }
        return Refuse(QStringLiteral("the file ends before CHARS"));
    }

    Result ReadGlyph(const EncodingKeys& keys) {
        long encoding[2] = {-1, -1};
        bool encoded = false;
        long advance[2] = {header_.width[0], header_.width[1]};
        long box[4] = {header_.bounds[0], header_.bounds[1], header_.bounds[2],
                       header_.bounds[3]};
        while (lines_.Next()) {
            const QByteArrayView keyword = lines_.keyword();
            if (keyword == "ENCODING") {
                encoded = lines_.Numbers(encoding, 1);
                if (!encoded) {
                    return Refuse(QStringLiteral("ENCODING takes a number"));
                }
                lines_.Numbers(encoding, 2);
            } else if (keyword == "DWIDTH") {
                if (!lines_.Numbers(advance, 2)) {
                    return Refuse(QStringLiteral("DWIDTH takes two numbers"));
                }
            } else if (keyword == "BBX") {
                if (!lines_.Numbers(box, 4)) {
                    return Refuse(QStringLiteral("BBX takes four numbers"));
                }
            } else if (keyword == "BITMAP") {
                break;
            } else if (keyword == "ENDCHAR" || keyword == "STARTCHAR" || keyword == "ENDFONT") {
                return Refuse(QStringLiteral("the glyph has no BITMAP"));
            }
        }
        if (lines_.keyword() != "BITMAP") {
            return Refuse(QStringLiteral("the file ends inside a glyph"));
        }
        if (!encoded) {
            return Refuse(QStringLiteral("the glyph has no ENCODING"));
        }
        const auto outside = [](long value, long low) {
            return value < low || value > MaxFaceGlyphSide;
        };
        if (outside(box[0], 0) || outside(box[1], 0) || outside(box[2], -MaxFaceGlyphSide) ||
            outside(box[3], -MaxFaceGlyphSide) || outside(advance[0], -MaxFaceGlyphSide)) {
            return Refuse(QStringLiteral("the glyph's box or width is out of range (at most %1 "
                                         "pixels)")
                              .arg(MaxFaceGlyphSide));
        }
        FaceGlyph glyph;
        glyph.advance = static_cast<int>(advance[0]);
        const int width = static_cast<int>(box[0]), height = static_cast<int>(box[1]);
        glyph.box = QRect(static_cast<int>(box[2]), -static_cast<int>(box[3]) - height, width,
                          height);
        glyph.bits.assign(static_cast<std::size_t>(glyph.Stride() * height), 0);
        for (int row = 0; row < height; ++row) {
            if (!lines_.Next() || lines_.keyword() == "ENDCHAR") {
                return Refuse(QStringLiteral("the bitmap has %1 rows where BBX says %2")
                                  .arg(row)
                                  .arg(height));
            }
            const QByteArrayView hex = lines_.line();
            if (hex.size() < 2 * glyph.Stride()) {
                return Refuse(QStringLiteral("a bitmap row of %1 pixels needs %2 hexadecimal "
                                             "digits")
                                  .arg(width)
                                  .arg(2 * glyph.Stride()));
            }
            for (int byte = 0; byte < glyph.Stride(); ++byte) {
                const int high = HexDigit(hex[2 * byte]), low = HexDigit(hex[2 * byte + 1]);
                if (high < 0 || low < 0) {
                    return Refuse(QStringLiteral("a bitmap row holds no hexadecimal number"));
                }
                glyph.bits[static_cast<std::size_t>(row * glyph.Stride() + byte)] =
                    static_cast<std::uint8_t>(high << 4 | low);
            }
            if (const int spare = width % 8; spare != 0) {
                glyph.bits[static_cast<std::size_t>(row * glyph.Stride() + glyph.Stride() - 1)] &=
                    static_cast<std::uint8_t>(0xFF00 >> spare);
            }
        }
        if (!lines_.Next() || lines_.keyword() != "ENDCHAR") {
            return Refuse(QStringLiteral("ENDCHAR was expected after the bitmap"));
        }
        if (encoding[0] >= 0) {
            if (const std::optional<char32_t> character = keys.CharacterOf(encoding[0])) {
                face_.glyphs.try_emplace(*character, std::move(glyph));
            }
        } else if (encoding[1] >= 0 && encoding[1] <= 255) {
            face_.byCode.try_emplace(static_cast<int>(encoding[1]), std::move(glyph));
        }
        return Result::Success();
    }

    void Finish() {
        const auto number = [this](const char* name, long fallback) {
            bool ok = false;
            const long value = header_.properties.value(name).toLong(&ok);
            return ok ? value : fallback;
        };
        const long ascent = number("FONT_ASCENT", header_.bounds[1] + header_.bounds[3]);
        const long descent = number("FONT_DESCENT", -header_.bounds[3]);
        face_.ascent = static_cast<int>(std::clamp<long>(ascent, -MaxFaceGlyphSide, MaxFaceGlyphSide));
        face_.descent =
            static_cast<int>(std::clamp<long>(descent, -MaxFaceGlyphSide, MaxFaceGlyphSide));
        const long fromSize = header_.yResolution > 0
                                  ? (header_.pointSize * header_.yResolution + 36) / 72
                                  : face_.LineHeight();
        face_.pixelSize = static_cast<int>(
            std::clamp<long>(number("PIXEL_SIZE", fromSize), 0, MaxFaceGlyphSide));
        face_.name = header_.properties.value("FAMILY_NAME", header_.fontName);
        face_.exactBoxes = number(ExactBoxesProperty, 0) == 1;
    }

    BdfLines lines_;
    BitmapFace& face_;
    Header header_;
};

} // namespace

Result ReadBdf(QByteArrayView bytes, BitmapFace& face) {
    return BdfReader(bytes, face).Read();
}

} // namespace fontlathe
