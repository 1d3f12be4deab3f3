// The File menu's commands and the requesters behind them.
#include "Dispatcher.h"
#include "GameFontEntry.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "charset/CharCodec.h"
#include "gui/Environment.h"

#include <QDir>
#include <QFileInfo>

namespace fontlathe {

bool Dispatcher::NewSet(int bitsPerPixel) {
    if (!MayDiscardChanges()) {
        return false;
    }
    state_.fileType.SetPath(QStringLiteral("new"));
    state_.gameFont.reset();
    state_.pathIsOwnFile = false;
    state_.pathHoldsFont = true;
    state_.charset.NewCharset(bitsPerPixel);
    history_.Clear();
    UseRememberedCodePage();
    return true;
}

// A bare name such as the default new.char names no folder of its own.
QString Dispatcher::RequesterFolder() const {
    const QString& path = state_.fileType.path();
    const QFileInfo current(path);
    if ((state_.pathIsOwnFile || path.contains(u'/')) && current.absoluteDir().exists()) {
        return current.absolutePath();
    }
    return recentFiles_.lastFolder();
}

std::optional<QString> Dispatcher::AskOpenPath() {
    const FileType& type = state_.fileType;
    const QString folder = RequesterFolder();
    const QString chosen =
        environment_.AskOpenFileName(&window_, QStringLiteral("Load ") + type.description(),
                                     folder.isEmpty() ? type.path() : folder, type.FilePattern());
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    const QString path = type.WithExtension(chosen);
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> Dispatcher::AskSavePath() {
    const FileType& type = state_.fileType;
    const QString folder = RequesterFolder();
    const QString start =
        folder.isEmpty() ? type.path() : QDir(folder).filePath(QFileInfo(type.path()).fileName());
    const QString chosen = environment_.AskSaveFileName(
        &window_, QStringLiteral("Save ") + type.description(), start, type.FilePattern());
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return type.WithExtension(chosen);
}

// The path changes only once the file is loaded: a file that could not be read keeps both the
// set and the path, so a later Save can't write the old set over it.
bool Dispatcher::Open() {
    if (!MayDiscardChanges()) {
        return false;
    }
    const std::optional<QString> path = AskOpenPath();
    if (!path) {
        return false;
    }
    LoadFile(*path, OpenFailureHeadline);
    return true;
}

// An entry whose file has gone leaves the list; one that exists but was refused stays.
bool Dispatcher::OpenRecent(const QString& path) {
    if (!MayDiscardChanges()) {
        return false;
    }
    const std::optional<GameFontEntry> font = GameFontEntry::Parse(path);
    const bool loaded = font ? LoadGameFont(font->dataPath, font->number, OpenFailureHeadline)
                             : LoadFile(path, OpenFailureHeadline);
    if (!loaded && !QFileInfo::exists(font ? font->dataPath : path)) {
        recentFiles_.Remove(path);
        window_.SetRecentFiles(recentFiles_.paths());
    }
    return true;
}

FileResult Dispatcher::ReadFontFile(const QString& path, QString& notAFont) {
    Charset loaded;
    if (const FileResult read = LoadNewCharset(path, loaded, &notAFont); !read) {
        return read;
    }
    AdoptReadSet(std::move(loaded), path, std::nullopt);
    state_.pathIsOwnFile = true;
    state_.pathHoldsFont = notAFont.isEmpty();
    RememberFile(path);
    UseRememberedCodePage();
    return FileResult::Success();
}

void Dispatcher::AdoptReadSet(Charset&& loaded, const QString& path,
                              std::optional<GameFont> gameFont) {
    // The generator's scratch belongs to the run, not to the file.
    loaded.minInkTop = state_.charset.minInkTop;
    state_.charset = std::move(loaded);
    state_.fileType.SetExactPath(path);
    state_.gameFont = std::move(gameFont);
    history_.Clear();
}

void Dispatcher::ShowNotAFont(const QString& notAFont) {
    environment_.ShowError(&window_, ProgramTitle,
                           notAFont + QStringLiteral("\n\nIt is shown as a font all the same; "
                                                     "Save asks before it replaces the file."));
}

bool Dispatcher::LoadFile(const QString& path, const QString& failureHeadline) {
    QString notAFont;
    if (const FileResult loaded = ReadFontFile(path, notAFont); !loaded) {
        ShowFailure(failureHeadline.arg(path), loaded);
        return false;
    }
    if (!notAFont.isEmpty()) {
        ShowNotAFont(notAFont);
    }
    return true;
}

void Dispatcher::RememberFile(const QString& path) {
    recentFiles_.Add(path);
    window_.SetRecentFiles(recentFiles_.paths());
}

bool Dispatcher::Reopen() {
    if (history_.IsModified() &&
        !environment_.AskYesNo(
            &window_, ProgramTitle,
            QStringLiteral("Discard the changes to %1 and read it again?").arg(CurrentName()))) {
        return false;
    }
    const QString failure = QStringLiteral("Could not reopen \"%1\"");
    if (const std::optional<GameFont> font = state_.gameFont) {
        return LoadGameFont(font->dataPath(), font->number(), failure);
    }
    return LoadFile(state_.fileType.path(), failure);
}

// A file at the path that this run neither loaded nor saved belongs to somebody else: the default
// new.char in a folder that has one, or a name given at start-up that did not exist then.
bool Dispatcher::Save() {
    if (state_.gameFont) {
        return SaveGameFont();
    }
    const QString& path = state_.fileType.path();
    if (!state_.pathIsOwnFile && QFileInfo::exists(path) &&
        !environment_.AskYesNo(&window_, ProgramTitle,
                               QStringLiteral("%1 exists. Replace it?").arg(path))) {
        return false;
    }
    if (!state_.pathHoldsFont && QFileInfo::exists(path) &&
        !environment_.AskYesNo(
            &window_, ProgramTitle,
            QStringLiteral("%1 was not read as a SCUMM font. Replace it?").arg(path))) {
        return false;
    }
    if (const FileResult saved = SaveCharset(state_.charset, path, DirtyBytesOption()); !saved) {
        ShowFailure(QStringLiteral("Could not save \"%1\"").arg(path), saved);
        return false;
    }
    state_.pathIsOwnFile = true;
    state_.pathHoldsFont = true;
    history_.MarkClean();
    RememberFile(path);
    return true;
}

// As with Open, the path follows only a save that happened.
bool Dispatcher::SaveAs() {
    const std::optional<QString> path = AskSavePath();
    if (!path) {
        return false;
    }
    if (const FileResult saved = SaveCharset(state_.charset, *path, DirtyBytesOption()); saved) {
        state_.fileType.SetExactPath(*path);
        state_.gameFont.reset();
        state_.pathIsOwnFile = true;
        state_.pathHoldsFont = true;
        history_.MarkClean();
        RememberFile(*path);
        codePageChoices_.Remember(*path, state_.codePage.name());
    } else {
        ShowFailure(QStringLiteral("Could not save \"%1\"").arg(*path), saved);
    }
    return true;
}

DirtyBytes Dispatcher::DirtyBytesOption() const {
    return window_.DirtyBytesChecked() ? DirtyBytes::On : DirtyBytes::Off;
}

void Dispatcher::ShowFailure(const QString& headline, const FileResult& result) {
    QString reason = result.reason();
    if (!reason.isEmpty()) {
        reason[0] = reason[0].toUpper();
    }
    environment_.ShowError(&window_, ProgramTitle,
                           QStringLiteral("%1.\n\n%2.").arg(headline, reason));
}

} // namespace fontlathe
