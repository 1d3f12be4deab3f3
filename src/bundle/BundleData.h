#pragma once

#include "charset/Result.h"

#include <QByteArray>
#include <QFile>

#include <cstdint>
#include <memory>

namespace fontlathe {

// XORs size bytes at data with key, in place.
void XorBytes(char* data, std::int64_t size, char key);

// The decrypted bytes of a bundle's data file. Listing the fonts of a data file of tens of
// megabytes needs only a few kilobytes of it (the block headers, LOFF and the fonts), so the file
// is read a piece at a time and only the pieces read are decrypted; a rewrite asks for the
// whole file, which is then read once and the file closed.
class BundleData {
public:
    // Bytes already in memory and decrypted.
    explicit BundleData(QByteArray decrypted);
    // The regular file at path, opened but not read; key is the XOR key of its bytes, 0 for a
    // plain file. A file larger than limit is refused.
    static Result Open(const QString& path, qint64 limit, const QString& kind, char key,
                       std::shared_ptr<BundleData>& out);

    std::int64_t size() const { return size_; }
    // Reads count decrypted bytes from at into out; at and count lie inside the file.
    Result Read(std::int64_t at, std::int64_t count, char* out);
    Result Read(std::int64_t at, std::int64_t count, QByteArray& out);
    // Reads and decrypts the whole file, once; whole() is empty until then.
    Result LoadWhole();
    const QByteArray& whole() const { return whole_; }

private:
    BundleData() = default;

    QString path_;
    std::unique_ptr<QFile> file_;
    char key_ = 0;
    std::int64_t size_ = 0;
    bool complete_ = false;
    QByteArray whole_;
    // The piece last read from the file: the headers a walk reads often lie close together.
    QByteArray window_;
    std::int64_t windowAt_ = 0;
};

} // namespace fontlathe
