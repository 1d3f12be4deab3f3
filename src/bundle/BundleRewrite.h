#pragma once

#include "GameBundle.h"
#include "PendingWrite.h"
#include "charset/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <utility>
#include <vector>

namespace fontlathe {

// The decrypted bytes of a bundle after a font was replaced, parsed again and found sound.
struct RewrittenBundle {
    QByteArray index;
    QByteArray data;
    bool indexChanged = false;
    bool dataChanged = false;
    // How many bytes the font's block grew by; 0 when the new font fit in the old block.
    std::int64_t growth = 0;
    // Each font that grew, by its number, and by how many bytes: one for a font replaced, each of
    // them when several fonts of the data file were.
    std::vector<std::pair<int, std::int64_t>> grownFonts;
    // How many bytes of the block lie unused after a font smaller than it; 0 when none.
    std::int64_t spare = 0;
    // Each font smaller than its block, by its number, and by how many bytes.
    std::vector<std::pair<int, std::int64_t>> spareFonts;
};

// Puts block (a whole CHAR block, as a .char file holds it) in place of font number's block.
// A block that is not larger keeps the old block's size, zero-filled after its end, and nothing
// else moves. A larger one moves what follows it: the sizes of the block, its LFLF and LECF
// grow, and so do the LOFF offsets and the directory entries of the same room that lie after
// it. The result is parsed again; if it does not add up, the failure says what did not and out
// is untouched.
Result ReplaceFont(const GameBundle& bundle, int number, QByteArrayView block,
                   RewrittenBundle& out);

// Writes the rewritten bundle over the files it was read from, the index only when it changed,
// each file keeping its permissions, all or nothing (see WriteRewrites). message says what was
// written, whether copies were made, and when the font is smaller than its block, that the block
// keeps its size.
Result WriteBundle(const GameBundle& bundle, RewrittenBundle rewritten, QString& message,
                   BundleFiles& files = BundleFiles::Real());

// A data file of a game as it was read, and what a rewrite made of it.
struct DiskRewrite {
    const GameBundle& read;
    RewrittenBundle rewritten;
};

// Writes the rewrites of the data files of one game as one (ReplaceFiles): each data file that
// changed, then the index they share, as index holds it, when it differs from the one read. A
// file or folder that can't be written is refused before anything is written. Before the first
// write of a game, copies of its files as read are kept beside them as NAME.000.orig,
// NAME.001.orig and so on (never replaced later). messages gets a sentence or a few for each
// data file written, as WriteBundle's message; none when nothing changed.
Result WriteRewrites(const std::vector<DiskRewrite>& disks, const QByteArray& index,
                     QStringList& messages, BundleFiles& files = BundleFiles::Real());

} // namespace fontlathe
