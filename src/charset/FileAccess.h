#pragma once

#include "Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace fontlathe {

// Reads the whole file at path into bytes. Only a regular file is read: a pipe or a device has
// no size to check and may never end, or block the open itself. At most maxSize + 1 bytes are
// read, whatever the file's size claims, and a longer file is refused. kind names the file in
// the reasons ("font file", "sheet").
Result ReadWholeFile(const QString& path, qint64 maxSize, const QString& kind,
                         QByteArray& bytes);

// Whether the two paths name one existing file, however they are spelt: through a symbolic
// link, "./", or another hard link.
bool IsSameFile(const QString& first, const QString& second);

// Writes bytes to path, replacing the file atomically: on failure the file that was there stays
// whole.
Result WriteWholeFile(const QString& path, QByteArrayView bytes);

} // namespace fontlathe
