#include "AppInfo.h"
#include "CliApp.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QFile>
#include <QTemporaryDir>

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
    // Run as root or outside a desktop session there is no runtime folder, and Qt would warn on
    // every run; a private one for this run keeps stderr for the command's own messages.
    std::unique_ptr<QTemporaryDir> runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtimeDir = std::make_unique<QTemporaryDir>();
        if (runtimeDir->isValid()) {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir->path()));
        }
    }
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
