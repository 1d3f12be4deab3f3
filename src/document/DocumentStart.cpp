// The set the program starts with, from the name and the font number on its command line.
#include "Document.h"

#include "bundle/GameBundle.h"

#include <QFileInfo>

namespace fontlathe {

Document::StartOutcome Document::Start(const QString& name, std::optional<int> fontNumber) {
    StartOutcome outcome;
    // With a font number the name can only be a bundle's; without, its name says whether it is
    // a game's file, which the list then opens or refuses.
    const bool namesBundle = !name.isEmpty() && (fontNumber || GameBundle::NamesGameFile(name));
    if (name.isEmpty() || namesBundle) {
        BecomeNew(1, QStringLiteral("new"));
        if (fontNumber) {
            if (Result read = OpenGameFont(name, *fontNumber); !read) {
                outcome.bundleFailure = read;
            }
        }
        outcome.listBundle = namesBundle && !fontNumber;
    } else {
        const QString path = fileType_.WithExtension(name);
        if (QFileInfo(name).isDir() || QFileInfo(path).isDir()) {
            // Taken for a font that does not exist yet, a folder would only be a puzzling name.
            outcome.failure.emplace(name, Result::Failure(QStringLiteral(
                                              "it is a folder, and a folder can't be opened; "
                                              "choose a font file in it with File > Open")));
            BecomeNew(1, QStringLiteral("new"));
        } else if (!QFileInfo::exists(path)) {
            // A name that does not exist yet is where Save will create the file.
            BecomeNew(1, name);
        } else if (const Result loaded = OpenFile(path, outcome.notAFont); !loaded) {
            // A file that exists but was not understood must not be overwritten by a later Save.
            outcome.failure.emplace(path, loaded);
            BecomeNew(1, QStringLiteral("new"));
        }
    }
    // A file or a game's font that was read came with its page; a new set takes the last one.
    if (!pathIsOwnFile_ && !gameFont_) {
        UseRememberedCodePage();
    }
    Announce(ScopeKind::WholeSet);
    return outcome;
}

} // namespace fontlathe
