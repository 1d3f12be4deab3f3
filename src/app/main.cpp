#include "AppInfo.h"
#include "Application.h"
#include "RuntimeFolder.h"
#include "gui/QtEnvironment.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <string_view>

namespace {

constexpr char Usage[] =
    "Usage: fontlathe [FILE]\n"
    "Edit the bitmap fonts (.char files) of SCUMM adventure games.\n"
    "\n"
    "FILE is the font to open; \".char\" is added to a name without an extension, and a\n"
    "file that does not exist yet is created there by Save.\n"
    "\n"
    "  -h, --help     print this text and exit\n"
    "  -v, --version  print the version and exit\n";

// Answered before the application object exists, so that both work where there is no display.
bool PrintedInformation(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(Usage, stdout);
            return true;
        }
        if (argument == "--version" || argument == "-v") {
            std::printf("fontlathe %s\n", fontlathe::AppVersion);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (PrintedInformation(argc, argv)) {
        return 0;
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
