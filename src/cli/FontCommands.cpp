// The commands on one font file: info, resave, render, generate, export, import, and the list of
// code pages (coverage is in CoverageCommand.cpp).
#include "CharsetReport.h"
#include "CliCommand.h"
#include "CoverageReport.h"
#include "FontInput.h"
#include "SheetFiles.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"
#include "faces/FaceFile.h"
#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"
#include "render/TextPreview.h"
#include "text/CodePage.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>

#include <optional>

namespace fontlathe {

namespace {

std::optional<Charset> Load(const QString& path, QTextStream& err, BlockLayout* layout = nullptr) {
    Charset set;
    if (const Result loaded = LoadFontInput(path, set, layout); !loaded) {
        Finish(loaded, err);
        return std::nullopt;
    }
    return set;
}

// The largest side of an image render makes, as --size allows.
constexpr int MaxRenderSide = 8192;

DirtyBytes DirtyBytesOf(const ParsedArgs& parsed) {
    return parsed.Has(QStringLiteral("--dirty-bytes")) ? DirtyBytes::On : DirtyBytes::Off;
}

} // namespace

int RunInfo(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
            QTextStream& err) {
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page)) {
        return *refused;
    }
    FontChoice choice;
    if (const std::optional<int> refused = ReadFontChoice(command, parsed, err, false, choice)) {
        return *refused;
    }
    BlockLayout layout;
    QString name;
    int status = ExitSuccess;
    const std::optional<Charset> set = LoadChosen(parsed, choice, err, name, status, &layout);
    if (!set) {
        return status;
    }
    if (parsed.Has(QStringLiteral("--json"))) {
        out << QString::fromUtf8(CharsetToJson(*set, layout));
    } else {
        out << DescribeCharset(*set, layout, name, page);
    }
    out.flush();
    return ExitSuccess;
}

int RunResave(const CliCommand& command, const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    // Scripts written before -o name the output as a second word.
    const auto option = parsed.Value(QStringLiteral("-o"));
    if (option.has_value() == (parsed.positionals.size() == 2)) {
        return UsageError(err, command.needs, HelpHint(command));
    }
    const QString& input = parsed.positionals.at(0);
    const QString output = option.value_or(parsed.positionals.value(1));
    std::optional<Charset> set = Load(input, err);
    if (!set) {
        return ExitFailure;
    }
    if (const Result saved = SaveCharset(*set, output, DirtyBytesOf(parsed)); !saved) {
        return Fail(err, output, saved.reason());
    }
    return ExitSuccess;
}

int RunRender(const CliCommand& command, const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    if (!parsed.Value(QStringLiteral("-o"))) {
        return UsageError(err, command.needs, HelpHint(command));
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
    std::optional<QSize> size;
    if (const auto text = parsed.Value(QStringLiteral("--size"))) {
        static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
        const QRegularExpressionMatch match = pattern.match(*text);
        size = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt())
                                : QSize();
        if (size->width() < 1 || size->height() < 1 || size->width() > MaxRenderSide ||
            size->height() > MaxRenderSide) {
            return UsageError(err, QStringLiteral("--size takes WIDTHxHEIGHT, each 1 to 8192"));
        }
    }
    FontChoice choice;
    if (const std::optional<int> refused = ReadFontChoice(command, parsed, err, false, choice)) {
        return *refused;
    }
    const QString& input = parsed.positionals.first();
    const QString output = *parsed.Value(QStringLiteral("-o"));
    if (const Result refused = RefuseOutputOverInput(input, output); !refused) {
        return Finish(refused, err);
    }
    QString name;
    int status = ExitSuccess;
    const std::optional<Charset> set = LoadChosen(parsed, choice, err, name, status);
    if (!set) {
        return status;
    }
    const QString text = parsed.Value(QStringLiteral("--text")).value_or(SampleText);
    // The default size grows to hold the whole text; a size given is kept, and where it cuts the
    // text, a note says so.
    const QSize needed = TextSizeFor(*set, text, zoom, MissingMarks::Hidden, page);
    if (size && (needed.width() > size->width() || needed.height() > size->height())) {
        err << QStringLiteral("note: the text needs %1x%2; --size %3x%4 cuts it\n")
                   .arg(needed.width())
                   .arg(needed.height())
                   .arg(size->width())
                   .arg(size->height());
        err.flush();
    }
    const QImage preview = RenderPreview(
        *set, text, zoom,
        size.value_or(PreviewSizeFor(*set, text, zoom, PreviewSize, MissingMarks::Hidden, page)
                          .expandedTo(needed.boundedTo(QSize(MaxRenderSide, MaxRenderSide)))),
        MissingMarks::Hidden, page);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!preview.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG")) {
        return Fail(err, output, QStringLiteral("the image can't be made"));
    }
    if (const Result written = WriteWholeFile(output, png); !written) {
        return Fail(err, output, QStringLiteral("the image can't be written: ") + written.reason());
    }
    return ExitSuccess;
}

