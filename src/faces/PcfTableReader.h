#pragma once

// Reading the tables of a PCF file, each in the byte order its format word gives.
#include <QByteArrayView>

#include <algorithm>
#include <cstdint>

namespace fontlathe {

inline constexpr std::uint32_t ByteOrderMsb = 1 << 2;

// A cursor over one table, reading in the table's own byte order; a read past the table's end
// (or the file's) sets failed and yields 0.
class TableReader {
public:
    TableReader(QByteArrayView file, qint64 offset, qint64 size, std::uint32_t format)
        : file_(file), at_(offset), end_(std::min<qint64>(offset + size, file.size())),
          msb_((format & ByteOrderMsb) != 0) {}

    std::uint32_t U32() { return Unsigned(4); }
    std::int32_t I32() { return static_cast<std::int32_t>(Unsigned(4)); }
    std::int16_t I16() { return static_cast<std::int16_t>(Unsigned(2)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Unsigned(2)); }
    std::uint8_t U8() { return static_cast<std::uint8_t>(Unsigned(1)); }
    std::uint32_t FormatLsb() {
        const bool msb = msb_;
        msb_ = false;
        const std::uint32_t format = U32();
        msb_ = msb;
        return format;
    }
    void Skip(qint64 count) {
        if (count < 0 || count > end_ - at_) {
            failed_ = true;
            at_ = end_;
        } else {
            at_ += count;
        }
    }
    qint64 at() const { return at_; }
    qint64 end() const { return end_; }
    bool failed() const { return failed_; }
    bool Has(qint64 count) const { return count >= 0 && count <= end_ - at_; }

private:
    std::uint32_t Unsigned(int size) {
        if (!Has(size)) {
            failed_ = true;
            at_ = end_;
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i) {
            const auto byte = static_cast<std::uint8_t>(file_[at_ + (msb_ ? i : size - 1 - i)]);
            value = value << 8 | byte;
        }
        at_ += size;
        return value;
    }

    QByteArrayView file_;
    qint64 at_;
    qint64 end_;
    bool msb_;
    bool failed_ = false;
};

} // namespace fontlathe
