#include "FaceFile.h"

#include "FaceReaders.h"
#include "charset/FileAccess.h"

#include <QFileInfo>
#include <QStringList>

#include <zlib.h>

#include <algorithm>
#include <array>

namespace fontlathe {

namespace {

bool IsGzip(QByteArrayView bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1F &&
           static_cast<unsigned char>(bytes[1]) == 0x8B;
}

// Unpacks a gzip stream (several members in a row too) into at most MaxFaceFileSize bytes.
Result Gunzip(QByteArrayView packed, QByteArray& unpacked) {
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        return Result::Failure(QStringLiteral("the gzip stream can't be unpacked"));
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    std::array<char, 64 * 1024> chunk{};
    int status = Z_OK;
    while (status != Z_STREAM_END || stream.avail_in > 0) {
        if (status == Z_STREAM_END) {
            inflateReset(&stream);
        }
        stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
        stream.avail_out = static_cast<uInt>(chunk.size());
        status = inflate(&stream, Z_NO_FLUSH);
        const qint64 produced = static_cast<qint64>(chunk.size() - stream.avail_out);
        if (status != Z_OK && status != Z_STREAM_END) {
            const qint64 at = static_cast<qint64>(stream.total_in);
            inflateEnd(&stream);
            return FaceFailure(at, status == Z_BUF_ERROR
                                       ? QStringLiteral("the gzip stream is cut short")
                                       : QStringLiteral("the gzip stream is damaged"));
        }
        if (unpacked.size() + produced > MaxFaceFileSize) {
            inflateEnd(&stream);
            return Result::Failure(QStringLiteral("it unpacks to more than %1 MiB, more than "
                                                  "any bitmap face")
                                       .arg(MaxFaceFileSize / (1024 * 1024)));
        }
        unpacked.append(chunk.data(), produced);
        if (status == Z_OK && produced == 0 && stream.avail_in == 0) {
            inflateEnd(&stream);
            return FaceFailure(static_cast<qint64>(stream.total_in),
                               QStringLiteral("the gzip stream is cut short"));
        }
    }
    inflateEnd(&stream);
    return Result::Success();
}

} // namespace

Result FaceFailure(qint64 offset, const QString& reason) {
    return Result::Failure(QStringLiteral("at byte %1: %2").arg(offset).arg(reason));
}

Result ParseFace(QByteArrayView bytes, BitmapFace& face) {
    QByteArray unpacked;
    if (IsGzip(bytes)) {
        if (Result unpackedOk = Gunzip(bytes, unpacked); !unpackedOk) {
            return unpackedOk;
        }
        bytes = unpacked;
    }
    BitmapFace read;
    Result result = Result::Failure(
        QStringLiteral("it is no bitmap font this program reads (BDF, PCF, PSF1 or PSF2)"));
    if (bytes.startsWith("STARTFONT")) {
        result = ReadBdf(bytes, read);
    } else if (bytes.startsWith("\x01"
                                 "fcp")) {
        result = ReadPcf(bytes, read);
    } else if (bytes.startsWith("\x36\x04") || bytes.startsWith("\x72\xB5\x4A\x86")) {
        result = ReadPsf(bytes, read);
    }
    if (result && read.glyphs.empty() && read.byCode.empty()) {
        result = Result::Failure(QStringLiteral("it holds no glyph"));
    }
    if (result) {
        face = std::move(read);
    }
    return result;
}

Result ReadFaceFile(const QString& path, BitmapFace& face) {
    QByteArray bytes;
    if (Result read = ReadWholeFile(path, MaxFaceFileSize, QStringLiteral("bitmap font"), bytes);
        !read) {
        return read;
    }
    const Result parsed = ParseFace(bytes, face);
    if (parsed && face.name.isEmpty()) {
        face.name = QFileInfo(path).fileName();
    }
    return parsed;
}

bool NamesFaceFile(const QString& familyOrPath) {
    static const QStringList endings = {QStringLiteral(".bdf"),  QStringLiteral(".pcf"),
                                        QStringLiteral(".psf"),  QStringLiteral(".psfu"),
                                        QStringLiteral(".gz")};
    return familyOrPath.contains(QLatin1Char('/')) ||
           std::ranges::any_of(endings, [&](const QString& ending) {
               return familyOrPath.endsWith(ending, Qt::CaseInsensitive);
           });
}

QString FaceFilePattern() {
    return QStringLiteral("Bitmap fonts (*.bdf;*.pcf;*.pcf.gz;*.psf;*.psf.gz;*.psfu;*.psfu.gz)|"
                          "*.bdf;*.pcf;*.pcf.gz;*.psf;*.psf.gz;*.psfu;*.psfu.gz");
}

} // namespace fontlathe
