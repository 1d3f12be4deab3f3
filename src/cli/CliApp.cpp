#include "CliApp.h"

#include "CharsetReport.h"
#include "CoverageReport.h"
#include "FontInput.h"
#include "SheetFiles.h"
#include "charset/CharCodec.h"
#include "charset/Charset.h"
#include "charset/FileAccess.h"
#include "edit/TextPreview.h"
#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>

#include <functional>
#include <map>
#include <optional>

namespace fontlathe {

namespace {

// What one command accepts: its flags, its options that take a value, and how many plain
// arguments.
struct CommandSyntax {
    QStringList flags;
    QStringList valueOptions;
    int positionals;
    int optionalPositionals = 0;
};

struct ParsedArgs {
    QStringList flags;
    std::map<QString, QString> values;
    QStringList positionals;

    bool Has(const QString& flag) const { return flags.contains(flag); }
    std::optional<QString> Value(const QString& option) const {
        const auto found = values.find(option);
        return found == values.end() ? std::nullopt : std::optional<QString>(found->second);
    }
};

// A parse gives the arguments, a request for help, or what is wrong with the command line.
struct ParseOutcome {
    std::optional<ParsedArgs> args;
    bool helpAsked = false;
    QString problem;
};

bool IsHelpOption(const QString& arg) {
    return arg == QStringLiteral("--help") || arg == QStringLiteral("-h");
}

// Help is asked only where an option may stand: the value of an option is taken as it is, even
// when it reads "-h".
ParseOutcome Parse(const QStringList& args, const CommandSyntax& syntax, const QString& shape) {
    ParsedArgs parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (syntax.valueOptions.contains(arg)) {
            if (i + 1 >= args.size()) {
                return {std::nullopt, false, QStringLiteral("%1 needs a value").arg(arg)};
            }
            if (parsed.values.count(arg) != 0) {
                return {std::nullopt, false, QStringLiteral("%1 is given twice").arg(arg)};
            }
            parsed.values[arg] = args.at(++i);
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

// path is empty when the reason names the file itself.
int Fail(QTextStream& err, const QString& path, const QString& reason, int status = ExitFailure) {
    err << "fontlathe-cli: " << (path.isEmpty() ? QString() : path + QStringLiteral(": ")) << reason
        << Qt::endl;
    return status;
}

int UsageError(QTextStream& err, const QString& problem) {
    err << "fontlathe-cli: " << problem << "\nTry 'fontlathe-cli --help'.\n";
    err.flush();
    return ExitUsage;
}

int PrintUsage(QTextStream& stream, int status) {
    stream << CliUsage();
    stream.flush();
    return status;
}

int Finish(const CommandOutcome& outcome, QTextStream& err) {
    return outcome.failed() ? Fail(err, outcome.path, outcome.reason, outcome.status)
                            : outcome.status;
}

std::optional<Charset> Load(const QString& path, QTextStream& err) {
    Charset set;
    if (const CommandOutcome loaded = LoadFontInput(path, set); loaded.failed()) {
        Finish(loaded, err);
        return std::nullopt;
    }
    return set;
}

DirtyBytes DirtyBytesOf(const ParsedArgs& parsed) {
    return parsed.Has(QStringLiteral("--dirty-bytes")) ? DirtyBytes::On : DirtyBytes::Off;
}

int RunInfo(const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    const QString& path = parsed.positionals.first();
    const std::optional<Charset> set = Load(path, err);
    if (!set) {
        return ExitFailure;
    }
    if (parsed.Has(QStringLiteral("--json"))) {
        out << QString::fromUtf8(CharsetToJson(*set));
    } else {
        out << DescribeCharset(*set, path);
    }
    out.flush();
    return ExitSuccess;
}

int RunResave(const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    // Scripts written before -o name the output as a second word.
    const auto option = parsed.Value(QStringLiteral("-o"));
    if (option.has_value() == (parsed.positionals.size() == 2)) {
        return UsageError(err, QStringLiteral("resave takes IN and either -o OUT or OUT"));
    }
    const QString& input = parsed.positionals.at(0);
    const QString output = option.value_or(parsed.positionals.value(1));
    std::optional<Charset> set = Load(input, err);
    if (!set) {
        return ExitFailure;
    }
    if (const FileResult saved = SaveCharset(*set, output, DirtyBytesOf(parsed)); !saved) {
        return Fail(err, output, saved.reason());
    }
    return ExitSuccess;
}

int RunRender(const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    if (!parsed.Value(QStringLiteral("-o"))) {
        return UsageError(err, QStringLiteral("render takes FILE and -o OUT.png"));
    }
    int zoom = 2;
    if (const auto text = parsed.Value(QStringLiteral("--zoom"))) {
        bool ok = false;
        zoom = text->toInt(&ok);
        if (!ok || zoom < 1 || zoom > 6) {
            return UsageError(err, QStringLiteral("--zoom takes a whole number from 1 to 6"));
        }
    }
    QSize size = PreviewSize;
    if (const auto text = parsed.Value(QStringLiteral("--size"))) {
        static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
        const QRegularExpressionMatch match = pattern.match(*text);
        size = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt())
                                : QSize();
        if (size.width() < 1 || size.height() < 1 || size.width() > 8192 || size.height() > 8192) {
            return UsageError(err, QStringLiteral("--size takes WIDTHxHEIGHT, each 1 to 8192"));
        }
    }
    const QString& input = parsed.positionals.first();
    const QString output = *parsed.Value(QStringLiteral("-o"));
    if (const CommandOutcome refused = RefuseOutputOverInput(input, output); refused.failed()) {
        return Finish(refused, err);
    }
    const std::optional<Charset> set = Load(input, err);
    if (!set) {
        return ExitFailure;
    }
    const QString text = parsed.Value(QStringLiteral("--text")).value_or(SampleText);
    const QImage preview = RenderPreview(*set, text, zoom, size);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!preview.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG")) {
        return Fail(err, output, QStringLiteral("the image can't be made"));
    }
    if (const FileResult written = WriteWholeFile(output, png); !written) {
        return Fail(err, output, QStringLiteral("the image can't be written: ") + written.reason());
    }
    return ExitSuccess;
}

int RunGenerate(const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    if (!parsed.Value(QStringLiteral("--family")) || !parsed.Value(QStringLiteral("--size")) ||
        !parsed.Value(QStringLiteral("-o"))) {
        return UsageError(err,
                          QStringLiteral("generate takes --family NAME --size N and -o OUT.char"));
    }
    GenerationFont font;
    font.familyName = *parsed.Value(QStringLiteral("--family"));
    bool sizeOk = false;
    font.size = parsed.Value(QStringLiteral("--size"))->toInt(&sizeOk);
    if (!sizeOk || font.size < MinGenerationSize || font.size > MaxGenerationSize) {
        return UsageError(err, QStringLiteral("--size takes a whole number of points from %1 to "
                                              "%2; a glyph is at most 127 pixels a side")
                                   .arg(MinGenerationSize)
                                   .arg(MaxGenerationSize));
    }
    font.styleFlags = (parsed.Has(QStringLiteral("--bold")) ? GenerationFont::Bold : 0) |
                      (parsed.Has(QStringLiteral("--italic")) ? GenerationFont::Italic : 0);
    const std::map<QString, GenerationStyle> styles = {
        {QStringLiteral("normal"), GenerationStyle::Normal},
        {QStringLiteral("shadowed"), GenerationStyle::Shadowed},
        {QStringLiteral("outlined"), GenerationStyle::Outlined},
    };
    const auto style =
        styles.find(parsed.Value(QStringLiteral("--style")).value_or(QStringLiteral("normal")));
    if (style == styles.end()) {
        return UsageError(err, QStringLiteral("--style is normal, shadowed or outlined"));
    }
    Charset set;
    set.NewCharset(1);
    const QFont drawingFont = MakeDrawingFont(font);
    if (const FileResult generated = GenerateCharset(set, drawingFont, style->second); !generated) {
        return Fail(err, font.familyName, generated.reason());
    }
    // The fallback stays, but the user learns which family the set was drawn with.
    if (const std::optional<QString> used = SubstitutedFamily(drawingFont, font.familyName)) {
        err << font.familyName << " is not installed; drew with " << *used << Qt::endl;
    }
    const QString output = *parsed.Value(QStringLiteral("-o"));
    if (const FileResult saved = SaveCharset(set, output, DirtyBytesOf(parsed)); !saved) {
        return Fail(err, output, saved.reason());
    }
    return ExitSuccess;
}

int RunExport(const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    if (!parsed.Value(QStringLiteral("-o"))) {
        return UsageError(err, QStringLiteral("export takes FILE.char and -o SHEET.png"));
    }
    std::optional<QSize> cell;
    if (const auto text = parsed.Value(QStringLiteral("--cell"))) {
        cell = ParseCellSize(*text);
        if (!cell) {
            return UsageError(err, QStringLiteral("--cell takes WIDTHxHEIGHT, each 1 to 127"));
        }
    }
    return Finish(
        ExportSheetFile(parsed.positionals.first(), cell, *parsed.Value(QStringLiteral("-o"))),
        err);
}

int RunImport(const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    if (!parsed.Value(QStringLiteral("-o"))) {
        return UsageError(err, QStringLiteral("import takes SHEET.png and -o FILE.char"));
    }
    return Finish(ImportSheetFile(parsed.positionals.first(), DirtyBytesOf(parsed),
                                  *parsed.Value(QStringLiteral("-o"))),
                  err);
}

int RunCoverage(const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    const auto inlineText = parsed.Value(QStringLiteral("--text"));
    const auto textFile = parsed.Value(QStringLiteral("--text-file"));
    if (inlineText.has_value() == textFile.has_value()) {
        return UsageError(err, QStringLiteral("coverage takes either --text TEXT or "
                                              "--text-file PATH"));
    }
    const CoverageText text = inlineText ? CoverageText{CoverageText::Kind::Inline, *inlineText}
                                         : CoverageText{CoverageText::Kind::File, *textFile};
    const ReportStyle style =
        parsed.Has(QStringLiteral("--json")) ? ReportStyle::Json : ReportStyle::Table;
    return Finish(ReportCoverage(parsed.positionals.first(), text, style, out), err);
}

} // namespace

QString CliUsage() {
    return QStringLiteral(
        "Usage: fontlathe-cli COMMAND [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  info [--json] FILE               show the header and the stored glyphs of FILE\n"
        "  resave IN -o OUT [--dirty-bytes] load IN and save it as OUT (OUT may also follow\n"
        "                                   IN as a plain second word)\n"
        "  render FILE [--text TEXT] [--zoom S] [--size WxH] -o OUT.png\n"
        "                                   draw TEXT with the font as the editor's preview\n"
        "                                   does (default: the sample text, zoom 2, 600x70)\n"
        "  generate --family NAME --size N [--bold] [--italic]\n"
        "           [--style normal|shadowed|outlined] [--dirty-bytes] -o OUT.char\n"
        "                                   draw codes 32 to 255 of an installed font into\n"
        "                                   a new set, as the editor's Generate commands do;\n"
        "                                   N is 1 to 100 points, one pixel a point\n"
        "  export FILE.char [--cell WxH] -o SHEET.png\n"
        "                                   write every glyph into one PNG sheet of 16 x 16\n"
        "                                   cells for a paint program (default cell: the\n"
        "                                   largest glyph plus 4)\n"
        "  import SHEET.png [--dirty-bytes] -o FILE.char\n"
        "                                   read a sheet back into a font file\n"
        "  coverage FILE.char (--text TEXT | --text-file PATH) [--json]\n"
        "                                   list the characters of a UTF-8 text that the\n"
        "                                   font lacks, with their counts and why\n"
        "\n"
        "Options:\n"
        "  --json         print one JSON object instead of the table\n"
        "  --dirty-bytes  add a 0x00 byte after every glyph that fills whole bytes,\n"
        "                 as the game maker's own files do\n"
        "  --help         show this text\n"
        "  --version      show the version\n"
        "\n"
        "Exit status: 0 on success, 1 when a file can't be read, is refused or can't be\n"
        "written, 2 for wrong arguments (an output that is the input file among them),\n"
        "3 when coverage finds characters missing.\n");
}

bool CliNeedsFonts(const QStringList& args) {
    return !args.isEmpty() && args.first() == QStringLiteral("generate");
}

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty()) {
        return PrintUsage(err, ExitUsage);
    }
    if (IsHelpOption(args.first())) {
        return PrintUsage(out, ExitSuccess);
    }
    using Runner = std::function<int(const ParsedArgs&, QTextStream&, QTextStream&)>;
    struct Command {
        CommandSyntax syntax;
        QString shape;
        Runner run;
    };
    const std::map<QString, Command> commands = {
        {QStringLiteral("info"),
         {{{QStringLiteral("--json")}, {}, 1},
          QStringLiteral("info takes one FILE and an optional --json"),
          RunInfo}},
        {QStringLiteral("resave"),
         {{{QStringLiteral("--dirty-bytes")}, {QStringLiteral("-o")}, 1, 1},
          QStringLiteral("resave takes IN and -o OUT and an optional --dirty-bytes"),
          RunResave}},
        {QStringLiteral("render"),
         {{{},
           {QStringLiteral("--text"), QStringLiteral("--zoom"), QStringLiteral("--size"),
            QStringLiteral("-o")},
           1},
          QStringLiteral("render takes FILE and -o OUT.png"),
          RunRender}},
        {QStringLiteral("generate"),
         {{{QStringLiteral("--bold"), QStringLiteral("--italic"), QStringLiteral("--dirty-bytes")},
           {QStringLiteral("--family"), QStringLiteral("--size"), QStringLiteral("--style"),
            QStringLiteral("-o")},
           0},
          QStringLiteral("generate takes --family NAME --size N and -o OUT.char"),
          RunGenerate}},
        {QStringLiteral("export"),
         {{{}, {QStringLiteral("--cell"), QStringLiteral("-o")}, 1},
          QStringLiteral("export takes FILE.char and -o SHEET.png"),
          RunExport}},
        {QStringLiteral("import"),
         {{{QStringLiteral("--dirty-bytes")}, {QStringLiteral("-o")}, 1},
          QStringLiteral("import takes SHEET.png and -o FILE.char"),
          RunImport}},
        {QStringLiteral("coverage"),
         {{{QStringLiteral("--json")},
           {QStringLiteral("--text"), QStringLiteral("--text-file")},
           1},
          QStringLiteral("coverage takes FILE.char and --text TEXT or --text-file PATH"),
          RunCoverage}},
    };
    const auto command = commands.find(args.first());
    if (command == commands.end()) {
        return UsageError(err, QStringLiteral("unknown command \"%1\"").arg(args.first()));
    }
    const ParseOutcome parsed = Parse(args.mid(1), command->second.syntax, command->second.shape);
    if (parsed.helpAsked) {
        return PrintUsage(out, ExitSuccess);
    }
    if (!parsed.args) {
        return UsageError(err, parsed.problem);
    }
    return command->second.run(*parsed.args, out, err);
}

} // namespace fontlathe
