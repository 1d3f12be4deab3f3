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
    connect(&history_, &EditHistory::changed, this, &Document::historyChanged);
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
    history_.Clear();
}

void Document::New(int bitsPerPixel, const QString& name) {
    BecomeNew(bitsPerPixel, name);
    UseRememberedCodePage();
}

void Document::Adopt(Charset&& loaded, const QString& path, std::optional<GameFont> gameFont) {
    // The generator's scratch belongs to the run, not to the file.
    loaded.minInkTop = set_.minInkTop;
    set_ = std::move(loaded);
    fileType_.SetExactPath(path);
    gameFont_ = std::move(gameFont);
    history_.Clear();
}

Result Document::OpenFile(const QString& path, QString& notAFont) {
    Charset loaded;
    if (const Result read = LoadNewCharset(path, loaded, &notAFont); !read) {
        return read;
    }
    Adopt(std::move(loaded), path, std::nullopt);
    pathIsOwnFile_ = true;
    pathHoldsFont_ = notAFont.isEmpty();
    RememberFile(path);
    UseRememberedCodePage();
    return Result::Success();
}

// The path becomes the suggested font file, which this run did not write: a Save As to it asks
// before replacing one that is there.
Result Document::OpenGameFont(const QString& path, int number) {
    Charset loaded;
    GameFont font;
    if (Result read = GameFont::Load(path, number, loaded, font); !read) {
        return read;
    }
    Adopt(std::move(loaded), SuggestedFontPath(font), font);
    pathIsOwnFile_ = false;
    pathHoldsFont_ = true;
    RememberFile(FileKey());
    UseRememberedCodePage();
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
        if (const Result saved = gameFont_->Save(set_, dirtyBytes, message); !saved) {
            return saved;
        }
        history_.MarkClean();
        RememberFile(FileKey());
        return Result::Success();
    }
    const QString path = fileType_.path();
    if (const Result saved = SaveCharset(set_, path, dirtyBytes); !saved) {
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
    if (const Result saved = SaveCharset(set_, path, dirtyBytes); !saved) {
        return saved;
    }
    fileType_.SetExactPath(path);
    gameFont_.reset();
    pathIsOwnFile_ = true;
    pathHoldsFont_ = true;
    history_.MarkClean();
    RememberFile(path);
    codePageChoices_.Remember(path, codePage_.name());
    return Result::Success();
}

void Document::Change(std::unique_ptr<EditStep> before,
                      const std::function<void(Charset&)>& change) {
    history_.Begin(set_, std::move(before));
    ongoing_.reset();
    change(set_);
    history_.End(set_);
}

void Document::Continue(const OngoingEdit& edit,
                        const std::function<std::unique_ptr<EditStep>(const Charset&)>& makeStep,
                        const std::function<void(Charset&)>& change) {
    if (!history_.IsOpen() || ongoing_ != edit) {
        history_.Begin(set_, makeStep(set_));
        ongoing_ = edit;
    }
    change(set_);
}

void Document::EndEdit() {
    history_.End(set_);
}

const EditStep* Document::Undo() {
    EditStep* step = history_.Undo(set_);
    SwapPage(step);
    return step;
}

const EditStep* Document::Redo() {
    EditStep* step = history_.Redo(set_);
    SwapPage(step);
    return step;
}

void Document::ChangeWithPage(std::unique_ptr<EditStep> before,
                              const std::function<void(Charset&)>& change, const QString& page) {
    before->SetOtherPage(codePage_.name());
    Change(std::move(before), change);
    ChooseCodePage(page);
}

void Document::SwapPage(EditStep* step) {
    if (step == nullptr || !step->otherPage()) {
        return;
    }
    const QString other = *step->otherPage();
    step->SetOtherPage(codePage_.name());
    if (UseCodePage(other)) {
        codePageChoices_.Remember(FileKey(), codePage_.name());
    }
}

bool Document::UseCodePage(const QString& nameOrFile) {
    CodePage page;
    if (const Result chosen = CodePage::Choose(nameOrFile, page); !chosen) {
        emit codePageRefused(nameOrFile, chosen);
        return false;
    }
    codePage_ = page;
    emit codePageChanged();
    return true;
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
