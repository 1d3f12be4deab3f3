// The commands between font files and bitmap faces: import-font and export-font.
#include "CliCommand.h"
#include "FontInput.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"
#include "charset/Result.h"
#include "faces/BdfWriter.h"
#include "faces/FaceFile.h"
#include "faces/FaceImport.h"
#include "text/CodePage.h"
#include "text/TextForms.h"

#include <QFileInfo>

namespace fontlathe {

namespace {

// What both commands take: an input, -o OUT that is another file, and --codepage.
struct InAndOut {
    QString input, output;
    CodePage page;
};

// Reads them; the status to end with when they are wrong.
std::optional<int> ReadInAndOut(const CliCommand& command, const ParsedArgs& parsed,
                                QTextStream& err, InAndOut& files) {
    const std::optional<QString> named = parsed.Value(QStringLiteral("-o"));
    if (!named) {
        return UsageError(err, command.needs, HelpHint(command));
    }
    files.input = parsed.positionals.first();
    files.output = *named;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, files.page)) {
        return refused;
    }
    if (const Result refused = RefuseOutputOverInput(files.input, files.output); !refused) {
        return Finish(refused, err);
    }
    return std::nullopt;
}

} // namespace

int RunImportFont(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
                  QTextStream& err) {
    InAndOut files;
    if (const std::optional<int> refused = ReadInAndOut(command, parsed, err, files)) {
        return *refused;
    }
    const auto& [input, output, page] = files;
    BitmapFace face;
    if (const Result read = ReadFaceFile(input, face); !read) {
        return Fail(err, input, read.reason());
    }
    Charset set;
    FaceImportReport report;
    if (const Result imported = ImportFace(face, page, set, report); !imported) {
        return Fail(err, input, imported.reason());
    }
    if (const Result saved = SaveCharset(set, output, DirtyBytes::Off); !saved) {
        return Fail(err, output, saved.reason());
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
            letters << CodeText(code) + u' ' + page.DisplayText(code);
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
    InAndOut files;
    if (const std::optional<int> refused = ReadInAndOut(command, parsed, err, files)) {
        return *refused;
    }
    const auto& [input, output, page] = files;
    Charset set;
    if (const Result loaded = LoadFontInput(input, set); !loaded) {
        return Finish(loaded, err);
    }
    const QByteArray bdf = WriteBdf(set, page, QFileInfo(input).completeBaseName());
    if (const Result written = WriteWholeFile(output, bdf); !written) {
        return Fail(err, output, written.reason());
    }
    if (set.bitsPerPixel() > 1) {
        err << "fontlathe-cli: " << input
            << QStringLiteral(": a BDF face has one colour: every pixel that is not colour 0 "
                              "was written as ink")
            << Qt::endl;
    }
    return ExitSuccess;
}

} // namespace fontlathe
