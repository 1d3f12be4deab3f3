#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Fontlathe 1.00"));
    window.setCentralWidget(
        new QLabel(QStringLiteral("The editor window is on its way."), &window));
    window.resize(910, 650);
    window.show();
    return QApplication::exec();
}
