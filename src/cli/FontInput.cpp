#include "FontInput.h"

#include "charset/CharCodec.h"
#include "charset/FileAccess.h"
#include "text/FontFileCheck.h"

namespace fontlathe {

Result LoadFontInput(const QString& path, Charset& set, BlockLayout* layout) {
    QString notAFont;
    const Result loaded =
        LoadNewCharset(path, set, &notAFont, SheetImportRoute::CommandLine, layout);
    if (!notAFont.isEmpty()) {
        return Result::Failure(notAFont);
    }
    return loaded.At(path);
}

Result RefuseOutputOverInput(const QString& input, const QString& output) {
    if (!IsSameFile(input, output)) {
        return Result::Success();
    }
    return Result::Failure(ResultKind::SameFile,
                           QStringLiteral("the output is the input file itself; nothing was written"))
        .At(output);
}

} // namespace fontlathe
