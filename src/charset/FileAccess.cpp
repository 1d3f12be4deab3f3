#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

namespace {

// The temporary file a write fills beside its target: a name no other file has, in the same
// folder, so that putting it in place is a rename within one file system.
Result CreateBeside(const QString& target, QFile& file) {
    const QString stem = target + QStringLiteral(".fontlathe-write-");
    QString reason;
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(stem + QString::number(QRandomGenerator::global()->generate(), 36));
        // Unbuffered, so that each write reaches the system at once and its failure is seen
        // there, with the system's reason, rather than lost in a flush at close.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            return Result::Success();
        }
        reason = file.errorString();
        if (!QFileInfo::exists(file.fileName())) {
            break;
        }
    }
    return Result::Failure(QStringLiteral("it cannot be created: %1").arg(reason));
}

Result WriteAndSync(QFile& file, QByteArrayView bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            return Result::Failure(
                QStringLiteral("it cannot be written: %1").arg(file.errorString()));
        }
        done += written;
    }
    if (!file.flush()) {
        return Result::Failure(QStringLiteral("it cannot be written: %1").arg(file.errorString()));
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        return Result::Failure(QStringLiteral("it cannot be written: %1")
                                   .arg(QString::fromLocal8Bit(std::strerror(errno))));
    }
#endif
    file.close();
    if (file.error() != QFileDevice::NoError) {
        return Result::Failure(QStringLiteral("it cannot be written: %1").arg(file.errorString()));
    }
    return Result::Success();
}

// Whether the file at path holds exactly bytes, read back from the disk a piece at a time.
Result ReadsBackAs(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Result::Failure(
            QStringLiteral("what was written can't be read back: %1").arg(file.errorString()));
    }
    if (file.size() != bytes.size()) {
        return Result::Failure(
            QStringLiteral("what was written reads back as %1 bytes, not %2; the disk may be full")
                .arg(file.size())
                .arg(bytes.size()));
    }
    constexpr qint64 Piece = qint64(1) << 20;
    QByteArray piece(std::min<qint64>(Piece, bytes.size()), Qt::Uninitialized);
    for (qsizetype at = 0; at < bytes.size();) {
        const qint64 count = std::min<qint64>(Piece, bytes.size() - at);
        if (const Result read = ReadFileRange(file, at, count, piece.data()); !read) {
            return Result::Failure(
                QStringLiteral("what was written can't be read back: %1").arg(read.reason()));
        }
        if (QByteArrayView(piece.constData(), count) != bytes.sliced(at, count)) {
            return Result::Failure(
                QStringLiteral("what was written reads back differently from byte %1").arg(at));
        }
        at += count;
    }
    return Result::Success();
}

} // namespace

Result WriteWholeFile(const QString& path, QByteArrayView bytes) {
    const QFileInfo info(path);
    if (info.isDir()) {
        return Result::Failure(QStringLiteral("a folder of that name is in the way"));
    }
    // A symbolic link stays one: the file it leads to is the one replaced.
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    // A read-only file is refused, by its permission bits as well, as it would be written in place.
    std::error_code statusError;
    const std::filesystem::file_status status =
        std::filesystem::status(QFileInfo(target).filesystemFilePath(), statusError);
    const bool exists = !statusError && std::filesystem::exists(status);
    constexpr auto anyWrite = std::filesystem::perms::owner_write |
                              std::filesystem::perms::group_write |
                              std::filesystem::perms::others_write;
    if (exists && (!QFileInfo(target).isWritable() ||
                   (status.permissions() & anyWrite) == std::filesystem::perms::none)) {
        return Result::Failure(QStringLiteral("it is read-only"));
    }
    QFile file;
    if (const Result created = CreateBeside(target, file); !created) {
        return created;
    }
    const QString written = file.fileName();
    Result result = WriteAndSync(file, bytes);
    if (result) {
        result = ReadsBackAs(written, bytes);
    }
    // The new file takes the permission bits of the one it replaces, as they are.
    if (result && exists) {
        std::error_code error;
        std::filesystem::permissions(QFileInfo(written).filesystemFilePath(), status.permissions(),
                                     error);
        if (error) {
            result = Result::Failure(QStringLiteral("it cannot be given the permissions it had: %1")
                                         .arg(QString::fromStdString(error.message())));
        }
    }
    if (result) {
        std::error_code error;
        std::filesystem::rename(QFileInfo(written).filesystemFilePath(),
                                QFileInfo(target).filesystemFilePath(), error);
        if (error) {
            result = Result::Failure(QStringLiteral("it cannot be replaced: %1")
                                         .arg(QString::fromStdString(error.message())));
        }
#ifdef Q_OS_UNIX
        // The rename itself reaches the disk with the folder; the file is in place whatever the
        // folder's sync says, so its failure changes nothing that could be reported.
        if (result) {
            if (const int folder =
                    ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY);
                folder >= 0) {
                ::fsync(folder);
                ::close(folder);
            }
        }
#endif
    }
    if (!result) {
        file.close();
        QFile::remove(written);
    }
    return result;
}

} // namespace fontlathe
