#pragma once

#include "charset/CharCodec.h"
#include "charset/Charset.h"
#include "charset/Result.h"

#include <QString>

namespace fontlathe {

// A font inside a game's bundle, as the window opens and saves it: the bundle's two files and
// the font's number. It holds no bytes; every Load and Save reads the bundle afresh, so a
// change made to the files in between is neither lost nor overwritten blindly.
class GameFont {
public:
    GameFont() = default;
    // version is the bundle's; 0 when not known.
    GameFont(QString dataPath, QString indexPath, int number, int version = 0);

    // Opens the bundle that path names (either file) and reads font number into set, and its
    // layout into layout when given; on failure all three are untouched.
    static Result Load(const QString& path, int number, Charset& set, GameFont& font,
                       BlockLayout* layout = nullptr);

    // Encodes set and puts it back in place of the font, as RewriteFonts does. On success
    // written, when given, takes the layout written, as SaveCharset gives it, and message says
    // what was written (whether the index was rewritten, whether .orig copies were made).
    Result Save(const Charset& set, DirtyBytes dirtyBytes, QString& message,
                BlockLayout* written = nullptr) const;

    const QString& dataPath() const { return dataPath_; }
    const QString& indexPath() const { return indexPath_; }
    int number() const { return number_; }
    // The game version of the bundle as it was read, which decides the codes its text reserves.
    int version() const { return version_; }
    // That a write into the game is pending, as the load found it (GameBundle::pendingWrite).
    const QString& pendingWrite() const { return pendingWrite_; }
    // "game.001, font 2", as the window's title names it.
    QString DisplayName() const;

private:
    QString dataPath_;
    QString indexPath_;
    int number_ = -1;
    int version_ = 0;
    QString pendingWrite_;
};

} // namespace fontlathe
