// Built and run at configure time: the code pages come from Qt's conversion library, which
// knows the DOS and Windows pages only when Qt is built with ICU.
#include <QByteArray>
#include <QStringDecoder>

int main() {
    QStringDecoder dos("CP850");
    QStringDecoder windows("windows-1251");
    if (!dos.isValid() || !windows.isValid()) {
        return 1;
    }
    const QString e = dos.decode(QByteArray("\x82"));
    const QString a = windows.decode(QByteArray("\xC0"));
    return e == QString(QChar(0xE9)) && a == QString(QChar(0x410)) ? 0 : 1;
}
