#include "PendingWrite.h"

#include "BundleNames.h"
#include "charset/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace fontlathe {

namespace {

// What a write leaves beside the game's files while it runs: the journal beside the index, and
// each new file (or, when a write is undone, each old one) beside the file it replaces.
const QString JournalSuffix = QStringLiteral(".fontlathe-pending");
const QString NewSuffix = QStringLiteral(".fontlathe-new");
const QString OldSuffix = QStringLiteral(".fontlathe-old");
const QString Marker = QStringLiteral(".fontlathe-");
constexpr qint64 MaxJournalSize = 64 * 1024;

QString Name(const QString& path) {
    return QFileInfo(path).fileName();
}

// The file called name in path's folder, spelt as path spells its folder.
QString Beside(const QString& path, const QString& name) {
    return path.left(path.size() - Name(path).size()) + name;
}

QString JournalPath(const QString& index) {
    return index + JournalSuffix;
}

using Entries = std::vector<std::pair<QString, QString>>;

// A line a file: the name of the file to be put in place, a tab, the name of the file it goes
// in place of. A journal holds only names of the game's own folder.
QByteArray JournalText(const Entries& entries) {
    QString text;
    for (const auto& [target, source] : entries) {
        text += Name(source) + u'\t' + Name(target) + u'\n';
    }
    return text.toUtf8();
}

bool ParseJournal(const QByteArray& text, Entries& entries) {
    for (const QByteArray& line : text.split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        const QList<QByteArray> names = line.split('\t');
        const QString source = QString::fromUtf8(names.value(0));
        const QString target = QString::fromUtf8(names.value(1));
        if (names.size() != 2 || target.isEmpty() || target.contains(u'/') ||
            bundlenames::DiskOf(target) < 0 ||
            (source != target + NewSuffix && source != target + OldSuffix)) {
            return false;
        }
        entries.emplace_back(target, source);
    }
    return !entries.empty();
}

// The files a write left beside the game's files, by name: the base name of the index, a file of
// the bundle's and then a mark of ours, but not the journal itself.
QStringList Strays(const QString& index) {
    const QFileInfo info(index);
    const QString stem = info.completeBaseName() + u'.';
    QStringList strays;
    for (const QString& entry : info.dir().entryList(QDir::Files | QDir::Hidden)) {
        const qsizetype mark = entry.indexOf(Marker);
        if (mark > 0 && entry.startsWith(stem, Qt::CaseInsensitive) &&
            bundlenames::DiskOf(entry.left(mark)) >= 0 && entry != Name(JournalPath(index))) {
            strays << entry;
        }
    }
    return strays;
}

QString Unfinished(const QString& reason) {
    return QStringLiteral("a write of the game's files was cut short, and it can't be finished: "
                          "%1. Restore the game's files from their .orig copies")
        .arg(reason);
}

// Undoes the replacements before the one at failed: their old bytes are written beside them,
// the journal is made to name those, and they are put in place.
Result PutBack(const QString& index, const std::vector<FileReplacement>& replacements,
               const Entries& forward, std::size_t failed, const Result& failure,
               BundleFiles& files) {
    const QString& target = replacements[failed].target;
    const Result left = Result::Failure(
        target, failure.reason() +
                    QStringLiteral("; putting the files already replaced back failed too, so a "
                                   "journal beside the index says what is left to do: the next "
                                   "write into the game, or fontlathe-cli repair, does it (or "
                                   "restore the game's files from their .orig copies)"));
    Entries back;
    for (std::size_t i = 0; i < failed; ++i) {
        const QString old = replacements[i].target + OldSuffix;
        if (!files.Write(old, replacements[i].old()).ok()) {
            return left;
        }
        QFile::setPermissions(old, QFile::permissions(replacements[i].target));
        back.emplace_back(replacements[i].target, old);
    }
    // From here on a journal means the old files, all of them whole.
    if (!files.Write(JournalPath(index), JournalText(back)).ok()) {
        return left;
    }
    for (std::size_t i = failed; i < forward.size(); ++i) {
        files.Remove(forward[i].second);
    }
    for (const auto& [file, old] : back) {
        if (!files.Replace(old, file).ok()) {
            return left;
        }
    }
    files.Remove(JournalPath(index));
    return Result::Failure(
        target,
        failure.reason() + (failed == 1 ? QStringLiteral("; the data file was put back as it was")
                                        : QStringLiteral("; the data files were put back as "
                                                         "they were")));
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

Result ReplaceFiles(const QString& index, const std::vector<FileReplacement>& replacements,
                    BundleFiles& files) {
    QStringList finished;
    if (Result done = FinishPendingWrite(index, finished, files); !done) {
        return done;
    }
    Entries forward;
    const auto removeNew = [&] {
        for (const auto& entry : forward) {
            files.Remove(entry.second);
        }
    };
    const QString nothing = QStringLiteral("; nothing was changed");
    for (const FileReplacement& replacement : replacements) {
        const QString written = replacement.target + NewSuffix;
        if (const Result result = files.Write(written, replacement.bytes); !result) {
            removeNew();
            return Result::Failure(replacement.target, result.reason() + nothing);
        }
        // The new file takes the permissions of the one it replaces.
        QFile::setPermissions(written, QFile::permissions(replacement.target));
        forward.emplace_back(replacement.target, written);
    }
    const QString journal = JournalPath(index);
    if (const Result result = files.Write(journal, JournalText(forward)); !result) {
        removeNew();
        return Result::Failure(journal, result.reason() + nothing);
    }
    for (std::size_t i = 0; i < forward.size(); ++i) {
        const Result replaced = files.Replace(forward[i].second, forward[i].first);
        if (replaced) {
            continue;
        }
        if (i > 0) {
            return PutBack(index, replacements, forward, i, replaced, files);
        }
        files.Remove(journal);
        removeNew();
        return Result::Failure(forward[i].first, replaced.reason() + nothing);
    }
    files.Remove(journal);
    return Result::Success();
}

Result PendingWrite::Read(const QString& index, PendingWrite& out) {
    out = PendingWrite();
    const QString journal = JournalPath(index);
    if (!QFileInfo::exists(journal)) {
        return Result::Success();
    }
    QByteArray text;
    if (const Result read = ReadWholeFile(journal, MaxJournalSize, QStringLiteral("journal"), text);
        !read) {
        return Result::Failure(journal, Unfinished(read.reason()));
    }
    if (!ParseJournal(text, out.entries_)) {
        return Result::Failure(journal, Unfinished(QStringLiteral("its journal names no file of "
                                                                  "the game it could put in "
                                                                  "place")));
    }
    out.pending_ = true;
    return Result::Success();
}

QString PendingWrite::Source(const QString& path) const {
    for (const auto& [target, source] : entries_) {
        if (target == Name(path)) {
            const QString beside = Beside(path, source);
            return QFileInfo::exists(beside) ? beside : path;
        }
    }
    return path;
}

QString PendingWrite::Notice(const QString& game) const {
    if (!pending_) {
        return QString();
    }
    return QStringLiteral("A write into the game's files was cut short after it had written them "
                          "whole; they are read as that write left them. The next write into the "
                          "game finishes it, as does: fontlathe-cli repair %1")
        .arg(game);
}

Result FinishPendingWrite(const QString& index, QStringList& done, BundleFiles& files) {
    PendingWrite pending;
    if (Result read = PendingWrite::Read(index, pending); !read) {
        return read;
    }
    QStringList placed;
    for (const auto& [target, source] : pending.entries_) {
        const QString from = Beside(index, source);
        if (!QFileInfo::exists(from)) {
            continue;
        }
        if (const Result replaced = files.Replace(from, Beside(index, target)); !replaced) {
            return Result::Failure(Beside(index, target), Unfinished(replaced.reason()));
        }
        placed << target;
    }
    const QStringList strays = Strays(index);
    for (const QString& stray : strays) {
        files.Remove(Beside(index, stray));
    }
    if (pending.pending()) {
        files.Remove(JournalPath(index));
        done << (placed.isEmpty()
                     ? QStringLiteral("A write cut short had put every file in place; its journal "
                                      "was removed.")
                     : QStringLiteral("Finished a write that was cut short: put %1 in place.")
                           .arg(placed.join(QStringLiteral(", "))));
    }
    if (!strays.isEmpty()) {
        done << QStringLiteral("Removed %1, left by a write that was cut short.")
                    .arg(strays.join(QStringLiteral(", ")));
    }
    return Result::Success();
}

} // namespace fontlathe
