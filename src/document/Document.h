#pragma once

#include "CodePageChoices.h"
#include "RecentFiles.h"
#include "bundle/GameFont.h"
#include "charset/CharCodec.h"
#include "charset/Charset.h"
#include "charset/FileType.h"
#include "charset/Result.h"
#include "edit/EditHistory.h"
#include "text/CodePage.h"

#include <QObject>

#include <memory>
#include <optional>
#include <utility>

namespace fontlathe {

// The set being edited and everything that belongs to it: its undo history, where it came from
// (a font file, a font of a game's bundle, or nothing yet), its code page, and the files of this
// run. Outside the document the set is read-only: every change is an edit through Apply, which
// records exactly one step, and every replacement goes through New, the Open functions and Reopen,
// which start a fresh history. Each change is announced once, by changed.
class Document : public QObject {
    Q_OBJECT
public:
    explicit Document(std::size_t historyBudget = EditHistory::DefaultBudget);

    const Charset& set() const { return set_; }
    // Where the parts of the block stood in the file as last read or written; a new set has none.
    const BlockLayout& layout() const { return layout_; }
    const EditHistory& history() const { return history_; }
    const CodePage& codePage() const { return codePage_; }
    // Whether the user chose a page for the font (or added letters to it), so that it opens with
    // it.
    bool CodePageKnown() const;
    const FileType& fileType() const { return fileType_; }
    // The font of a game's bundle that Save writes back into, when the set came from one; the
    // path is then only the font file that Save As suggests.
    const std::optional<GameFont>& gameFont() const { return gameFont_; }
    const RecentFiles& recentFiles() const { return recentFiles_; }
    bool IsModified() const { return history_.IsModified(); }

    // What the title and the questions call the set: its path, or "game.001, font 2".
    QString DisplayName() const;
    // The set as Open Recent and the code page memory name it; empty for a set that is no file
    // of this run's.
    QString FileKey() const;
    // Where the requesters start: the current file's folder, else the folder last used.
    QString RequesterFolder() const;

    // A new empty set of that depth, named name (extended as a typed name is), with a fresh
    // history and the page chosen last.
    void New(int bitsPerPixel, const QString& name = QStringLiteral("new"));
    // Reads the font file at path and makes it the current file, with a fresh history and its
    // remembered page; on failure nothing changes. A file that does not look like a font is read
    // all the same, as stored files may carry another tag: notAFont then says why, and Save asks
    // before it replaces the file.
    Result OpenFile(const QString& path, QString& notAFont);
    // Reads font number of the bundle that path names (either file), as OpenFile does.
    Result OpenGameFont(const QString& path, int number);
    // Reads the current file or game font again; on failure nothing changes.
    Result Reopen(QString& notAFont);

    // Whether Save would replace a file that this run neither read nor wrote (a new.char that was
    // already there), or one that was not read as a font; the window asks first.
    bool SaveReplacesForeignFile() const;
    bool SaveReplacesNonFont() const;
    // Writes the set to its file, or back into its game's bundle (message then says what was
    // written). The history is clean afterwards, and the file goes first in Open Recent.
    Result Save(DirtyBytes dirtyBytes, QString& message);
    // Writes the set to path, which becomes the current file: no longer a game's font.
    Result SaveAs(const QString& path, DirtyBytes dirtyBytes);

    // Applies the edit to the set as one step, and announces what it touched. An edit that goes
    // on with the ongoing one (the same stroke, the same field) joins its step; any other ends the
    // ongoing one first. An edit that leaves the set as it was records nothing. An edit with a page
    // makes that page current too, and undoing it brings the set and the page back together.
    void Apply(std::unique_ptr<Edit> edit);
    // The ongoing edit, if any, becomes a step.
    void EndEdit();
    // The ongoing edit, if any, is taken back as if it had never begun.
    void CancelEdit();
    // Swap a step with the set, announce what it touched and return it; nullptr when there is
    // nothing to do.
    const Edit* Undo();
    const Edit* Redo();

    // Makes the page current and remembers it for the current file and as the one chosen last;
    // false, with codePageRefused told, for a page that can't be read. No edit of the set.
    bool ChooseCodePage(const QString& nameOrFile);
    // The page remembered for the current file, or the one chosen last for a set of no file; a
    // remembered page that can't be read any more is told and leaves latin1.
    void UseRememberedCodePage();

    // What start-up found of the file named on the command line, to be told once the window
    // shows.
    struct StartOutcome {
        // A file that could not be read, or a folder, and why.
        std::optional<std::pair<QString, Result>> failure;
        QString notAFont;
        std::optional<Result> bundleFailure;
        // A game's file named without a font number: its fonts are listed once the window shows.
        bool listBundle = false;
    };
    // The set start-up begins with: the file named (which need not exist yet: Save creates it),
    // font fontNumber of a game's bundle, or a new 2-colour set.
    StartOutcome Start(const QString& name, std::optional<int> fontNumber);

    void RememberFile(const QString& path);
    void ForgetFile(const QString& path);
    void ClearRecentFiles();

signals:
    // The one notice of a change: the set, its page, its path or its history, and the character
    // it concerns (-1 for none).
    void changed(fontlathe::Scope scope, int code);
    void recentFilesChanged();
    // A page asked for could not be read (the current one stays).
    void codePageRefused(const QString& nameOrFile, const Result& why);

private:
    // An empty set of that depth becomes the set, named name, with a fresh history.
    void BecomeNew(int bitsPerPixel, const QString& name);
    // A set just read becomes the set, path the current path and gameFont the game's font it
    // came from, with a fresh history.
    void Adopt(Charset&& loaded, const BlockLayout& layout, const QString& path,
               std::optional<GameFont> gameFont);
    bool UseCodePage(const QString& nameOrFile);
    // A step that carries a page swaps it with the current one, which is remembered as a choice.
    void SwapPage(Edit* step);
    // Announces what an undo or redo swapped.
    const Edit* Swapped(Edit* step);
    void Announce(ScopeKind kind, int code = -1) { emit changed({kind, {}}, code); }

    Charset set_;
    BlockLayout layout_;
    EditHistory history_;
    FileType fileType_{QStringLiteral("SCUMM Font"), QStringLiteral(".char")};
    // Whether this run read or wrote the file at the path: Save asks before replacing any other
    // file of that name.
    bool pathIsOwnFile_ = false;
    // Whether the file at the path was read as a font; Save asks before replacing one that was
    // not (a text file opened by mistake).
    bool pathHoldsFont_ = true;
    std::optional<GameFont> gameFont_;
    CodePage codePage_;
    RecentFiles recentFiles_;
    CodePageChoices codePageChoices_;
};

} // namespace fontlathe
