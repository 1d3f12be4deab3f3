#pragma once

#include "charset/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace fontlathe {

// The file operations a write of a game's files makes. Tests put a failure or a stop between
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

// A file of the game and the bytes it is to hold; old makes the bytes it holds now, asked for
// only should its replacement have to be undone (a data file is tens of megabytes).
struct FileReplacement {
    QString target;
    QByteArrayView bytes;
    std::function<QByteArray()> old;
};

// Replaces the files of a game all or nothing, in the order given: the data files, then the
// index. A write cut short before is
// finished first (FinishPendingWrite). Then each new file is written beside the one it
// replaces, then a journal beside the index names them all, then each is put in place and the
// journal is removed. A journal means that every file it names was written whole: after a crash
// or a kill, the next write or a repair puts those not yet in place there, and every file is
// new; with no journal, the new files left beside are removed, and every file is as it was. If
// a replacement fails, those already made are undone the same way: the old bytes written beside,
// the journal naming them, then put back. The result names the file at fault and says what
// became of the game's files.
Result ReplaceFiles(const QString& index, const std::vector<FileReplacement>& replacements,
                    BundleFiles& files);

// A write of a game's files that was cut short, as its journal beside the index tells. Reading
// it changes nothing in the folder.
class PendingWrite {
public:
    // Reads the journal beside index, if there is one. Fails when there is one that can't be
    // read, as no file of the game can then be trusted.
    static Result Read(const QString& index, PendingWrite& out);

    bool pending() const { return pending_; }
    // The file that holds what path holds once the write is finished: the file the journal
    // names for it while that is still beside it, else path itself.
    QString Source(const QString& path) const;
    // That a write is pending and how to finish it, naming game (the file the user named);
    // empty when none is.
    QString Notice(const QString& game) const;

private:
    friend Result FinishPendingWrite(const QString& index, QStringList& done, BundleFiles& files);

    bool pending_ = false;
    // The name of each file of the game the journal names, and the name of the file to be put in
    // its place, in the journal's order.
    std::vector<std::pair<QString, QString>> entries_;
};

// Finishes what a write cut short left beside the game's files: with a journal, puts each file
// it names in place; with none, removes new files left beside them. done says what was done, a
// sentence each; it stays empty when there was nothing to do. Fails if a file can't be put in
// place; the journal then stays.
Result FinishPendingWrite(const QString& index, QStringList& done,
                          BundleFiles& files = BundleFiles::Real());

} // namespace fontlathe
