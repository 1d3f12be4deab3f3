#include "AppInfo.h"
#include "CliApp.h"
#include "RuntimeFolder.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

int main(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    if (args == QStringList{QStringLiteral("--version")}) {
        QTextStream(stdout) << "fontlathe-cli " << fontlathe::AppVersion << Qt::endl;
        return fontlathe::ExitSuccess;
    }
    const auto runtimeFolder = fontlathe::ProvideRuntimeFolder();
    // Fonts need a GUI application, which on a machine without a display runs offscreen.
    std::unique_ptr<QCoreApplication> application;
    if (fontlathe::CliNeedsFonts(args)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    return fontlathe::RunCli(args, out, err);
}
