// The fonts inside a game's bundle: File > Open Game Font and the list of a bundle's fonts.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "bundle/GameBundle.h"
#include "document/Document.h"
#include "gui/Environment.h"
#include "render/TextPreview.h"

#include <algorithm>

#include <QFileInfo>

namespace fontlathe {

namespace {

// Games on CD often carry upper-case names, copies on a disk lower-case ones.
const QString BundleFiles = QStringLiteral(
    "*.000;*.001;*.LA0;*.LA1;*.HE0;*.HE1;*.SM0;*.SM1;*.la0;*.la1;*.he0;*.he1;*.sm0;*.sm1");
const QString BundlePattern = QStringLiteral("Game Resource Bundle (%1)|%1").arg(BundleFiles);

// The first line of the sample text drawn in the font as the preview draws it, so that the
// dialogue font and the verb font are told apart at a glance; blank for a font that can't be read.
QImage GameFontSample(const GameBundle& bundle, const BundleFont& font) {
    Charset set;
    set.NewCharset(1);
    DecodeCharset(bundle.FontBlock(font), set);
    const int height = std::clamp(int(set.fontHeight()) + 8, 12, 72);
    return RenderPreview(set, SampleText.section(u'\r', 0, 0), 1, QSize(320, height));
}

} // namespace

bool Dispatcher::LoadGameFont(const QString& path, int number, const QString& failureHeadline) {
    if (const Result read = document_.OpenGameFont(path, number); !read) {
        ShowBundleFailure(failureHeadline, read);
        return false;
    }
    // The font was read as a write cut short left the game; opening it writes nothing there.
    if (const QString& pending = document_.gameFont()->pendingWrite(); !pending.isEmpty()) {
        environment_.ShowInformation(&window_, ProgramTitle, pending);
    }
    return true;
}

bool Dispatcher::ChooseGameFont(const QString& path) {
    GameBundle bundle;
    if (const Result opened = GameBundle::Open(path, bundle); !opened) {
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
    QList<QImage> samples;
    for (const BundleFont& font : bundle.fonts()) {
        rows.append({QString::number(font.number), QString::number(font.room),
                     QString::number(font.bitsPerPixel), QString::number(font.fontHeight),
                     QString::number(font.numChars)});
        samples.append(GameFontSample(bundle, font));
    }
    const std::optional<int> chosen = environment_.AskGameFont(
        &window_, QStringLiteral("Fonts of %1").arg(name),
        {QStringLiteral("Font"), QStringLiteral("Room"), QStringLiteral("Bits per pixel"),
         QStringLiteral("Height"), QStringLiteral("Codes")},
        rows, samples);
    if (!chosen || *chosen < 0 || *chosen >= rows.size()) {
        return false;
    }
    return LoadGameFont(bundle.paths().data, bundle.fonts()[std::size_t(*chosen)].number,
                        OpenFailureHeadline);
}

void Dispatcher::OpenGameFont() {
    if (!MayDiscardChanges()) {
        return;
    }
    const QString path = environment_.AskOpenFileName(&window_, QStringLiteral("Open Game Font"),
                                                      document_.RequesterFolder(), BundlePattern);
    if (!path.isEmpty()) {
        ChooseGameFont(path);
    }
}

void Dispatcher::ShowBundleFailure(const QString& headline, const Result& result) {
    ShowFailure(headline.arg(result.path().isEmpty() ? document_.DisplayName() : result.path()),
                result);
}

} // namespace fontlathe
