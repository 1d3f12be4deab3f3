#pragma once

#include "BundleData.h"
#include "BundleLayout.h"
#include "charset/Result.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace fontlathe {

// A font of a bundle as the charset directory (DCHR) names it: the number the game's scripts
// use, its room, where its CHAR block lies in the data file and what its header says.
struct BundleFont {
    int number = 0;
    int room = 0;
    std::int64_t offset = 0;
    std::int64_t size = 0;
    int bitsPerPixel = 0;
    int fontHeight = 0;
    int numChars = 0;
    // Present glyphs among the stored codes; -1 when the codec refuses the block.
    int glyphCount = -1;
};

// The two files of a game's resource bundle, decrypted, with their checked structure and the
// fonts they hold. Open takes either file; the other is found beside it. The index is read
// whole; of the data file only what the structure and the fonts need, until data() or
// LoadData() asks for all of it.
class GameBundle {
public:
    // The largest files read: a data file of some hundred megabytes is ordinary, an index is
    // small.
    static constexpr qint64 MaxDataSize = qint64(1) << 30;
    static constexpr qint64 MaxIndexSize = qint64(16) << 20;

    // Opens the index and the data file path names (disk 1 when path names the index). Nothing
    // in the folder is written: when a write into the game was cut short after it had written
    // its files whole, the files it wrote are read (see ReplaceFiles) and pendingWrite() says so.
    static Result Open(const QString& path, GameBundle& bundle);
    static Result OpenPaths(const BundlePaths& paths, GameBundle& bundle);
    // Every data file of the bundle that path names: the one Open opens first, then those of
    // the other disks the room directory names that are there. remarks says which are not.
    static Result OpenDisks(const QString& path, std::vector<GameBundle>& disks,
                            QStringList& remarks);
    // The data file of the bundle that holds font number, opened; or a failure that names the
    // file path names and the fonts the bundle has.
    static Result OpenFont(const QString& path, int number, GameBundle& bundle);
    // The failure OpenFont gives when none of the disks opened from path holds font number.
    static Result MissingFont(const QString& path, const std::vector<GameBundle>& disks,
                              int number);
    // The same from the bytes of the two files as they lie on disk.
    static Result FromBytes(QByteArray indexFile, QByteArray dataFile, const BundlePaths& paths,
                            GameBundle& bundle);
    // The same from bytes already decrypted, as a rewrite checks its result without another
    // pass over the data.
    static Result FromDecrypted(QByteArray index, QByteArray data, const BundlePaths& paths,
                                bool encrypted, GameBundle& bundle);

    // The two files of the bundle that path names, or a failure that says why path names none.
    static Result PathsFor(const QString& path, BundlePaths& paths);
    // Whether the name is that of a game's file: either file of a bundle, or one of the kinds
    // that are recognised and refused (the files of versions 3 and 4, NUT fonts).
    static bool NamesGameFile(const QString& path);

    const BundlePaths& paths() const { return paths_; }
    int version() const { return layout_.version; }
    bool encrypted() const { return encrypted_; }
    // "version 6", or "HE, version 6 layout" for a .HE0 bundle.
    QString KindText() const;
    const BundleLayout& layout() const { return layout_; }
    // What the reader found untidy but left alone, one sentence each.
    const QStringList& remarks() const { return layout_.remarks; }
    // The decrypted bytes of the two files. data() reads the data file whole the first time it
    // is asked for; it is empty if that read fails, which LoadData() reports.
    const QByteArray& index() const { return index_; }
    const QByteArray& data() const;
    Result LoadData() const;
    const std::vector<BundleFont>& fonts() const { return fonts_; }
    // That a write into the game is pending and how to finish it; empty when none is.
    const QString& pendingWrite() const { return pendingWrite_; }
    // The font of that number, or nullptr.
    const BundleFont* Font(int number) const;
    QByteArray FontBlock(const BundleFont& font) const;

    // XOR 0x69, which both encrypts and decrypts.
    static void Crypt(QByteArray& bytes);

private:
    // The key the index file's first tag is XOR-encrypted with, 0 for a plain one, or a failure
    // that says what the file is instead.
    static Result IndexKey(QByteArrayView indexFile, const BundlePaths& paths, char& key);
    static Result FromData(QByteArray index, std::shared_ptr<BundleData> data,
                           const BundlePaths& paths, bool encrypted, GameBundle& bundle);
    Result ListFonts();

    BundlePaths paths_;
    bool encrypted_ = false;
    QByteArray index_;
    // Shared by the copies of a bundle, so that the data file is read whole at most once.
    std::shared_ptr<BundleData> data_;
    BundleLayout layout_;
    std::vector<BundleFont> fonts_;
    QString pendingWrite_;
    // The blocks of fonts_, in their order, read as they were listed.
    std::vector<QByteArray> fontBlocks_;
};

} // namespace fontlathe
