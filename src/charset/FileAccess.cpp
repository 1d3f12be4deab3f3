#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace fontlathe {

Result OpenRegularFile(const QString& path, const QString& kind, QFile& file) {
    const QFileInfo info(path);
    if (info.isDir()) {
        return Result::Failure(QStringLiteral("it is a folder, not a %1").arg(kind));
    }
    if (info.exists() && !info.isFile()) {
        return Result::Failure(QStringLiteral("it is not a regular file"));
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Result::Failure(QStringLiteral("it cannot be opened: %1").arg(file.errorString()));
    }
    return Result::Success();
}

Result ReadFileRange(QFile& file, qint64 offset, qint64 count, char* out) {
    if (!file.seek(offset)) {
        return Result::Failure(QStringLiteral("it cannot be read at offset %1: %2")
                                   .arg(offset)
                                   .arg(file.errorString()));
    }
    for (qint64 done = 0; done < count;) {
        const qint64 read = file.read(out + done, count - done);
        if (read < 0) {
            return Result::Failure(QStringLiteral("it cannot be read: %1").arg(file.errorString()));
        }
        if (read == 0) {
            return Result::Failure(
                QStringLiteral("it ends at offset %1, shorter than when it was opened")
                    .arg(offset + done));
        }
        done += read;
    }
    return Result::Success();
}

Result ReadWholeFile(const QString& path, qint64 maxSize, const QString& kind, QByteArray& bytes) {
    const QFileInfo info(path);
    QFile file;
    if (const Result opened = OpenRegularFile(path, kind, file); !opened) {
        return opened;
    }
    // Read in pieces rather than asking for maxSize + 1 bytes at once, which would reserve that
    // much memory for a file of any size; still no more than maxSize + 1 bytes, whatever the file
    // claims.
    QByteArray read;
    read.reserve(std::min(info.size(), maxSize) + 1);
    constexpr qint64 Piece = qint64(1) << 20;
    while (read.size() <= maxSize) {
        const QByteArray piece = file.read(std::min(Piece, maxSize + 1 - read.size()));
        if (file.error() != QFileDevice::NoError) {
            return Result::Failure(QStringLiteral("it cannot be read: %1").arg(file.errorString()));
        }
        if (piece.isEmpty()) {
            break;
        }
        read.append(piece);
    }
    if (read.size() > maxSize) {
        return Result::Failure(QStringLiteral("it is larger than %1 bytes, far too large for a %2")
                                   .arg(maxSize)
                                   .arg(kind));
    }
    bytes = std::move(read);
    return Result::Success();
}

bool IsSameFile(const QString& first, const QString& second) {
    const QFileInfo a(first);
    const QFileInfo b(second);
    if (!a.exists() || !b.exists()) {
        return false;
    }
#ifdef Q_OS_UNIX
    struct stat statA {};
    struct stat statB {};
    if (stat(QFile::encodeName(first).constData(), &statA) == 0 &&
        stat(QFile::encodeName(second).constData(), &statB) == 0) {
        return statA.st_dev == statB.st_dev && statA.st_ino == statB.st_ino;
    }
#endif
    return a.canonicalFilePath() == b.canonicalFilePath();
}

Result WriteWholeFile(const QString& path, QByteArrayView bytes) {
    if (QFileInfo(path).isDir()) {
        return Result::Failure(QStringLiteral("a folder of that name is in the way"));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Result::Failure(QStringLiteral("it cannot be created: %1").arg(file.errorString()));
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Result::Failure(QStringLiteral("it cannot be written: %1").arg(reason));
    }
    return Result::Success();
}

} // namespace fontlathe
