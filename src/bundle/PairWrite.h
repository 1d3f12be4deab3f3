#pragma once

#include "BundleLayout.h"
#include "charset/Result.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

namespace fontlathe {

// The file operations a write of a bundle's pair makes. Tests put a failure or a stop between
// any two of them; everything else uses Real().
class BundleFiles {
public:
    virtual ~BundleFiles() = default;
    // Writes bytes to path as a whole new file, on disk before it returns.
    virtual Result Write(const QString& path, QByteArrayView bytes);
    // Puts from in place of to in one step, as a rename does.
    virtual Result Replace(const QString& from, const QString& to);
    virtual void Remove(const QString& path);

    static BundleFiles& Real();
};

// The new files of a pair: each written beside the file it replaces.
struct PairContents {
    QByteArrayView data;
    // Empty when the index stays as it is.
    QByteArrayView index;
    // Makes the data file as it was, to put back should the index not be replaced; only then is
    // a copy of tens of megabytes made.
    std::function<QByteArray()> oldData;
};

// Replaces the data file and then the index. Both new files are written first; then a note
// beside the index names them until both are in place, so that a write cut short between the
// two replacements (a crash, a power cut) is finished by the next FinishPairWrite. If the index
// can't be replaced, the old data file is put back. On failure the result names the file and
// says what became of the pair.
Result ReplacePair(const BundlePaths& paths, const PairContents& contents, BundleFiles& files);

// Finishes a pair write that was cut short: with the note there, both new files were whole, and
// those not yet in place are put there; without it, new files left beside the pair are removed
// and the old pair stands. Succeeds when there was nothing to do.
Result FinishPairWrite(const BundlePaths& paths);

} // namespace fontlathe
