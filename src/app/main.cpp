#include "Application.h"
#include "gui/QtEnvironment.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    fontlathe::QtEnvironment environment;
    fontlathe::Application application(environment);
    QObject::connect(&application.dispatcher(), &fontlathe::Dispatcher::quitRequested,
                     &qtApplication, [] { QCoreApplication::exit(0); });
    application.Start(QCoreApplication::arguments());
    return QApplication::exec();
}
