#include "BundleCommands.h"

#include "CliCommand.h"

#include "FontInput.h"
#include "bundle/FontsRewrite.h"
#include "bundle/GameBundle.h"
#include "bundle/PendingWrite.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"
#include "text/FontFileCheck.h"

#include <QFileInfo>
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

// A read of a game with a write pending reads the files that write left whole, and says so.
void TellPending(const GameBundle& bundle, QTextStream& err) {
    if (!bundle.pendingWrite().isEmpty()) {
        err << "fontlathe-cli: " << bundle.pendingWrite() << Qt::endl;
    }
}

} // namespace

Result ListBundleFonts(const QString& game, ReportStyle style, QTextStream& out, QTextStream& err) {
    std::vector<GameBundle> disks;
    QStringList remarks;
    if (Result opened = GameBundle::OpenDisks(game, disks, remarks); !opened) {
        return opened.At(game);
    }
    const GameBundle& bundle = disks.front();
    TellPending(bundle, err);
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

Result ExtractBundleFont(const QString& game, int font, const QString& output, QTextStream& err) {
    GameBundle bundle;
    if (Result opened = GameBundle::OpenFont(game, font, bundle); !opened) {
        return opened.At(game);
    }
    TellPending(bundle, err);
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

Result InsertBundleFont(const QString& game, int font, const QString& input, QTextStream& out) {
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
    bundle::FontsRewritten rewritten;
    const auto put = [&block](const GameBundle&, const BundleFont&, QByteArray& bytes) {
        bytes = block;
        return Result::Success();
    };
    // A failure that names no file is the new block's own.
    if (Result written = bundle::RewriteFonts(game, {font}, put, rewritten); !written) {
        return written.At(input);
    }
    out << rewritten.Said() << "\n";
    out.flush();
    return Result::Success();
}

Result RepairGame(const QString& game, QTextStream& out) {
    BundlePaths paths;
    if (Result named = GameBundle::PathsFor(game, paths); !named) {
        return named.At(game);
    }
    if (!QFileInfo::exists(paths.index)) {
        return Result::Failure(paths.index, QStringLiteral("there is no such file"));
    }
    QStringList done;
    if (Result finished = FinishPendingWrite(paths.index, done); !finished) {
        return finished.At(game);
    }
    out << (done.isEmpty() ? QStringLiteral("No write into the game was cut short; nothing was "
                                            "changed.")
                           : done.join(u' '))
        << "\n";
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
    return Finish(ListBundleFonts(parsed.positionals.first(), style, out, err), err);
}

int RunExtract(const CliCommand& command, const ParsedArgs& parsed, QTextStream&,
               QTextStream& err) {
    const std::optional<int> font = FontNumberOf(parsed);
    const std::optional<QString> output = parsed.Value(QStringLiteral("-o"));
    if (!font || !output) {
        return UsageError(err, command.needs, HelpHint(command));
    }
    return Finish(ExtractBundleFont(parsed.positionals.first(), *font, *output, err), err);
}

int RunInsert(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
              QTextStream& err) {
    const std::optional<int> font = FontNumberOf(parsed);
    if (!font) {
        return UsageError(err, command.needs, HelpHint(command));
    }
    return Finish(InsertBundleFont(parsed.positionals.at(0), *font, parsed.positionals.at(1), out),
                  err);
}

int RunRepair(const CliCommand&, const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    return Finish(RepairGame(parsed.positionals.first(), out), err);
}

} // namespace fontlathe
