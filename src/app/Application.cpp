#include "Application.h"

#include "ProgramTexts.h"
#include "charset/CharCodec.h"
#include "bundle/GameBundle.h"
#include "render/NoGlyphIcon.h"
#include "gui/Environment.h"

#include <QFileInfo>

#include <optional>

namespace fontlathe {

namespace {

AppState InitialState() {
    AppState state;
    state.noGlyphIcon = MakeNoGlyphIcon();
    return state;
}

} // namespace

Application::Application(Environment& environment)
    : environment_(environment), state_(InitialState()), window_(state_.charset),
      dispatcher_(state_, window_, environment_) {}

namespace {

const QString FontOption = QStringLiteral("--font");

} // namespace

QString Application::FileArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == FontOption) {
            ++i;
        } else if (!arguments[i].startsWith(QStringLiteral("-psn_"))) {
            return arguments[i];
        }
    }
    return QString();
}

std::optional<int> Application::FontArgument(const QStringList& arguments) {
    const qsizetype at = arguments.indexOf(FontOption);
    bool ok = false;
    const int number = at >= 1 && at + 1 < arguments.size() ? arguments[at + 1].toInt(&ok) : -1;
    return ok && number >= 0 ? std::optional(number) : std::nullopt;
}

void Application::Start(const QStringList& arguments) {
    const QString name = FileArgument(arguments);
    // A file named at start-up that could not be read, and why, or why the file read does not
    // look like a font: told once the window shows.
    std::optional<std::pair<QString, FileResult>> failure;
    QString notAFont;
    const std::optional<int> fontNumber = FontArgument(arguments);
    // With --font the name can only be a bundle's; without, its name says whether it is a
    // game's file, which the list then opens or refuses.
    const bool namesBundle = !name.isEmpty() && (fontNumber || GameBundle::NamesGameFile(name));
    std::optional<BundleResult> bundleFailure;
    if (name.isEmpty() || namesBundle) {
        state_.fileType.SetPath(QStringLiteral("new"));
        state_.charset.NewCharset(1);
        if (fontNumber) {
            if (BundleResult read = dispatcher_.ReadGameFont(name, *fontNumber); !read) {
                bundleFailure = read;
            }
        }
    } else {
        state_.fileType.SetPath(name);
        const QString path = state_.fileType.path();
        if (QFileInfo(name).isDir() || QFileInfo(path).isDir()) {
            // Taken for a font that does not exist yet, a folder would only be a puzzling name.
            failure.emplace(name, FileResult::Failure(QStringLiteral(
                                      "it is a folder, and a folder can't be opened; choose a "
                                      "font file in it with File > Open")));
            state_.charset.NewCharset(1);
            state_.fileType.SetPath(QStringLiteral("new"));
        } else if (!QFileInfo::exists(path)) {
            // A name that does not exist yet is where Save will create the file.
            state_.charset.NewCharset(1);
        } else if (const FileResult loaded = dispatcher_.ReadFontFile(path, notAFont); !loaded) {
            // A file that exists but was not understood must not be overwritten by a later Save.
            failure.emplace(path, loaded);
            state_.charset.NewCharset(1);
            state_.fileType.SetPath(QStringLiteral("new"));
        }
    }
    // A file or a game's font that was read came with its page; a new set takes the last one.
    if (!state_.pathIsOwnFile && !state_.gameFont) {
        dispatcher_.UseRememberedCodePage();
    }
    dispatcher_.RefreshAll(0);
    dispatcher_.RefreshHeader();
    window_.CenterOnScreen();
    window_.show();
    if (failure) {
        dispatcher_.ShowFailure(OpenFailureHeadline.arg(failure->first), failure->second);
    }
    if (!notAFont.isEmpty()) {
        dispatcher_.ShowNotAFont(notAFont);
    }
    if (bundleFailure) {
        dispatcher_.ShowBundleFailure(OpenFailureHeadline, *bundleFailure);
    }
    if (namesBundle && !fontNumber && dispatcher_.ChooseGameFont(name)) {
        dispatcher_.RefreshAll(0);
        dispatcher_.RefreshHeader();
    }
}

} // namespace fontlathe
