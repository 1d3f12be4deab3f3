// The commands between font files and bitmap faces: import-font and export-font.
#include "CliCommand.h"
#include "CommandOutcome.h"
#include "FontInput.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"
#include "faces/BdfWriter.h"
#include "faces/FaceFile.h"
#include "faces/FaceImport.h"
#include "text/CodePage.h"

#include <QFileInfo>

namespace fontlathe {

int RunImportFont(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
                  QTextStream& err) {
    const std::optional<QString> output = parsed.Value(QStringLiteral("-o"));
    if (!output) {
        return UsageError(err, command.needs);
    }
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page)) {
        return *refused;
    }
    const QString& input = parsed.positionals.first();
    if (const CommandOutcome refused = RefuseOutputOverInput(input, *output); refused.failed()) {
        return Finish(refused, err);
    }
    BitmapFace face;
    if (const Result read = ReadFaceFile(input, face); !read) {
        return Fail(err, input, read.reason());
    }
    Charset set;
    FaceImportReport report;
    if (const Result imported = ImportFace(face, page, set, report); !imported) {
        return Fail(err, input, imported.reason());
    }
    if (const Result saved = SaveCharset(set, *output, DirtyBytes::Off); !saved) {
        return Fail(err, *output, saved.reason());
    }
    for (const QString& note : face.notes) {
        err << "fontlathe-cli: " << input << ": " << note << Qt::endl;
    }
    out << QStringLiteral("%1 glyphs, line %2 pixels (ascent %3, descent %4), page %5\n")
               .arg(set.PresentGlyphCount())
               .arg(face.LineHeight())
               .arg(face.ascent)
               .arg(face.descent)
               .arg(page.name());
    if (!report.missing.empty()) {
        QStringList letters;
        for (const int code : report.missing) {
            letters << QStringLiteral("0x%1 %2")
                           .arg(code, 2, 16, QLatin1Char('0'))
                           .arg(page.DisplayText(code));
        }
        out << QStringLiteral("not in the face (%1): %2\n")
                   .arg(report.missing.size())
                   .arg(letters.join(QStringLiteral(", ")));
    }
    out.flush();
    return ExitSuccess;
}

int RunExportFont(const CliCommand& command, const ParsedArgs& parsed, QTextStream&,
                  QTextStream& err) {
    const std::optional<QString> output = parsed.Value(QStringLiteral("-o"));
    if (!output) {
        return UsageError(err, command.needs);
    }
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page)) {
        return *refused;
    }
    const QString& input = parsed.positionals.first();
    if (const CommandOutcome refused = RefuseOutputOverInput(input, *output); refused.failed()) {
        return Finish(refused, err);
    }
    Charset set;
    if (const CommandOutcome loaded = LoadFontInput(input, set); loaded.failed()) {
        return Finish(loaded, err);
    }
    const QByteArray bdf = WriteBdf(set, page, QFileInfo(input).completeBaseName());
    if (const Result written = WriteWholeFile(*output, bdf); !written) {
        return Fail(err, *output, written.reason());
    }
    if (set.bitsPerPixel > 1) {
        err << "fontlathe-cli: " << input
            << QStringLiteral(": a BDF face has one colour: every pixel that is not colour 0 "
                              "was written as ink")
            << Qt::endl;
    }
    return ExitSuccess;
}

} // namespace fontlathe
