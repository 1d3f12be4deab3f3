#include "CliArguments.h"

namespace fontlathe {

bool IsHelpOption(const QString& arg) {
    return arg == QStringLiteral("--help") || arg == QStringLiteral("-h");
}

ParseOutcome Parse(const QStringList& args, const CommandSyntax& syntax, const QString& shape) {
    ParsedArgs parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (syntax.valueOptions.contains(arg)) {
            if (i + 1 >= args.size()) {
                return {std::nullopt, false, QStringLiteral("%1 needs a value").arg(arg)};
            }
            if (parsed.values.count(arg) != 0 && !syntax.repeatable.contains(arg)) {
                return {std::nullopt, false, QStringLiteral("%1 is given twice").arg(arg)};
            }
            parsed.values[arg] = args.at(++i);
            if (syntax.repeatable.contains(arg)) {
                parsed.repeated[arg] << args.at(i);
            }
        } else if (syntax.flags.contains(arg)) {
            parsed.flags << arg;
        } else if (IsHelpOption(arg)) {
            return {std::nullopt, true, QString()};
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return {std::nullopt, false, QStringLiteral("unknown option \"%1\"").arg(arg)};
        } else {
            parsed.positionals << arg;
        }
    }
    if (parsed.positionals.size() < syntax.positionals ||
        parsed.positionals.size() > syntax.positionals + syntax.optionalPositionals) {
        return {std::nullopt, false, shape};
    }
    return {std::move(parsed), false, QString()};
}

int Fail(QTextStream& err, const QString& path, const QString& reason, int status) {
    err << "fontlathe-cli: " << (path.isEmpty() ? QString() : path + QStringLiteral(": ")) << reason
        << Qt::endl;
    return status;
}

int UsageError(QTextStream& err, const QString& problem, const QString& hint) {
    err << "fontlathe-cli: " << problem << "\nTry '" << hint << "'.\n";
    err.flush();
    return ExitUsage;
}

int Finish(const Result& result, QTextStream& err, int success) {
    if (result) {
        return success;
    }
    // An output over the input, or a font the game lacks, is a slip of the command line.
    const bool slip =
        result.kind() == ResultKind::SameFile || result.kind() == ResultKind::NoSuchFont;
    return Fail(err, result.path(), result.reason(), slip ? ExitUsage : ExitFailure);
}

std::optional<int> ReadGenerationStyle(const ParsedArgs& parsed, QTextStream& err,
                                       GenerationStyle& style) {
    const std::optional<GenerationStyle> named =
        GenerationStyleNamed(parsed.Value(QStringLiteral("--style"))
                                 .value_or(GenerationStyleName(GenerationStyle::Normal)));
    if (!named) {
        return UsageError(err, QStringLiteral("--style is ") + GenerationStyleNameList());
    }
    style = *named;
    return std::nullopt;
}

std::optional<int> ReadCodePage(const ParsedArgs& parsed, QTextStream& err, CodePage& page,
                                const QString& option) {
    const std::optional<QString> value = parsed.Value(option);
    if (!value) {
        return std::nullopt;
    }
    const Result chosen = CodePage::Choose(*value, page);
    if (chosen) {
        return std::nullopt;
    }
    if (CodePage::NamesMappingFile(*value)) {
        return Fail(err, *value, chosen.reason());
    }
    return UsageError(err, chosen.reason(), QStringLiteral("fontlathe-cli codepages"));
}

std::optional<int> ReadTextEncoding(const ParsedArgs& parsed, QTextStream& err,
                                    std::optional<CodePage>& encoding) {
    const QString option = QStringLiteral("--text-encoding");
    if (!parsed.Value(option)) {
        return std::nullopt;
    }
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page, option)) {
        return refused;
    }
    encoding = page;
    return std::nullopt;
}

} // namespace fontlathe
