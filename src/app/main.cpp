#include "AppInfo.h"
#include "Application.h"
#include "EditorOptions.h"
#include "RuntimeFolder.h"
#include "gui/QtEnvironment.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <string_view>

namespace {

// Answered before the application object exists, so that both work where there is no display.
bool PrintedInformation(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(fontlathe::EditorUsage().c_str(), stdout);
            return true;
        }
        if (argument == "--version" || argument == "-v") {
            std::printf("fontlathe %s\n", fontlathe::AppVersion);
            return true;
        }
    }
    return false;
}

// A --font without a number is a usage error, told before any window opens.
bool FontOptionIsValid(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) != "--font") {
            continue;
        }
        const std::string_view number = i + 1 < argc ? argv[i + 1] : "";
        if (number.empty() || number.size() > 5 ||
            number.find_first_not_of("0123456789") != std::string_view::npos) {
            std::fputs("fontlathe: --font needs a font number, such as --font 2\n", stderr);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (PrintedInformation(argc, argv)) {
        return 0;
    }
    if (!FontOptionIsValid(argc, argv)) {
        return 2;
    }
    const auto runtimeFolder = fontlathe::ProvideRuntimeFolder();
    QApplication qtApplication(argc, argv);
    // The home of the settings, such as the recent files.
    QApplication::setOrganizationName(QStringLiteral("Fontlathe"));
    QApplication::setApplicationName(QStringLiteral("Fontlathe"));
    QApplication::setApplicationVersion(QString::fromLatin1(fontlathe::AppVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(fontlathe::AppId));
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(fontlathe::AppId)));
    fontlathe::QtEnvironment environment;
    fontlathe::Application application(environment);
    QObject::connect(&application.dispatcher(), &fontlathe::Dispatcher::quitRequested,
                     &qtApplication, [] { QCoreApplication::exit(0); });
    application.Start(QCoreApplication::arguments());
    return QApplication::exec();
}
