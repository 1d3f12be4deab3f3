#include "BundleCommands.h"

#include "CliCommand.h"

#include "FontInput.h"
#include "bundle/BundleRewrite.h"
#include "bundle/GameBundle.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"
#include "text/FontFileCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace fontlathe {

namespace {

// A font file is a single CHAR block of at most about 2 MB.

QJsonObject FontToJson(const BundleFont& font) {
    return QJsonObject{{QStringLiteral("number"), font.number},
                       {QStringLiteral("room"), font.room},
                       {QStringLiteral("offset"), qint64(font.offset)},
                       {QStringLiteral("size"), qint64(font.size)},
                       {QStringLiteral("bitsPerPixel"), font.bitsPerPixel},
                       {QStringLiteral("height"), font.fontHeight},
                       {QStringLiteral("storedCodes"), font.numChars},
                       {QStringLiteral("glyphs"), font.glyphCount}};
}

} // namespace

Result ListBundleFonts(const QString& game, ReportStyle style, QTextStream& out) {
    std::vector<GameBundle> disks;
    QStringList remarks;
    if (Result opened = GameBundle::OpenDisks(game, disks, remarks); !opened) {
        return opened.At(game);
    }
    const GameBundle& bundle = disks.front();
    std::vector<BundleFont> all;
    for (const GameBundle& disk : disks) {
        all.insert(all.end(), disk.fonts().begin(), disk.fonts().end());
        remarks = disk.remarks() + remarks;
    }
    remarks.removeDuplicates();
    if (style == ReportStyle::Json) {
        QJsonArray fonts;
        for (const GameBundle& disk : disks) {
            for (const BundleFont& font : disk.fonts()) {
                QJsonObject object = FontToJson(font);
                object.insert(QStringLiteral("file"), disk.paths().data);
                fonts.append(object);
            }
        }
        const QJsonObject report{{QStringLiteral("index"), bundle.paths().index},
                                 {QStringLiteral("data"), bundle.paths().data},
                                 {QStringLiteral("kind"), bundle.KindText()},
                                 {QStringLiteral("encrypted"), bundle.encrypted()},
                                 {QStringLiteral("fonts"), fonts},
                                 {QStringLiteral("remarks"), QJsonArray::fromStringList(remarks)}};
        out << QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented));
    } else {
        out << bundle.paths().index << " + " << bundle.paths().data << ": " << bundle.KindText()
            << (bundle.encrypted() ? ", XOR-encrypted" : ", not encrypted") << ", " << all.size()
            << " fonts\n";
        out << " font  room     offset     size  bpp  height  codes  glyphs\n";
        for (const BundleFont& font : all) {
            out << qSetFieldWidth(5) << font.number << qSetFieldWidth(6) << font.room
                << qSetFieldWidth(11) << font.offset << qSetFieldWidth(9) << font.size
                << qSetFieldWidth(5) << font.bitsPerPixel << qSetFieldWidth(8) << font.fontHeight
                << qSetFieldWidth(7) << font.numChars << qSetFieldWidth(8)
                << (font.glyphCount < 0 ? QStringLiteral("refused")
                                        : QString::number(font.glyphCount))
                << qSetFieldWidth(0) << "\n";
        }
    }
    out.flush();
    return Result::Success();
}

Result ExtractBundleFont(const QString& game, int font, const QString& output) {
    GameBundle bundle;
    if (Result opened = GameBundle::OpenFont(game, font, bundle); !opened) {
        return opened.At(game);
    }
    // Either file of the bundle is the input, however the output names it.
    for (const QString& input : {bundle.paths().index, bundle.paths().data}) {
        if (Result refused = RefuseOutputOverInput(input, output); !refused) {
            return refused;
        }
    }
    if (const Result written = WriteWholeFile(output, bundle.FontBlock(*bundle.Font(font)));
        !written) {
        return written.At(output);
    }
    return Result::Success();
}

Result InsertBundleFont(const QString& game, int font, const QString& input,
                        QTextStream& out) {
    QByteArray block;
    if (const Result read =
            ReadWholeFile(input, MaxFontFileSize, QStringLiteral("font file"), block);
        !read) {
        return read.At(input);
    }
    if (const QString notAFont = NotAFontReason(block, input, SheetImportRoute::CommandLine);
        !notAFont.isEmpty()) {
        return Result::Failure(notAFont);
    }
    GameBundle bundle;
    if (Result opened = GameBundle::OpenFont(game, font, bundle); !opened) {
        return opened.At(game);
    }
    RewrittenBundle rewritten;
    if (Result replaced = ReplaceFont(bundle, font, block, rewritten); !replaced) {
        return replaced.At(input);
    }
    QString message;
    if (Result written = WriteBundle(bundle, std::move(rewritten), message); !written) {
        return written.At(game);
    }
    out << message << "\n";
    out.flush();
    return Result::Success();
}

std::optional<int> ParseFontNumber(const QString& text) {
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 0 || number > 65535) {
        return std::nullopt;
    }
    return number;
}

namespace {

std::optional<int> FontNumberOf(const ParsedArgs& parsed) {
    return ParseFontNumber(parsed.Value(QStringLiteral("--font")).value_or(QString()));
}

} // namespace

int RunFonts(const CliCommand&, const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    const ReportStyle style =
        parsed.Has(QStringLiteral("--json")) ? ReportStyle::Json : ReportStyle::Table;
    return Finish(ListBundleFonts(parsed.positionals.first(), style, out), err);
}

int RunExtract(const CliCommand& command, const ParsedArgs& parsed, QTextStream&,
               QTextStream& err) {
    const std::optional<int> font = FontNumberOf(parsed);
    const std::optional<QString> output = parsed.Value(QStringLiteral("-o"));
    if (!font || !output) {
        return UsageError(err, command.needs);
    }
    return Finish(ExtractBundleFont(parsed.positionals.first(), *font, *output), err);
}

int RunInsert(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
              QTextStream& err) {
    const std::optional<int> font = FontNumberOf(parsed);
    if (!font) {
        return UsageError(err, command.needs);
    }
    return Finish(InsertBundleFont(parsed.positionals.at(0), *font, parsed.positionals.at(1), out),
                  err);
}

} // namespace fontlathe
