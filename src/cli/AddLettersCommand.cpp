#include "AddLettersCommand.h"

#include "BundleCommands.h"
#include "CoverageReport.h"
#include "FontInput.h"
#include "charset/CharCodec.h"
#include "charset/GameBundle.h"
#include "charset/GameFont.h"
#include "generate/DrawingFont.h"
#include "letters/AddLetters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <map>

namespace fontlathe {

const CommandSyntax AddLettersSyntax = {
    {QStringLiteral("--all"), QStringLiteral("--dry-run"), QStringLiteral("--json")},
    {QStringLiteral("--codepage"), QStringLiteral("--from-page"), QStringLiteral("--text"),
     QStringLiteral("--text-file"), QStringLiteral("--draw-with"), QStringLiteral("--style"),
     QStringLiteral("--font"), QStringLiteral("-o")},
    1};

namespace {

constexpr std::array<LetterSource, 7> Sources = {
    LetterSource::Kept,  LetterSource::Moved,   LetterSource::Composed, LetterSource::Borrowed,
    LetterSource::Drawn, LetterSource::Missing, LetterSource::Reserved};

struct FontReport {
    QString name;
    AddLettersPlan plan;
};

QString Letter(char32_t letter) {
    return QString::fromUcs4(&letter, 1);
}

// Reads a page option into page, keeping page without it. On failure, the status to end with.
std::optional<int> ReadPage(const ParsedArgs& parsed, const QString& option, QTextStream& err,
                            CodePage& page) {
    const std::optional<QString> value = parsed.Value(option);
    if (!value) {
        return std::nullopt;
    }
    if (const FileResult chosen = CodePage::Choose(*value, page); !chosen) {
        return CodePage::NamesMappingFile(*value)
                   ? Fail(err, *value, chosen.reason())
                   : UsageError(err, chosen.reason(), QStringLiteral("fontlathe-cli codepages"));
    }
    return std::nullopt;
}

// The wanted letters: those of the text, each once in order of first use, or the whole page.
CommandOutcome ReadLetters(const ParsedArgs& parsed, const CodePage& page,
                           std::vector<char32_t>& letters) {
    if (parsed.Has(QStringLiteral("--all"))) {
        letters = EveryLetterOf(page);
        return CommandOutcome::Status(ExitSuccess);
    }
    // Against a set without glyphs every character of the text counts as missing, which lists
    // them as coverage reads them.
    const Charset empty;
    TextCoverage coverage;
    if (const auto text = parsed.Value(QStringLiteral("--text"))) {
        coverage = CheckCoverage(empty, *text, page);
    } else {
        QByteArray body;
        const QString path = *parsed.Value(QStringLiteral("--text-file"));
        if (CommandOutcome read = ReadTextToCheck(path, body); read.failed()) {
            return read;
        }
        coverage = CheckCoverageUtf8(empty, body, page);
    }
    for (const MissingCharacter& character : coverage.missing) {
        if (character.codePoint >= U' ') {
            letters.push_back(character.codePoint);
        }
    }
    return CommandOutcome::Status(ExitSuccess);
}

QString Totals(const AddLettersPlan& plan) {
    QStringList totals;
    for (const LetterSource source : Sources) {
        totals << QStringLiteral("%1 %2").arg(LetterSourceName(source)).arg(plan.Count(source));
    }
    return totals.join(QStringLiteral(", "));
}

void PrintTable(const FontReport& report, const AddLettersRequest& request, QTextStream& out) {
    out << report.name << ": letters for " << request.toPage.name() << ", the font drawn for "
        << request.fromPage.name() << "\n  code  letter  how\n";
    for (const LetterRow& row : report.plan.rows) {
        const QString code = row.code == CodePage::NotInPage
                                 ? QStringLiteral("-")
                                 : QStringLiteral("0x%1").arg(row.code, 2, 16, QChar(u'0'));
        out << QStringLiteral("  %1  %2  %3\n")
                   .arg(code.toUpper().replace(u'X', u'x'), -4)
                   .arg(Letter(row.letter), -6)
                   .arg(row.detail);
    }
    QStringList lost;
    for (const char32_t letter : report.plan.lost) {
        lost << Letter(letter);
    }
    out << "lost: " << (lost.isEmpty() ? QStringLiteral("none") : lost.join(u' ')) << "\n"
        << Totals(report.plan) << "\n";
}

QJsonObject ReportToJson(const FontReport& report) {
    QJsonArray letters, lost;
    for (const LetterRow& row : report.plan.rows) {
        letters.append(QJsonObject{
            {QStringLiteral("code"), row.code == CodePage::NotInPage ? QJsonValue() : row.code},
            {QStringLiteral("char"), Letter(row.letter)},
            {QStringLiteral("codepoint"), CodePointName(row.letter)},
            {QStringLiteral("how"), LetterSourceName(row.source)},
            {QStringLiteral("detail"), row.detail}});
    }
    for (const char32_t letter : report.plan.lost) {
        lost.append(Letter(letter));
    }
    QJsonObject totals;
    for (const LetterSource source : Sources) {
        totals.insert(LetterSourceName(source), report.plan.Count(source));
    }
    return QJsonObject{{QStringLiteral("font"), report.name},
                       {QStringLiteral("letters"), letters},
                       {QStringLiteral("lost"), lost},
                       {QStringLiteral("totals"), totals},
                       {QStringLiteral("storedCodes"), report.plan.numChars}};
}

bool ChangesFont(const AddLettersPlan& plan, const Charset& font) {
    return plan.numChars != font.numChars || plan.Count(LetterSource::Moved) > 0 ||
           plan.Count(LetterSource::Composed) > 0 || plan.Count(LetterSource::Borrowed) > 0 ||
           plan.Count(LetterSource::Drawn) > 0;
}

enum class Writing { Write, DryRun };

CommandOutcome AddToFontFile(const QString& input, const QString& output,
                             const AddLettersRequest& request, Writing writing,
                             std::vector<FontReport>& reports) {
    Charset set;
    if (CommandOutcome loaded = LoadFontInput(input, set); loaded.failed()) {
        return loaded;
    }
    reports.push_back({input, PlanAddLetters(set, request)});
    if (writing == Writing::Write) {
        ApplyAddLetters(reports.back().plan, set);
        if (const FileResult saved = SaveCharset(set, output, DirtyBytes::Off); !saved) {
            return CommandOutcome::Failure(output, saved.reason());
        }
    }
    return CommandOutcome::Status(ExitSuccess);
}

// Each font is read from the bundle afresh and written back before the next is read, through the
// same checked and atomic path as the window's Save.
CommandOutcome AddToGameFonts(const QString& game, const QString& fontChoice,
                              AddLettersRequest request, Writing writing,
                              std::vector<FontReport>& reports, QStringList& messages) {
    GameBundle bundle;
    if (BundleResult opened = GameBundle::Open(game, bundle); !opened) {
        return CommandOutcome::Failure(opened.path().isEmpty() ? game : opened.path(),
                                       opened.reason());
    }
    request.gameVersion = bundle.version();
    std::vector<int> numbers;
    for (const BundleFont& font : bundle.fonts()) {
        if (fontChoice == QStringLiteral("all") || fontChoice == QString::number(font.number)) {
            numbers.push_back(font.number);
        }
    }
    if (numbers.empty()) {
        return CommandOutcome::Failure(
            bundle.paths().index,
            QStringLiteral("the charset directory (DCHR) names no font %1 in this data file")
                .arg(fontChoice));
    }
    for (const int number : numbers) {
        Charset set;
        GameFont font;
        if (BundleResult loaded = GameFont::Load(game, number, set, font); !loaded) {
            return CommandOutcome::Failure(loaded.path(), loaded.reason());
        }
        reports.push_back({font.DisplayName(), PlanAddLetters(set, request)});
        if (writing == Writing::Write && ChangesFont(reports.back().plan, set)) {
            ApplyAddLetters(reports.back().plan, set);
            QString message;
            if (BundleResult saved = font.Save(set, DirtyBytes::Off, message); !saved) {
                return CommandOutcome::Failure(saved.path(), saved.reason());
            }
            messages << message;
        }
    }
    return CommandOutcome::Status(ExitSuccess);
}

} // namespace

int RunAddLetters(const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    const QString& input = parsed.positionals.first();
    const bool game = GameBundle::NamesGameFile(input);
    const auto output = parsed.Value(QStringLiteral("-o"));
    const auto fontChoice = parsed.Value(QStringLiteral("--font"));
    const int letterChoices = int(parsed.Has(QStringLiteral("--all"))) +
                              int(parsed.Value(QStringLiteral("--text")).has_value()) +
                              int(parsed.Value(QStringLiteral("--text-file")).has_value());
    if (!parsed.Value(QStringLiteral("--codepage")) || letterChoices != 1 ||
        (game ? output.has_value() || !fontChoice : !output || fontChoice.has_value()) ||
        (fontChoice && *fontChoice != QStringLiteral("all") && !ParseFontNumber(*fontChoice))) {
        return UsageError(err, QStringLiteral("add-letters takes FONT.char -o OUT.char, or GAME "
                                              "--font N|all, with --codepage P and one of --text, "
                                              "--text-file or --all"));
    }
    AddLettersRequest request;
    for (const auto& [option, page] :
         {std::pair{QStringLiteral("--codepage"), &request.toPage},
          std::pair{QStringLiteral("--from-page"), &request.fromPage}}) {
        if (const std::optional<int> refused = ReadPage(parsed, option, err, *page)) {
            return *refused;
        }
    }
    const std::map<QString, GenerationStyle> styles = {
        {QStringLiteral("normal"), GenerationStyle::Normal},
        {QStringLiteral("shadowed"), GenerationStyle::Shadowed},
        {QStringLiteral("outlined"), GenerationStyle::Outlined}};
    const auto style =
        styles.find(parsed.Value(QStringLiteral("--style")).value_or(QStringLiteral("normal")));
    if (style == styles.end()) {
        return UsageError(err, QStringLiteral("--style is normal, shadowed or outlined"));
    }
    request.style = style->second;
    if (const auto family = parsed.Value(QStringLiteral("--draw-with"))) {
        request.drawWith = MakeDrawingFont(GenerationFont{*family, 10, 0, QString()});
        if (const std::optional<QString> used = SubstitutedFamily(*request.drawWith, *family)) {
            err << *family << " is not installed; drawing with " << *used << Qt::endl;
        }
    }
    if (const CommandOutcome read = ReadLetters(parsed, request.toPage, request.letters);
        read.failed()) {
        return Finish(read, err);
    }
    const Writing writing =
        parsed.Has(QStringLiteral("--dry-run")) ? Writing::DryRun : Writing::Write;
    std::vector<FontReport> reports;
    QStringList messages;
    const CommandOutcome outcome =
        game ? AddToGameFonts(input, *fontChoice, request, writing, reports, messages)
             : AddToFontFile(input, *output, request, writing, reports);
    if (parsed.Has(QStringLiteral("--json"))) {
        QJsonArray fonts;
        for (const FontReport& report : reports) {
            fonts.append(ReportToJson(report));
        }
        out << QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("codePage"), request.toPage.name()},
                                      {QStringLiteral("fromPage"), request.fromPage.name()},
                                      {QStringLiteral("written"),
                                       writing == Writing::Write && !outcome.failed()},
                                      {QStringLiteral("fonts"), fonts}})
                .toJson(QJsonDocument::Indented));
    } else {
        for (const FontReport& report : reports) {
            PrintTable(report, request, out);
        }
        for (const QString& message : messages) {
            out << message << "\n";
        }
        if (writing == Writing::DryRun) {
            out << "dry run: nothing was written\n";
        }
    }
    out.flush();
    return Finish(outcome, err);
}

} // namespace fontlathe
