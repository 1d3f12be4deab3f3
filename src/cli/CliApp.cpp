#include "CliApp.h"

#include "AddLettersCommand.h"
#include "BundleCommands.h"
#include "CharsetReport.h"
#include "CliArguments.h"
#include "CoverageReport.h"
#include "FontInput.h"
#include "SheetFiles.h"
#include "charset/CharCodec.h"
#include "charset/Charset.h"
#include "text/CodePage.h"
#include "charset/FileAccess.h"
#include "render/TextPreview.h"
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

int PrintUsage(QTextStream& stream, int status) {
    stream << CliUsage();
    stream.flush();
    return status;
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

const QString CodePageOption = QStringLiteral("--codepage");

// Reads --codepage into page (latin1 without it). On failure, the status to end with: a name
// that is no page is a usage error, a mapping file that can't be read the file's failure.
std::optional<int> ReadCodePage(const ParsedArgs& parsed, QTextStream& err, CodePage& page) {
    const std::optional<QString> value = parsed.Value(CodePageOption);
    if (!value) {
        return std::nullopt;
    }
    const FileResult chosen = CodePage::Choose(*value, page);
    if (chosen) {
        return std::nullopt;
    }
    if (CodePage::NamesMappingFile(*value)) {
        return Fail(err, *value, chosen.reason());
    }
    return UsageError(err, chosen.reason(), QStringLiteral("fontlathe-cli codepages"));
}

int RunCodePages(const ParsedArgs&, QTextStream& out, QTextStream&) {
    for (const CodePageInfo& page : KnownCodePages()) {
        out << QStringLiteral("%1 %2 %3\n").arg(page.name, -12).arg(page.script, -10).arg(
            page.description);
    }
    out.flush();
    return ExitSuccess;
}

std::optional<int> FontNumberOf(const ParsedArgs& parsed) {
    return ParseFontNumber(parsed.Value(QStringLiteral("--font")).value_or(QString()));
}

int RunFonts(const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    const ReportStyle style =
        parsed.Has(QStringLiteral("--json")) ? ReportStyle::Json : ReportStyle::Table;
    return Finish(ListBundleFonts(parsed.positionals.first(), style, out), err);
}

int RunExtract(const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    const std::optional<int> font = FontNumberOf(parsed);
    const std::optional<QString> output = parsed.Value(QStringLiteral("-o"));
    if (!font || !output) {
        return UsageError(err, QStringLiteral("extract takes GAME, --font N and -o OUT.char"));
    }
    return Finish(ExtractBundleFont(parsed.positionals.first(), *font, *output), err);
}

int RunInsert(const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    const std::optional<int> font = FontNumberOf(parsed);
    if (!font) {
        return UsageError(err, QStringLiteral("insert takes GAME, --font N and IN.char"));
    }
    return Finish(InsertBundleFont(parsed.positionals.at(0), *font, parsed.positionals.at(1), out),
                  err);
}

int RunInfo(const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page)) {
        return *refused;
    }
    const QString& path = parsed.positionals.first();
    const std::optional<Charset> set = Load(path, err);
    if (!set) {
        return ExitFailure;
    }
    if (parsed.Has(QStringLiteral("--json"))) {
        out << QString::fromUtf8(CharsetToJson(*set));
    } else {
        out << DescribeCharset(*set, path, page);
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
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page)) {
        return *refused;
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
    const QImage preview = RenderPreview(*set, text, zoom, size, MissingMarks::Hidden, page);
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
    GenerationStyle style = GenerationStyle::Normal;
    if (const std::optional<int> refused = ReadGenerationStyle(parsed, err, style)) {
        return *refused;
    }
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page)) {
        return *refused;
    }
    Charset set;
    set.NewCharset(1);
    const QFont drawingFont = MakeDrawingFont(font);
    if (const FileResult generated = GenerateCharset(set, drawingFont, style, page);
        !generated) {
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
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page)) {
        return *refused;
    }
    return Finish(ExportSheetFile(parsed.positionals.first(), cell,
                                  *parsed.Value(QStringLiteral("-o")), page),
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
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page)) {
        return *refused;
    }
    return Finish(ReportCoverage(parsed.positionals.first(), text, style, out, page), err);
}

} // namespace

