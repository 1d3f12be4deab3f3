// Walking a run of blocks: each holds its header and ends inside its parent.
#include "BundleParts.h"

#include "BundleBytes.h"

#include <QFileInfo>

namespace fontlathe::bundleparts {

using namespace bundle;

namespace {

// Whether the four bytes could be a tag: letters, digits and spaces, as every tag is.
bool LooksLikeTag(std::uint32_t tag) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>(tag >> shift);
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')) {
            return false;
        }
    }
    return true;
}

} // namespace

Result ReadBlocks(BundleData& bytes, const QString& path, const QString& parent, std::int64_t first,
                  std::int64_t end, std::vector<BundleBlock>& out, Trailing trailing,
                  QStringList* remarks) {
    for (std::int64_t at = first; at < end;) {
        char header[BlockHeaderSize] = {};
        if (Result read = end - at >= BlockHeaderSize ? bytes.Read(at, BlockHeaderSize, header)
                                                      : Result::Success();
            !read) {
            return read;
        }
        const QByteArrayView fields(header, BlockHeaderSize);
        if (trailing == Trailing::Kept &&
            (end - at < BlockHeaderSize || !LooksLikeTag(Big32(fields, 0)))) {
            remarks->append(QStringLiteral("%1 ends with %2 bytes after its last block, at %3; "
                                           "they are kept as they are")
                                .arg(QFileInfo(path).fileName())
                                .arg(end - at)
                                .arg(OffsetText(at)));
            return Result::Success();
        }
        if (end - at < BlockHeaderSize) {
            return Result::Failure(
                path, QStringLiteral("%1: %2 bytes are left in %3, too few for a block header")
                          .arg(OffsetText(at))
                          .arg(end - at)
                          .arg(parent));
        }
        const BundleBlock block{Big32(fields, 0), at, Big32(fields, 4)};
        if (block.size < BlockHeaderSize) {
            return Result::Failure(
                path, QStringLiteral("%1: the %2 block says it is %3 bytes, smaller than its "
                                     "8-byte header")
                          .arg(OffsetText(at), TagText(block.tag))
                          .arg(block.size));
        }
        if (block.size > end - at) {
            return Result::Failure(
                path, QStringLiteral("%1: the %2 block of %3 bytes runs past %4, which ends at %5")
                          .arg(OffsetText(at), TagText(block.tag))
                          .arg(block.size)
                          .arg(parent, OffsetText(end)));
        }
        out.push_back(block);
        at += block.size;
    }
    return Result::Success();
}

} // namespace fontlathe::bundleparts
