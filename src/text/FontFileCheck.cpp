#include "FontFileCheck.h"

#include "TextForms.h"
#include "charset/CharBlockLayout.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"

#include <algorithm>

namespace fontlathe {

QString NotAFontReason(QByteArrayView bytes, const QString& fileName, SheetImportRoute route) {
    const QByteArrayView pngSignature("\x89PNG\r\n\x1a\n");
    if (bytes.startsWith(pngSignature)) {
        return QStringLiteral("%1 is a PNG image, not a SCUMM font: to read a glyph sheet, use %2.")
            .arg(fileName, route == SheetImportRoute::Menu
                               ? QStringLiteral("File > Import Sheet")
                               : QStringLiteral("fontlathe-cli import"));
    }
    const QByteArrayView tag("CHAR");
    if (bytes.startsWith(tag) && bytes.size() >= layout::HeaderSize) {
        return QString();
    }
    // A game's index starts with one of its directory blocks and its data file with LECF, plain
    // or XOR-encrypted with 0x69.
    for (const char key : {char(0), char(0x69)}) {
        QByteArray start = bytes.first(std::min<qsizetype>(bytes.size(), 4)).toByteArray();
        for (char& byte : start) {
            byte = static_cast<char>(byte ^ key);
        }
        for (const char* bundleTag : {"LECF", "RNAM", "MAXS", "DROO"}) {
            if (start == bundleTag) {
                return QStringLiteral("%1 is a file of a game bundle, not a SCUMM font: to read "
                                      "the game's fonts, use %2.")
                    .arg(fileName, route == SheetImportRoute::Menu
                                       ? QStringLiteral("File > Open Game Font")
                                       : QStringLiteral("fontlathe-cli fonts"));
            }
        }
    }
    const QString notAFont = QStringLiteral("%1 does not look like a SCUMM font: ").arg(fileName);
    if (bytes.isEmpty()) {
        return notAFont + QStringLiteral("it is empty.");
    }
    if (bytes.startsWith(tag)) {
        return notAFont + QStringLiteral("it is %1 bytes long, shorter than the %2-byte header.")
                              .arg(bytes.size())
                              .arg(layout::HeaderSize);
    }
    return notAFont + QStringLiteral("it starts with \"%1\", not \"CHAR\".")
                          .arg(PrintableBytes(bytes.first(std::min(bytes.size(), tag.size()))));
}

Result LoadNewCharset(const QString& path, Charset& set, QString* notAFont,
                      SheetImportRoute route, BlockLayout* layout) {
    set.NewCharset(1);
    QByteArray bytes;
    if (Result read = ReadWholeFile(path, MaxFontFileSize, QStringLiteral("font file"), bytes);
        !read) {
        return read;
    }
    if (notAFont != nullptr) {
        *notAFont = NotAFontReason(bytes, path, route);
    }
    return DecodeCharset(bytes, set, layout);
}

} // namespace fontlathe
