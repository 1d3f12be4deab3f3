// fontlathe-manual cli|editor TEMPLATE OUTPUT writes the manual page of fontlathe-cli or of the
// editor: the template with its marked lines replaced by the parts written from the programs'
// own help texts, so that the page names every command and option they know. The build runs it
// (data/CMakeLists.txt); it is not installed.
#include "CliManual.h"
#include "EditorOptions.h"
#include "charset/FileAccess.h"

#include <QFile>

#include <cstdio>

namespace {

std::map<QString, QString> EditorManualParts() {
    std::vector<fontlathe::OptionHelp> options;
    for (const fontlathe::EditorOption& option : fontlathe::EditorOptions) {
        options.push_back({QString::fromUtf8(option.names), QString::fromUtf8(option.value),
                           QString::fromUtf8(option.text)});
    }
    return {{QStringLiteral("options"), fontlathe::RoffOptions(options)}};
}

int Failure(const QString& path, const QString& reason) {
    std::fprintf(stderr, "fontlathe-manual: %s: %s\n", qPrintable(path), qPrintable(reason));
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const QString page = argc == 4 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (page != QStringLiteral("cli") && page != QStringLiteral("editor")) {
        std::fputs("Usage: fontlathe-manual cli|editor TEMPLATE OUTPUT\n", stderr);
        return 2;
    }
    const QString templatePath = QString::fromLocal8Bit(argv[2]);
    const QString outputPath = QString::fromLocal8Bit(argv[3]);
    QFile input(templatePath);
    if (!input.open(QIODevice::ReadOnly)) {
        return Failure(templatePath, input.errorString());
    }
    QString problem;
    const std::optional<QString> filled = fontlathe::FillManual(
        QString::fromUtf8(input.readAll()),
        page == QStringLiteral("cli") ? fontlathe::CliManualParts() : EditorManualParts(), problem);
    if (!filled) {
        return Failure(templatePath, problem);
    }
    // Written beside and read back before it replaces the page, so a failed write leaves no
    // partial page that the next build would take as done.
    if (const fontlathe::Result written = fontlathe::WriteWholeFile(outputPath, filled->toUtf8());
        !written) {
        return Failure(outputPath, written.reason());
    }
    return 0;
}
