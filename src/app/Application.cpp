#include "Application.h"

#include "ProgramTexts.h"
#include "charset/CharCodec.h"
#include "gui/Environment.h"
#include "render/NoGlyphIcon.h"

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
    : environment_(environment), state_(InitialState()), window_(document_.set()),
      dispatcher_(document_, state_, window_, environment_) {}

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
    const std::optional<int> fontNumber = FontArgument(arguments);
    const Document::StartOutcome start = document_.Start(name, fontNumber);
    window_.CenterOnScreen();
    window_.show();
    if (start.failure) {
        dispatcher_.ShowFailure(OpenFailureHeadline.arg(start.failure->first),
                                start.failure->second);
    }
    if (!start.notAFont.isEmpty()) {
        dispatcher_.ShowNotAFont(start.notAFont);
    }
    if (start.bundleFailure) {
        dispatcher_.ShowBundleFailure(OpenFailureHeadline, *start.bundleFailure);
    }
    if (start.listBundle) {
        dispatcher_.ChooseGameFont(name);
    }
}

} // namespace fontlathe
