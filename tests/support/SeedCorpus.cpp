// Writes sample CHAR blocks into a folder, as the starting corpus of the decoder's fuzz target.
#include "SampleSets.h"
#include "charset/CharCodec.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace fontlathe;

namespace {

bool Write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool WriteSet(const QDir& folder, const QString& name, const Charset& set, DirtyBytes dirty) {
    EncodedBlock block;
    return EncodeCharset(set, dirty, block) && Write(folder, name, block.bytes);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    Charset empty;
    empty.NewCharset(1);
    bool ok = WriteSet(folder, QStringLiteral("new-2-colors.char"), empty, DirtyBytes::Off);
    for (int bits : {1, 2, 4}) {
        Charset set = test::VariedSet(bits, static_cast<std::uint32_t>(bits), 12);
        set.numChars = 200;
        ok = ok &&
             WriteSet(folder, QStringLiteral("varied-%1.char").arg(bits), set, DirtyBytes::Off);
        ok = ok && WriteSet(folder, QStringLiteral("varied-%1-dirty.char").arg(bits), set,
                            DirtyBytes::On);
    }
    // A small block whose two codes share one record, with the records out of order.
    QByteArray shared = test::HandMadeHeader(2, 4, 3);
    test::AppendLittle32(shared, 4 + 12 + 4 + 1);
    test::AppendLittle32(shared, 4 + 12);
    test::AppendLittle32(shared, 4 + 12);
    shared.append("\x03\x01\xFE\x02\x6C", 5);
    shared.append("\x01\x01\x00\x00\xC0", 5);
    ok = ok && Write(folder, QStringLiteral("shared-records.char"), shared);
    return ok ? 0 : 1;
}
