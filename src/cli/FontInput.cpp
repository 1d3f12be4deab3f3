#include "FontInput.h"

#include "bundle/GameFont.h"
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

Result LoadCommandFont(const QString& path, std::optional<int> font, Charset& set, QString& name,
                       BlockLayout* layout) {
    if (!font) {
        name = path;
        return LoadFontInput(path, set, layout);
    }
    GameFont gameFont;
    if (Result loaded = GameFont::Load(path, *font, set, gameFont, layout); !loaded) {
        return loaded.At(path);
    }
    name = gameFont.DisplayName();
    return Result::Success();
}

Result RefuseOutputOverInput(const QString& input, const QString& output) {
    if (!IsSameFile(input, output)) {
        return Result::Success();
    }
    return Result::Failure(
               ResultKind::SameFile,
               QStringLiteral("the output is the input file itself; nothing was written"))
        .At(output);
}

} // namespace fontlathe
