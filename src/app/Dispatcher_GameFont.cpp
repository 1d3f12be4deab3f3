// The fonts inside a game's bundle: File > Open Game Font, saving one back in place, and the
// names a game's font goes by in the title, the questions and Open Recent.
#include "Dispatcher.h"
#include "GameFontEntry.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "bundle/GameBundle.h"
#include "gui/Environment.h"

#include <QDir>
#include <QFileInfo>

namespace fontlathe {

namespace {

// Games on CD often carry upper-case names, copies on a disk lower-case ones.
const QString BundlePattern = QStringLiteral(
    "Game Resource Bundle (*.000;*.001;*.LA0;*.LA1;*.HE0;*.HE1;*.la0;*.la1;*.he0;*.he1)|"
    "*.000;*.001;*.LA0;*.LA1;*.HE0;*.HE1;*.la0;*.la1;*.he0;*.he1");

// The font file that Save As suggests for a game's font: beside the bundle, "GAME-font2.char".
QString SuggestedFontPath(const GameFont& font) {
    const QFileInfo data(font.dataPath());
    return data.absoluteDir().filePath(
        QStringLiteral("%1-font%2.char").arg(data.completeBaseName()).arg(font.number()));
}

} // namespace

// The path becomes the suggested font file, which this run did not write: a Save As to it asks
// before replacing one that is there.
BundleResult Dispatcher::ReadGameFont(const QString& path, int number) {
    Charset loaded;
    GameFont font;
    if (BundleResult read = GameFont::Load(path, number, loaded, font); !read) {
        return read;
    }
    AdoptReadSet(std::move(loaded), SuggestedFontPath(font), font);
    state_.pathIsOwnFile = false;
    state_.pathHoldsFont = true;
    RememberFile(CurrentFileKey());
    UseRememberedCodePage();
    return BundleResult::Success();
}

bool Dispatcher::LoadGameFont(const QString& path, int number, const QString& failureHeadline) {
    if (const BundleResult read = ReadGameFont(path, number); !read) {
        ShowBundleFailure(failureHeadline, read);
        return false;
    }
    return true;
}

bool Dispatcher::ChooseGameFont(const QString& path) {
    GameBundle bundle;
    if (const BundleResult opened = GameBundle::Open(path, bundle); !opened) {
        ShowBundleFailure(OpenFailureHeadline, opened);
        return false;
    }
    const QString name = QFileInfo(bundle.paths().data).fileName();
    if (bundle.fonts().empty()) {
        environment_.ShowInformation(
            &window_, ProgramTitle,
            QStringLiteral("%1 holds no font: its charset directory names none.").arg(name));
        return false;
    }
    QList<QStringList> rows;
    for (const BundleFont& font : bundle.fonts()) {
        rows.append({QString::number(font.number), QString::number(font.room),
                     QString::number(font.bitsPerPixel), QString::number(font.fontHeight),
                     QString::number(font.numChars)});
    }
    const std::optional<int> chosen = environment_.AskGameFont(
        &window_, QStringLiteral("Fonts of %1").arg(name),
        {QStringLiteral("Font"), QStringLiteral("Room"), QStringLiteral("Bits per pixel"),
         QStringLiteral("Height"), QStringLiteral("Codes")},
        rows);
    if (!chosen || *chosen < 0 || *chosen >= rows.size()) {
        return false;
    }
    return LoadGameFont(bundle.paths().data, bundle.fonts()[std::size_t(*chosen)].number,
                        OpenFailureHeadline);
}

bool Dispatcher::OpenGameFont() {
    if (!MayDiscardChanges()) {
        return false;
    }
    const QString path = environment_.AskOpenFileName(&window_, QStringLiteral("Open Game Font"),
                                                      RequesterFolder(), BundlePattern);
    return !path.isEmpty() && ChooseGameFont(path);
}

bool Dispatcher::SaveGameFont() {
    QString message;
    if (const BundleResult saved =
            state_.gameFont->Save(state_.charset, DirtyBytesOption(), message);
        !saved) {
        ShowBundleFailure(QStringLiteral("Could not save \"%1\""), saved);
        return false;
    }
    history_.MarkClean();
    RememberFile(CurrentFileKey());
    environment_.ShowInformation(&window_, ProgramTitle, message);
    return true;
}

void Dispatcher::ShowBundleFailure(const QString& headline, const BundleResult& result) {
    ShowFailure(headline.arg(result.path().isEmpty() ? CurrentName() : result.path()),
                FileResult::Failure(result.reason()));
}

QString Dispatcher::CurrentName() const {
    return state_.gameFont ? state_.gameFont->DisplayName() : state_.fileType.path();
}

QString Dispatcher::CurrentFileKey() const {
    if (state_.gameFont) {
        return GameFontEntry{state_.gameFont->dataPath(), state_.gameFont->number()}.Text();
    }
    return state_.pathIsOwnFile ? state_.fileType.path() : QString();
}

} // namespace fontlathe
