#include "Document.h"

#include "GameFontEntry.h"
#include "text/FontFileCheck.h"

#include <QDir>
#include <QFileInfo>

namespace fontlathe {

namespace {

// The font file that Save As suggests for a game's font: beside the bundle, "GAME-font2.char".
QString SuggestedFontPath(const GameFont& font) {
    const QFileInfo data(font.dataPath());
    return data.absoluteDir().filePath(
        QStringLiteral("%1-font%2.char").arg(data.completeBaseName()).arg(font.number()));
}

} // namespace

Document::Document(std::size_t historyBudget) : history_(historyBudget) {
    connect(&history_, &EditHistory::changed, this, [this] { Announce(ScopeKind::History); });
}

QString Document::DisplayName() const {
    return gameFont_ ? gameFont_->DisplayName() : fileType_.path();
}

QString Document::FileKey() const {
    if (gameFont_) {
        return GameFontEntry{gameFont_->dataPath(), gameFont_->number()}.Text();
    }
    return pathIsOwnFile_ ? fileType_.path() : QString();
}

// A bare name such as the default new.char names no folder of its own.
QString Document::RequesterFolder() const {
    const QString& path = fileType_.path();
    const QFileInfo current(path);
    if ((pathIsOwnFile_ || path.contains(u'/')) && current.absoluteDir().exists()) {
        return current.absolutePath();
    }
    return recentFiles_.lastFolder();
}

void Document::BecomeNew(int bitsPerPixel, const QString& name) {
    fileType_.SetPath(name);
    gameFont_.reset();
    pathIsOwnFile_ = false;
    pathHoldsFont_ = true;
    set_.NewCharset(bitsPerPixel);
    layout_ = BlockLayout();
    history_.Clear();
}

void Document::New(int bitsPerPixel, const QString& name) {
    BecomeNew(bitsPerPixel, name);
    UseRememberedCodePage();
    Announce(ScopeKind::WholeSet);
}

void Document::Adopt(Charset&& loaded, const BlockLayout& layout, const QString& path,
                     std::optional<GameFont> gameFont) {
    set_ = std::move(loaded);
    layout_ = layout;
    fileType_.SetExactPath(path);
    gameFont_ = std::move(gameFont);
    history_.Clear();
}

Result Document::OpenFile(const QString& path, QString& notAFont) {
    Charset loaded;
    BlockLayout layout;
    if (const Result read =
            LoadNewCharset(path, loaded, &notAFont, SheetImportRoute::Menu, &layout);
        !read) {
        return read;
    }
    Adopt(std::move(loaded), layout, path, std::nullopt);
    pathIsOwnFile_ = true;
    pathHoldsFont_ = notAFont.isEmpty();
    RememberFile(path);
    UseRememberedCodePage();
    Announce(ScopeKind::WholeSet);
    return Result::Success();
}

// The path becomes the suggested font file, which this run did not write: a Save As to it asks
// before replacing one that is there.
Result Document::OpenGameFont(const QString& path, int number) {
    Charset loaded;
    GameFont font;
    BlockLayout layout;
    if (Result read = GameFont::Load(path, number, loaded, font, &layout); !read) {
        return read;
    }
    Adopt(std::move(loaded), layout, SuggestedFontPath(font), font);
    pathIsOwnFile_ = false;
    pathHoldsFont_ = true;
    RememberFile(FileKey());
    UseRememberedCodePage();
    Announce(ScopeKind::WholeSet);
    return Result::Success();
}

Result Document::Reopen(QString& notAFont) {
    if (const std::optional<GameFont> font = gameFont_) {
        return OpenGameFont(font->dataPath(), font->number());
    }
    const QString path = fileType_.path();
    if (const Result read = OpenFile(path, notAFont); !read) {
        return Result::Failure(path, read.reason());
    }
    return Result::Success();
}

// A file at the path that this run neither read nor wrote belongs to somebody else: the default
// new.char in a folder that has one, or a name given at start-up that did not exist then.
bool Document::SaveReplacesForeignFile() const {
    return !gameFont_ && !pathIsOwnFile_ && QFileInfo::exists(fileType_.path());
}

bool Document::SaveReplacesNonFont() const {
    return !gameFont_ && !pathHoldsFont_ && QFileInfo::exists(fileType_.path());
}

Result Document::Save(DirtyBytes dirtyBytes, QString& message) {
    if (gameFont_) {
        if (const Result saved = gameFont_->Save(set_, dirtyBytes, message, &layout_); !saved) {
            return saved;
        }
        history_.MarkClean();
        RememberFile(FileKey());
        return Result::Success();
    }
    const QString path = fileType_.path();
    if (const Result saved = SaveCharset(set_, path, dirtyBytes, &layout_); !saved) {
        return Result::Failure(path, saved.reason());
    }
    pathIsOwnFile_ = true;
    pathHoldsFont_ = true;
    history_.MarkClean();
    RememberFile(path);
    return Result::Success();
}

// As with Open, the path follows only a save that happened.
Result Document::SaveAs(const QString& path, DirtyBytes dirtyBytes) {
    if (const Result saved = SaveCharset(set_, path, dirtyBytes, &layout_); !saved) {
        return saved;
    }
    fileType_.SetExactPath(path);
    gameFont_.reset();
    pathIsOwnFile_ = true;
    pathHoldsFont_ = true;
    history_.MarkClean();
    RememberFile(path);
    codePageChoices_.Remember(path, codePage_.name());
    Announce(ScopeKind::Path);
    return Result::Success();
}

bool Document::UseCodePage(const QString& nameOrFile) {
    CodePage page;
    if (const Result chosen = CodePage::Choose(nameOrFile, page); !chosen) {
        emit codePageRefused(nameOrFile, chosen);
        return false;
    }
    codePage_ = page;
    return true;
}

bool Document::CodePageKnown() const {
    const QString key = FileKey();
    return !key.isEmpty() && codePageChoices_.Knows(key);
}

void Document::UseRememberedCodePage() {
    const QString key = FileKey();
    if (!UseCodePage(key.isEmpty() ? codePageChoices_.LastChosen()
                                   : codePageChoices_.PageFor(key))) {
        UseCodePage(CodePage().name());
    }
}

bool Document::ChooseCodePage(const QString& nameOrFile) {
    if (!UseCodePage(nameOrFile)) {
        return false;
    }
    codePageChoices_.Remember(FileKey(), codePage_.name());
    Announce(ScopeKind::CodePage);
    return true;
}

void Document::RememberFile(const QString& path) {
    recentFiles_.Add(path);
    emit recentFilesChanged();
}

void Document::ForgetFile(const QString& path) {
    recentFiles_.Remove(path);
    emit recentFilesChanged();
}

void Document::ClearRecentFiles() {
    recentFiles_.Clear();
    emit recentFilesChanged();
}

} // namespace fontlathe
