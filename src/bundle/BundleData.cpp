#include "BundleData.h"

#include "charset/FileAccess.h"

#include <algorithm>
#include <cstring>

namespace fontlathe {

namespace {

// How much a read from the file takes at least; a page or two of the file costs no more to read
// than the eight bytes of a header.
constexpr std::int64_t Window = 8192;

} // namespace

void XorBytes(char* data, std::int64_t size, char key) {
    if (key == 0) {
        return;
    }
    // Eight bytes at a time: a data file is tens of megabytes.
    const std::uint64_t word = 0x0101010101010101ull * static_cast<std::uint8_t>(key);
    std::int64_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t value;
        std::memcpy(&value, data + i, 8);
        value ^= word;
        std::memcpy(data + i, &value, 8);
    }
    for (; i < size; ++i) {
        data[i] ^= key;
    }
}

BundleData::BundleData(QByteArray decrypted)
    : size_(decrypted.size()), complete_(true), whole_(std::move(decrypted)) {}

Result BundleData::Open(const QString& path, qint64 limit, const QString& kind, char key,
                        std::shared_ptr<BundleData>& out) {
    std::shared_ptr<BundleData> opened(new BundleData());
    opened->path_ = path;
    opened->key_ = key;
    opened->file_ = std::make_unique<QFile>();
    if (const Result result = OpenRegularFile(path, kind, *opened->file_); !result) {
        return Result::Failure(path, result.reason());
    }
    opened->size_ = opened->file_->size();
    if (opened->size_ > limit) {
        return Result::Failure(path, QStringLiteral("it is larger than %1 bytes, far too "
                                                    "large for a %2")
                                         .arg(limit)
                                         .arg(kind));
    }
    out = std::move(opened);
    return Result::Success();
}

Result BundleData::Read(std::int64_t at, std::int64_t count, char* out) {
    if (at < 0 || count < 0 || count > size_ - at) {
        return Result::Failure(path_, QStringLiteral("%1 bytes at offset %2 lie outside the "
                                                     "file of %3 bytes")
                                          .arg(count)
                                          .arg(at)
                                          .arg(size_));
    }
    if (complete_) {
        std::memcpy(out, whole_.constData() + at, std::size_t(count));
        return Result::Success();
    }
    if (at < windowAt_ || at + count > windowAt_ + window_.size()) {
        const std::int64_t length = std::min(std::max(count, Window), size_ - at);
        window_.resize(qsizetype(length));
        windowAt_ = at;
        if (const Result read = ReadFileRange(*file_, at, length, window_.data()); !read) {
            window_.clear();
            return Result::Failure(path_, read.reason());
        }
        XorBytes(window_.data(), length, key_);
    }
    std::memcpy(out, window_.constData() + (at - windowAt_), std::size_t(count));
    return Result::Success();
}

Result BundleData::Read(std::int64_t at, std::int64_t count, QByteArray& out) {
    QByteArray bytes(qsizetype(std::max<std::int64_t>(count, 0)), Qt::Uninitialized);
    if (Result read = Read(at, count, bytes.data()); !read) {
        return read;
    }
    out = std::move(bytes);
    return Result::Success();
}

Result BundleData::LoadWhole() {
    if (complete_) {
        return Result::Success();
    }
    QByteArray bytes(qsizetype(size_), Qt::Uninitialized);
    if (const Result read = ReadFileRange(*file_, 0, size_, bytes.data()); !read) {
        return Result::Failure(path_, read.reason());
    }
    XorBytes(bytes.data(), size_, key_);
    whole_ = std::move(bytes);
    complete_ = true;
    // Closed now, so that nothing holds the file open while a write replaces it.
    file_.reset();
    window_.clear();
    return Result::Success();
}

} // namespace fontlathe
