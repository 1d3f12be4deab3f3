// The File menu's commands, the requesters behind them and the questions asked before unsaved
// changes or another program's file would be lost. What they do to the set is the document's.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "document/Document.h"
#include "document/GameFontEntry.h"
#include "gui/Environment.h"

#include <QDir>
#include <QFileInfo>

namespace fontlathe {

void Dispatcher::NewSet(int bitsPerPixel) {
    if (MayDiscardChanges()) {
        document_.New(bitsPerPixel);
    } else {
        ShowAgain();
    }
}

std::optional<QString> Dispatcher::AskOpenPath() {
    const FileType& type = document_.fileType();
    const QString folder = document_.RequesterFolder();
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
    const FileType& type = document_.fileType();
    const QString folder = document_.RequesterFolder();
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
void Dispatcher::Open() {
    if (!MayDiscardChanges()) {
        return;
    }
    const std::optional<QString> path = AskOpenPath();
    if (!path) {
        return;
    }
    if (!LoadFile(*path, OpenFailureHeadline)) {
        ShowAgain();
    }
}

// An entry whose file has gone leaves the list; one that exists but was refused stays.
void Dispatcher::OpenRecent(const QString& path) {
    if (!MayDiscardChanges()) {
        return;
    }
    const std::optional<GameFontEntry> font = GameFontEntry::Parse(path);
    const bool loaded = font ? LoadGameFont(font->dataPath, font->number, OpenFailureHeadline)
                             : LoadFile(path, OpenFailureHeadline);
    if (!loaded) {
        if (!QFileInfo::exists(font ? font->dataPath : path)) {
            document_.ForgetFile(path);
        }
        ShowAgain();
    }
}

void Dispatcher::ShowNotAFont(const QString& notAFont) {
    environment_.ShowError(&window_, ProgramTitle,
                           notAFont + QStringLiteral("\n\nIt is shown as a font all the same; "
                                                     "Save asks before it replaces the file."));
}

bool Dispatcher::LoadFile(const QString& path, const QString& failureHeadline) {
    QString notAFont;
    if (const Result loaded = document_.OpenFile(path, notAFont); !loaded) {
        ShowFailure(failureHeadline.arg(path), loaded);
        return false;
    }
    if (!notAFont.isEmpty()) {
        ShowNotAFont(notAFont);
    }
    return true;
}

void Dispatcher::Reopen() {
    if (document_.IsModified() &&
        !environment_.AskYesNo(&window_, ProgramTitle,
                               QStringLiteral("Discard the changes to %1 and read it again?")
                                   .arg(document_.DisplayName()))) {
        ShowAgain();
        return;
    }
    QString notAFont;
    if (const Result read = document_.Reopen(notAFont); !read) {
        ShowBundleFailure(QStringLiteral("Could not reopen \"%1\""), read);
        ShowAgain();
    } else if (!notAFont.isEmpty()) {
        ShowNotAFont(notAFont);
    }
}

bool Dispatcher::Save() {
    const QString& path = document_.fileType().path();
    if (document_.SaveReplacesForeignFile() &&
        !environment_.AskYesNo(&window_, ProgramTitle,
                               QStringLiteral("%1 exists. Replace it?").arg(path))) {
        return false;
    }
    if (document_.SaveReplacesNonFont() &&
        !environment_.AskYesNo(
            &window_, ProgramTitle,
            QStringLiteral("%1 was not read as a SCUMM font. Replace it?").arg(path))) {
        return false;
    }
    QString message;
    if (const Result saved = document_.Save(DirtyBytesOption(), message); !saved) {
        ShowBundleFailure(QStringLiteral("Could not save \"%1\""), saved);
        return false;
    }
    if (!message.isEmpty()) {
        environment_.ShowInformation(&window_, ProgramTitle, message);
    }
    return true;
}

// As with Open, the path follows only a save that happened.
void Dispatcher::SaveAs() {
    const std::optional<QString> path = AskSavePath();
    if (!path) {
        return;
    }
    if (const Result saved = document_.SaveAs(*path, DirtyBytesOption()); !saved) {
        ShowFailure(QStringLiteral("Could not save \"%1\"").arg(*path), saved);
        ShowAgain(ScopeKind::Path);
    }
}

bool Dispatcher::MayDiscardChanges() {
    if (!document_.IsModified()) {
        return true;
    }
    switch (environment_.AskSaveChanges(
        &window_, ProgramTitle,
        QStringLiteral("Save the changes to %1?").arg(document_.DisplayName()))) {
    case SaveChangesAnswer::Save:
        return Save();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace fontlathe
