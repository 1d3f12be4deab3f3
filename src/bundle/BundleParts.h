#pragma once

#include "BundleData.h"
#include "BundleLayout.h"
#include "charset/Result.h"

#include <QString>
#include <QStringList>

#include <vector>

// The parser's two halves share these: walking a run of blocks, and the index's directories.
namespace fontlathe::bundleparts {

// What a walk does with bytes after the last block that make no block of their own.
enum class Trailing { Refused, Kept };

// Walks the blocks from first to end, each of which must hold its header and end inside end.
// With Trailing::Kept, bytes at the end that hold no tag (padding, or a remainder too short for
// a header) end the walk and are reported as a remark, as the engine reads to the end of a file
// and stops there. parent names the enclosing block in the reasons.
Result ReadBlocks(BundleData& bytes, const QString& path, const QString& parent, std::int64_t first,
                  std::int64_t end, std::vector<BundleBlock>& out,
                  Trailing trailing = Trailing::Refused, QStringList* remarks = nullptr);

// The index's blocks, its version (told by MAXS) and its directories, each entry read.
Result ReadIndex(const QByteArray& index, const QString& path, BundleLayout& layout);

// Checks a directory's entries of the rooms this data file holds against its blocks.
Result CheckDirectory(const BundleDirectory& directory, BundleLayout& layout, const QString& path);

} // namespace fontlathe::bundleparts