int RunGenerate(const CliCommand& command, const ParsedArgs& parsed, QTextStream&,
                QTextStream& err) {
    const std::optional<QString> family = parsed.Value(QStringLiteral("--family"));
    const std::optional<QString> sizeText = parsed.Value(QStringLiteral("--size"));
    // A bitmap face is drawn at its own size, as it is.
    const bool face = family && NamesFaceFile(*family);
    if (!family || (!sizeText && !face) || !parsed.Value(QStringLiteral("-o"))) {
        return UsageError(err, command.needs, HelpHint(command));
    }
    if (face && (parsed.Has(QStringLiteral("--bold")) || parsed.Has(QStringLiteral("--italic")))) {
        return UsageError(err, QStringLiteral("--bold and --italic do not go with a bitmap face, "
                                              "which is drawn as it is"));
    }
    GenerationFont font;
    font.familyName = *family;
    bool sizeOk = !sizeText;
    if (sizeText) {
        font.size = sizeText->toInt(&sizeOk);
    }
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
    Result unreadable = Result::Success();
    const std::optional<DrawingSource> source = MakeDrawingSource(font, unreadable);
    if (!source) {
        return Fail(err, font.familyName, unreadable.reason());
    }
    if (face && sizeText && font.size != source->PixelSize()) {
        return UsageError(err, QStringLiteral("%1 is a bitmap face of %2 pixels: leave --size out "
                                              "or give %2")
                                   .arg(font.familyName)
                                   .arg(source->PixelSize()));
    }
    Charset set;
    set.NewCharset(1);
    if (const Result generated = GenerateCharset(set, *source, style, page); !generated) {
        return Fail(err, font.familyName, generated.reason());
    }
    // The fallback stays, but the user learns which family the set was drawn with.
    if (const std::optional<QString> used =
            face ? std::nullopt : SubstitutedFamily(source->font(), font.familyName)) {
        err << font.familyName << " is not installed; drew with " << *used << Qt::endl;
    }
    const QString output = *parsed.Value(QStringLiteral("-o"));
    if (const Result saved = SaveCharset(set, output, DirtyBytesOf(parsed)); !saved) {
        return Fail(err, output, saved.reason());
    }
    return ExitSuccess;
}

int RunExport(const CliCommand& command, const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    if (!parsed.Value(QStringLiteral("-o"))) {
        return UsageError(err, command.needs, HelpHint(command));
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

int RunImport(const CliCommand& command, const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    if (!parsed.Value(QStringLiteral("-o"))) {
        return UsageError(err, command.needs, HelpHint(command));
    }
    return Finish(ImportSheetFile(parsed.positionals.first(), DirtyBytesOf(parsed),
                                  *parsed.Value(QStringLiteral("-o"))),
                  err);
}

int RunCodePages(const CliCommand&, const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    if (parsed.positionals.isEmpty() && parsed.Value(QStringLiteral("--write"))) {
        return UsageError(err, QStringLiteral("codepages --write FILE writes one page P: "
                                              "codepages P --write FILE"));
    }
    // One page, as a mapping file to start a translation's own from.
    if (!parsed.positionals.isEmpty()) {
        const QString& name = parsed.positionals.first();
        CodePage page;
        if (const Result chosen = CodePage::Choose(name, page); !chosen) {
            return CodePage::NamesMappingFile(name)
                       ? Fail(err, name, chosen.reason())
                       : UsageError(err, chosen.reason(),
                                    QStringLiteral("fontlathe-cli codepages"));
        }
        const QByteArray text = page.MappingFileText();
        if (const auto file = parsed.Value(QStringLiteral("--write"))) {
            return Finish(WriteWholeFile(*file, text).At(*file), err);
        }
        out << QString::fromUtf8(text);
        out.flush();
        return ExitSuccess;
    }
    for (const CodePageInfo& page : KnownCodePages()) {
        out << QStringLiteral("%1 %2 %3\n")
                   .arg(page.name, -12)
                   .arg(page.script, -10)
                   .arg(page.description);
    }
    out.flush();
    return ExitSuccess;
}

} // namespace fontlathe
