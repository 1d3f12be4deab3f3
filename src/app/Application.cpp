#include "Application.h"

#include "ProgramTexts.h"
#include "charset/CharCodec.h"
#include "edit/NoGlyphIcon.h"
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

QString Application::FileArgument(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1)) {
        if (!argument.startsWith(QStringLiteral("-psn_"))) {
            return argument;
        }
    }
    return QString();
}

void Application::Start(const QStringList& arguments) {
    const QString name = FileArgument(arguments);
    // A file named at start-up that could not be read, and why, or why the file read does not
    // look like a font: told once the window shows.
    std::optional<std::pair<QString, FileResult>> failure;
    QString notAFont;
    if (name.isEmpty()) {
        state_.fileType.SetPath(QStringLiteral("new"));
        state_.charset.NewCharset(1);
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
    dispatcher_.UseRememberedCodePage();
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
}

} // namespace fontlathe
