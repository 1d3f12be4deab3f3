#pragma once

#include "Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace fontlathe {

// Reads the whole file at path into bytes. Only a regular file is read: a pipe or a device has
// no size to check and may never end, or block the open itself. At most maxSize + 1 bytes are
// read, whatever the file's size claims, and a longer file is refused. kind names the file in
// the reasons ("font file", "sheet").
Result ReadWholeFile(const QString& path, qint64 maxSize, const QString& kind, QByteArray& bytes);

// Opens the file at path for reading with the checks ReadWholeFile makes first: only a regular
// file is opened. kind names the file in the reasons.
Result OpenRegularFile(const QString& path, const QString& kind, QFile& file);

// Reads count bytes from offset of an open file into out, which has room for them. A file that
// ends before offset + count (one cut short since it was opened) fails.
Result ReadFileRange(QFile& file, qint64 offset, qint64 count, char* out);

// Whether the two paths name one existing file, however they are spelt: through a symbolic
// link, "./", or another hard link.
bool IsSameFile(const QString& first, const QString& second);

// Writes bytes to path, replacing the file atomically. The bytes go to a new file beside path,
// each write checked, synced to the disk and read back whole before that file is put in place
// with the permissions of the one it replaces. On any failure (a full disk, a file that
// vanished) the new file is removed and path stays byte for byte as it was; the reason is the
// system's ("No space left on device").
Result WriteWholeFile(const QString& path, QByteArrayView bytes);

} // namespace fontlathe
