#pragma once

#include "BundleData.h"
#include "BundleLayout.h"
#include "charset/Result.h"

namespace fontlathe {

// Reads the structure of a bundle from the decrypted bytes of its two files and checks all of it:
// every block lies inside its parent and is at least its header, LECF fills the data file, LOFF
// names each room once at the start of an LFLF's ROOM block, and every directory entry of a room
// in this data file lands on a block of the kind it names. Games of version 8, HE games of
// version 70 and later and indexes of no known version are refused. On failure out is left in
// an unspecified state and the result names the file and the offset at fault. Of the data file
// only the block headers and LOFF are read.
Result ParseBundle(const QByteArray& index, BundleData& data, const BundlePaths& paths,
                   BundleLayout& out);

// The block tags a directory's entries may name; empty for a block that is no directory this
// program rewrites.
std::vector<std::uint32_t> DirectoryTargets(std::uint32_t directoryTag);

} // namespace fontlathe
