#include "PairWrite.h"

#include "charset/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace fontlathe {

namespace {

QString NotePath(const BundlePaths& paths) {
    return paths.index + QStringLiteral(".fontlathe-pending");
}

QString NewPath(const QString& target) {
    return target + QStringLiteral(".fontlathe-new");
}

QString Name(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

Result BundleFiles::Write(const QString& path, QByteArrayView bytes) {
    return WriteWholeFile(path, bytes);
}

Result BundleFiles::Replace(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(QFileInfo(from).filesystemFilePath(),
                            QFileInfo(to).filesystemFilePath(), error);
    if (error) {
        return Result::Failure(QStringLiteral("it cannot be replaced: %1")
                                   .arg(QString::fromStdString(error.message())));
    }
    return Result::Success();
}

void BundleFiles::Remove(const QString& path) {
    QFile::remove(path);
}

BundleFiles& BundleFiles::Real() {
    static BundleFiles files;
    return files;
}

Result ReplacePair(const BundlePaths& paths, const PairContents& contents, BundleFiles& files) {
    struct Step {
        QString target;
        QByteArrayView bytes;
    };
    std::vector<Step> steps{{paths.data, contents.data}};
    if (!contents.index.isEmpty()) {
        steps.push_back({paths.index, contents.index});
    }
    const auto removeNew = [&] {
        for (const Step& step : steps) {
            files.Remove(NewPath(step.target));
        }
    };
    QString note;
    for (const Step& step : steps) {
        const QString written = NewPath(step.target);
        if (const Result result = files.Write(written, step.bytes); !result) {
            removeNew();
            return Result::Failure(step.target,
                                   result.reason() + QStringLiteral("; nothing was changed"));
        }
        // The new file takes the permissions of the one it replaces.
        QFile::setPermissions(written, QFile::permissions(step.target));
        note += Name(written) + u'\t' + Name(step.target) + u'\n';
    }
    if (const Result result = files.Write(NotePath(paths), note.toUtf8()); !result) {
        removeNew();
        return Result::Failure(NotePath(paths),
                               result.reason() + QStringLiteral("; nothing was changed"));
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Result replaced = files.Replace(NewPath(steps[i].target), steps[i].target);
        if (replaced) {
            continue;
        }
        if (i == 0) {
            removeNew();
            files.Remove(NotePath(paths));
            return Result::Failure(steps[i].target,
                                   replaced.reason() + QStringLiteral("; nothing was changed"));
        }
        // The data file no longer matches the old index: put the old data file back.
        const QString back = NewPath(paths.data);
        const bool restored = files.Write(back, contents.oldData()).ok() &&
                              (QFile::setPermissions(back, QFile::permissions(paths.data)), true) &&
                              files.Replace(back, paths.data).ok();
        if (!restored) {
            // The note stays: the next open puts the new index in place, and the pair is whole.
            return Result::Failure(
                steps[i].target,
                replaced.reason() + QStringLiteral("; the data file could not be put back either: "
                                                   "the next open of the game tries to finish "
                                                   "the write, or restore both files from their "
                                                   ".orig copies"));
        }
        removeNew();
        files.Remove(NotePath(paths));
        return Result::Failure(steps[i].target,
                               replaced.reason() +
                                   QStringLiteral("; the data file was put back as it was"));
    }
    files.Remove(NotePath(paths));
    return Result::Success();
}

Result FinishPairWrite(const BundlePaths& paths) {
    const QString notePath = NotePath(paths);
    if (!QFileInfo::exists(notePath)) {
        for (const QString& target : {paths.index, paths.data}) {
            if (QFileInfo::exists(NewPath(target))) {
                QFile::remove(NewPath(target));
            }
        }
        return Result::Success();
    }
    QByteArray note;
    if (const Result read = ReadWholeFile(notePath, 4096, QStringLiteral("note"), note); !read) {
        return Result::Failure(notePath, read.reason());
    }
    const QDir folder = QFileInfo(paths.index).dir();
    for (const QByteArray& line : note.split('\n')) {
        const QList<QByteArray> names = line.split('\t');
        if (names.size() != 2) {
            continue;
        }
        const QString written = folder.filePath(QString::fromUtf8(names[0]));
        const QString target = folder.filePath(QString::fromUtf8(names[1]));
        if (!QFileInfo::exists(written)) {
            continue;
        }
        if (const Result replaced = BundleFiles::Real().Replace(written, target); !replaced) {
            return Result::Failure(
                target, QStringLiteral("a write of the game's files was cut short, and it can't "
                                       "be finished: %1. Restore both files from their .orig "
                                       "copies")
                            .arg(replaced.reason()));
        }
    }
    QFile::remove(notePath);
    return Result::Success();
}

} // namespace fontlathe
