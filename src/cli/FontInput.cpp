#include "FontInput.h"

#include "BundleCommands.h"
#include "bundle/GameBundle.h"
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

std::optional<int> ReadFontChoice(const CliCommand& command, const ParsedArgs& parsed,
                                  QTextStream& err, bool allTaken, FontChoice& choice) {
    const auto value = parsed.Value(QStringLiteral("--font"));
    if (!value) {
        return std::nullopt;
    }
    if (!GameBundle::NamesGameFile(parsed.positionals.first())) {
        return UsageError(err, QStringLiteral("--font N names a font of a game's bundle; %1 is "
                                              "a font file")
                                   .arg(parsed.positionals.first()));
    }
    if (*value == QStringLiteral("all")) {
        if (!allTaken) {
            return UsageError(err, QStringLiteral("%1 reads one font: --font N").arg(command.name));
        }
        choice.all = true;
        return std::nullopt;
    }
    choice.number = ParseFontNumber(*value);
    if (!choice.number) {
        return UsageError(err, QStringLiteral("--font takes a font number (fontlathe-cli fonts "
                                              "GAME lists them)"));
    }
    return std::nullopt;
}

std::optional<Charset> LoadChosen(const ParsedArgs& parsed, const FontChoice& choice,
                                  QTextStream& err, QString& name, int& status,
                                  BlockLayout* layout) {
    Charset set;
    if (const Result loaded =
            LoadCommandFont(parsed.positionals.first(), choice.number, set, name, layout);
        !loaded) {
        status = Finish(loaded, err);
        return std::nullopt;
    }
    return set;
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
