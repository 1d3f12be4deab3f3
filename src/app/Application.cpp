#include "Application.h"

#include "charset/CharCodec.h"
#include "editor/NoGlyphIcon.h"
#include "gui/Environment.h"

#include <QFileInfo>

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
    QString failure;
    if (name.isEmpty()) {
        state_.fileType.SetPath(QStringLiteral("new"));
        state_.charset.NewCharset(1);
    } else {
        state_.fileType.SetPath(name);
        const QString path = state_.fileType.path();
        if (!QFileInfo::exists(path)) {
            // A name that does not exist yet is where Save will create the file.
            state_.charset.NewCharset(1);
        } else if (const FileResult loaded = LoadCharset(state_.charset, path); !loaded) {
            // A file that exists but was not understood must not be overwritten by a later Save.
            QString reason = loaded.reason();
            reason[0] = reason[0].toUpper();
            failure = QStringLiteral("Could not open \"%1\".\n\n%2.").arg(path, reason);
            state_.charset.NewCharset(1);
            state_.fileType.SetPath(QStringLiteral("new"));
        }
    }
    dispatcher_.RefreshAll(0);
    dispatcher_.RefreshHeader();
    window_.show();
    window_.CenterOnScreen();
    if (!failure.isEmpty()) {
        environment_.ShowError(&window_, QStringLiteral("Fontlathe 1.00"), failure);
    }
}

} // namespace fontlathe
