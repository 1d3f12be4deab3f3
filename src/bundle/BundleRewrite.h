#pragma once

#include "BundleResult.h"
#include "GameBundle.h"

#include <QByteArray>
#include <QByteArrayView>

namespace fontlathe {

// The decrypted bytes of a bundle after a font was replaced, parsed again and found sound.
struct RewrittenBundle {
    QByteArray index;
    QByteArray data;
    bool indexChanged = false;
    bool dataChanged = false;
    // How many bytes the font's block grew by; 0 when the new font fit in the old block.
    std::int64_t growth = 0;
};

// Puts block (a whole CHAR block, as a .char file holds it) in place of font number's block.
// A block that is not larger keeps the old block's size, zero-filled after its end, and nothing
// else moves. A larger one moves what follows it: the sizes of the block, its LFLF and LECF
// grow, and so do the LOFF offsets and the directory entries of the same room that lie after
// it. The result is parsed again; if it does not add up, the failure says what did not and out
// is untouched.
BundleResult ReplaceFont(const GameBundle& bundle, int number, QByteArrayView block,
                         RewrittenBundle& out);

// Writes the rewritten bundle over the files it was read from, each atomically, the index only
// when it changed. Before the first write of a bundle, copies of both files as read are kept
// beside them as NAME.000.orig and NAME.001.orig (never replaced later). message says what was
// written and whether copies were made.
BundleResult WriteBundle(const GameBundle& bundle, RewrittenBundle rewritten, QString& message);

} // namespace fontlathe
