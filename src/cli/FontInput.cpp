#include "FontInput.h"

#include "charset/CharCodec.h"
#include "charset/FileAccess.h"
#include "text/FontFileCheck.h"

namespace fontlathe {

CommandOutcome LoadFontInput(const QString& path, Charset& set) {
    QString notAFont;
    const Result loaded = LoadNewCharset(path, set, &notAFont, SheetImportRoute::CommandLine);
    if (!notAFont.isEmpty()) {
        return CommandOutcome::Failure(QString(), notAFont);
    }
    if (!loaded) {
        return CommandOutcome::Failure(path, loaded.reason());
    }
    return CommandOutcome::Status(ExitSuccess);
}

CommandOutcome RefuseOutputOverInput(const QString& input, const QString& output) {
    if (!IsSameFile(input, output)) {
        return CommandOutcome::Status(ExitSuccess);
    }
    return CommandOutcome{
        ExitUsage, output,
        QStringLiteral("the output is the input file itself; nothing was written")};
}

} // namespace fontlathe