QString CliUsage() {
    return QStringLiteral(
        "Usage: fontlathe-cli COMMAND [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  info [--json] [--codepage P] FILE\n"
        "                                   show the header and the stored glyphs of FILE\n"
        "  resave IN -o OUT [--dirty-bytes] load IN and save it as OUT (OUT may also follow\n"
        "                                   IN as a plain second word)\n"
        "  render FILE [--text TEXT] [--zoom S] [--size WxH] [--codepage P] -o OUT.png\n"
        "                                   draw TEXT with the font as the editor's preview\n"
        "                                   does (default: the sample text, zoom 2, 600x70)\n"
        "  generate --family NAME --size N [--bold] [--italic]\n"
        "           [--style normal|shadowed|outlined] [--codepage P] [--dirty-bytes]\n"
        "           -o OUT.char\n"
        "                                   draw codes 32 to 255 of an installed font into\n"
        "                                   a new set, as the editor's Generate commands do;\n"
        "                                   N is 1 to 100 points, one pixel a point\n"
        "  export FILE.char [--cell WxH] [--codepage P] -o SHEET.png\n"
        "                                   write every glyph into one PNG sheet of 16 x 16\n"
        "                                   cells for a paint program (default cell: the\n"
        "                                   largest glyph plus 4)\n"
        "  import SHEET.png [--dirty-bytes] -o FILE.char\n"
        "                                   read a sheet back into a font file\n"
        "  coverage FILE.char (--text TEXT | --text-file PATH) [--json] [--codepage P]\n"
        "                                   list the characters of a UTF-8 text that the\n"
        "                                   font lacks, with their counts and why\n"
        "  codepages                        list the code pages --codepage knows\n"
        "  fonts GAME [--json]              list the fonts inside a game's bundle (GAME:\n"
        "                                   either file, NAME.000/.001, .LA0/.LA1, .HE0/.HE1)\n"
        "  extract GAME --font N -o OUT.char\n"
        "                                   write font N of the bundle as a font file\n"
        "  insert GAME --font N IN.char     put a font file back in place of font N\n"
        "  add-letters (FONT.char -o OUT.char | GAME --font N|all) --codepage P\n"
        "           [--from-page P] (--text T | --text-file F | --all) [--draw-with FAMILY]\n"
        "           [--style normal|shadowed|outlined] [--dry-run] [--json]\n"
        "                                   add the letters page P needs to the font, each in\n"
        "                                   the font's own style, and tell how each was made\n"
        "\n"
        "Options:\n"
        "  --json         print one JSON object instead of the table\n"
        "  --codepage P   read codes through code page P (a name, or a mapping file: a\n"
        "                 value with a \"/\" or ending in \".txt\"); latin1 without it\n"
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
    return !args.isEmpty() && (args.first() == QStringLiteral("generate") ||
                               args.first() == QStringLiteral("add-letters"));
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
         {{{QStringLiteral("--json")}, {CodePageOption}, 1},
          QStringLiteral("info takes one FILE and an optional --json"),
          RunInfo}},
        {QStringLiteral("resave"),
         {{{QStringLiteral("--dirty-bytes")}, {QStringLiteral("-o")}, 1, 1},
          QStringLiteral("resave takes IN and -o OUT and an optional --dirty-bytes"),
          RunResave}},
        {QStringLiteral("render"),
         {{{},
           {QStringLiteral("--text"), QStringLiteral("--zoom"), QStringLiteral("--size"),
            QStringLiteral("-o"), CodePageOption},
           1},
          QStringLiteral("render takes FILE and -o OUT.png"),
          RunRender}},
        {QStringLiteral("generate"),
         {{{QStringLiteral("--bold"), QStringLiteral("--italic"), QStringLiteral("--dirty-bytes")},
           {QStringLiteral("--family"), QStringLiteral("--size"), QStringLiteral("--style"),
            QStringLiteral("-o"), CodePageOption},
           0},
          QStringLiteral("generate takes --family NAME --size N and -o OUT.char"),
          RunGenerate}},
        {QStringLiteral("export"),
         {{{}, {QStringLiteral("--cell"), QStringLiteral("-o"), CodePageOption}, 1},
          QStringLiteral("export takes FILE.char and -o SHEET.png"),
          RunExport}},
        {QStringLiteral("import"),
         {{{QStringLiteral("--dirty-bytes")}, {QStringLiteral("-o")}, 1},
          QStringLiteral("import takes SHEET.png and -o FILE.char"),
          RunImport}},
        {QStringLiteral("coverage"),
         {{{QStringLiteral("--json")},
           {QStringLiteral("--text"), QStringLiteral("--text-file"), CodePageOption},
           1},
          QStringLiteral("coverage takes FILE.char and --text TEXT or --text-file PATH"),
          RunCoverage}},
        {QStringLiteral("codepages"),
         {{{}, {}, 0}, QStringLiteral("codepages takes no arguments"), RunCodePages}},
        {QStringLiteral("fonts"),
         {{{QStringLiteral("--json")}, {}, 1},
          QStringLiteral("fonts takes GAME and an optional --json"),
          RunFonts}},
        {QStringLiteral("extract"),
         {{{}, {QStringLiteral("--font"), QStringLiteral("-o")}, 1},
          QStringLiteral("extract takes GAME, --font N and -o OUT.char"),
          RunExtract}},
        {QStringLiteral("insert"),
         {{{}, {QStringLiteral("--font")}, 2},
          QStringLiteral("insert takes GAME, --font N and IN.char"),
          RunInsert}},
        {QStringLiteral("add-letters"),
         {AddLettersSyntax, QStringLiteral("add-letters takes one FONT.char or GAME"),
          RunAddLetters}},
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
