// fontlathe-sample-game: writes a small game bundle whose fonts are the font files given, to try
// the game commands and the guides' examples on without a game. Each font lies in a room of its
// own after a script; fonts are numbered from 1 in the order given.
#include "BundleBuilder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const int version = args.value(0).toInt();
    if (args.size() < 3 || version < 5 || version > 7) {
        std::fputs("Usage: fontlathe-sample-game 5|6|7 FOLDER/NAME FONT.char...\n"
                   "Writes NAME.000 and NAME.001 (NAME.LA0 and NAME.LA1 for version 7).\n",
                   stderr);
        return 2;
    }
    fontlathe::test::BundleBuilder builder(version);
    for (int i = 2; i < args.size(); ++i) {
        QFile font(args[i]);
        if (!font.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(args[i]), qPrintable(font.errorString()));
            return 1;
        }
        builder.Room(i - 1).Add("SCRP", i - 1, 40).Font(i - 1, font.readAll());
    }
    const QFileInfo target(args[1]);
    const QString index = fontlathe::test::WriteBundleFiles(target.path(), target.fileName(),
                                                            version, builder.Build());
    if (index.isEmpty()) {
        std::fprintf(stderr, "%s: can't be written\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
