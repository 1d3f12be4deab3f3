// Font files on disk: reading one into a set and writing a set to one.
#include "CharCodec.h"
#include "FileAccess.h"

namespace fontlathe {

namespace {

Result ReadFontFile(const QString& path, QByteArray& bytes) {
    return ReadWholeFile(path, MaxFontFileSize, QStringLiteral("font file"), bytes);
}

} // namespace

Result LoadCharset(Charset& set, const QString& path, BlockLayout* layout) {
    QByteArray bytes;
    if (Result read = ReadFontFile(path, bytes); !read) {
        return read;
    }
    return DecodeCharset(bytes, set, layout);
}

Result SaveCharset(const Charset& set, const QString& path, DirtyBytes dirtyBytes,
                   BlockLayout* written) {
    EncodedBlock block;
    if (Result encoded = EncodeCharset(set, dirtyBytes, block); !encoded) {
        return encoded;
    }
    if (Result wrote = WriteWholeFile(path, block.bytes); !wrote) {
        return wrote;
    }
    if (written != nullptr) {
        *written = block.layout;
    }
    return Result::Success();
}

} // namespace fontlathe
