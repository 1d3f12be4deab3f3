#pragma once

#include "BundleRewrite.h"
#include "GameBundle.h"
#include "PendingWrite.h"
#include "charset/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace fontlathe::bundle {

// A change to one font of a game. block holds the font's CHAR block; the change puts the new
// block there, or leaves it as it is to change nothing. disk is the data file that holds the
// font, read as the changes to the fonts before it left the game. A failure stops the rewrite
// before anything is written.
using FontChange =
    std::function<Result(const GameBundle& disk, const BundleFont& font, QByteArray& block)>;

struct FontsRewritten {
    // What was written, as WriteBundle says it, for each data file written; empty when no font
    // changed, and nothing was written.
    QStringList messages;
    // What opening the game found: data files that are not there, and a write pending when
    // this one wrote nothing (a write finishes the one pending first).
    QStringList remarks;

    // The messages as one, or that nothing was written.
    QString Said() const;
};

// Rewrites fonts of the game that path names (either file of its bundle) over every data file
// at hand, as one write: the fonts numbered in fonts, or every font when fonts is empty. Each
// font's change is applied in turn and put in place (ReplaceFont); each data file is rewritten
// from the index as the data files before it left it, and all of them are checked before
// anything is written; then the files that changed are written as one (WriteRewrites), so that
// after a failure or a kill at any point the game's files are all as they were or all as they
// became. A font number that no data file at hand holds is refused, as is a game with no font.
// A failure of the change, or one that the new block itself is at fault for, names no file: the
// caller knows where the block came from.
Result RewriteFonts(const QString& game, const std::vector<int>& fonts, const FontChange& change,
                    FontsRewritten& out, BundleFiles& files = BundleFiles::Real());

} // namespace fontlathe::bundle
