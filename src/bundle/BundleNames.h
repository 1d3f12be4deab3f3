#pragma once

#include "BundleLayout.h"
#include "charset/Result.h"

#include <QString>

namespace fontlathe {

// The names of a bundle's files: NAME.000 beside NAME.001 (and NAME.002 and on for the rooms the
// room directory places on other disks), NAME.sm0 beside NAME.sm1, NAME.LA0 beside NAME.LA1 and
// NAME.HE0 beside NAME.HE1, in any letter case.
namespace bundlenames {

// The two files of the bundle that path names, or a failure that says why path names none. The
// partner's name keeps the letter case of the given one; when no file of that name exists, a
// file of the folder whose name differs only in case is taken.
Result PathsFor(const QString& path, BundlePaths& paths);

// The data file that holds the rooms of that disk, spelt as PathsFor spells partners.
QString DiskPath(const BundlePaths& paths, int disk);

// The disk a file of the bundle holds by its name: 0 for the index, -1 for no bundle file.
int DiskOf(const QString& path);

} // namespace bundlenames
} // namespace fontlathe
