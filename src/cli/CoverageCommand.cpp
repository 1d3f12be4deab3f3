// coverage FILE.char or GAME --font N|all: the characters of a text a font lacks, and why.
#include "CliCommand.h"
#include "CoverageReport.h"
#include "FontInput.h"
#include "bundle/GameBundle.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace fontlathe {

int RunCoverage(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
                QTextStream& err) {
    const auto inlineText = parsed.Value(QStringLiteral("--text"));
    const auto textFile = parsed.Value(QStringLiteral("--text-file"));
    if (inlineText.has_value() == textFile.has_value()) {
        return UsageError(err, command.needs, HelpHint(command));
    }
    CoverageText text = inlineText ? CoverageText{CoverageText::Kind::Inline, *inlineText, {}}
                                   : CoverageText{CoverageText::Kind::File, *textFile, {}};
    if (const std::optional<int> refused = ReadTextEncoding(parsed, err, text.encoding)) {
        return *refused;
    }
    const ReportStyle style =
        parsed.Has(QStringLiteral("--json")) ? ReportStyle::Json : ReportStyle::Table;
    CodePage page;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, page)) {
        return *refused;
    }
    // With --from-page, a glyph that shows another letter in the page the font is drawn for
    // covers nothing.
    std::optional<CodePage> drawnFor;
    if (parsed.Value(QStringLiteral("--from-page"))) {
        drawnFor.emplace();
        if (const std::optional<int> refused =
                ReadCodePage(parsed, err, *drawnFor, QStringLiteral("--from-page"))) {
            return *refused;
        }
    }
    FontChoice choice;
    if (const std::optional<int> refused = ReadFontChoice(command, parsed, err, true, choice)) {
        return *refused;
    }
    // Each font of a game under its number, or the one font.
    std::vector<std::optional<int>> numbers = {choice.number};
    if (choice.all) {
        std::vector<GameBundle> disks;
        QStringList remarks;
        const QString& game = parsed.positionals.first();
        if (const Result opened = GameBundle::OpenDisks(game, disks, remarks); !opened) {
            return Finish(opened.At(game), err);
        }
        numbers.clear();
        for (const GameBundle& disk : disks) {
            for (const BundleFont& font : disk.fonts()) {
                numbers.emplace_back(font.number);
            }
        }
    }
    bool complete = true;
    QJsonArray fonts;
    QString note;
    for (const std::optional<int> number : numbers) {
        QString name;
        int status = ExitSuccess;
        const std::optional<Charset> set =
            LoadChosen(parsed, FontChoice{number, false}, err, name, status);
        if (!set) {
            return status;
        }
        TextCoverage coverage;
        if (const Result checked = CheckTextCoverage(
                *set, text, page, drawnFor ? &*drawnFor : nullptr, coverage, &note);
            !checked) {
            return Finish(checked, err);
        }
        complete = complete && coverage.complete();
        if (style == ReportStyle::Json && choice.all) {
            QJsonObject json = QJsonDocument::fromJson(CoverageToJson(coverage)).object();
            json.insert(QStringLiteral("font"), *number);
            fonts.append(json);
        } else if (style == ReportStyle::Json) {
            QByteArray json = CoverageToJson(coverage);
            if (!note.isEmpty()) { // a "notes" array before the closing brace
                json.chop(3);
                json += ",\n    \"notes\": " +
                        QJsonDocument(QJsonArray{note}).toJson(QJsonDocument::Compact) + "\n}\n";
            }
            out << QString::fromUtf8(json);
        } else {
            out << (choice.all ? QStringLiteral("font %1: ").arg(*number) : QString())
                << DescribeCoverage(coverage);
        }
    }
    if (choice.all && style == ReportStyle::Json) {
        QJsonObject json{{QStringLiteral("fonts"), fonts}};
        if (!note.isEmpty()) {
            json.insert(QStringLiteral("notes"), QJsonArray{note});
        }
        out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
    }
    out.flush();
    if (!note.isEmpty()) {
        err << "note: " << note << "\n";
        err.flush();
    }
    return complete ? ExitSuccess : ExitMissing;
}

} // namespace fontlathe
