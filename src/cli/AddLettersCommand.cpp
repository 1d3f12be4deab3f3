// add-letters FONT.char ... -o OUT.char, or add-letters GAME --font N|all ...: adds the letters
// a translation needs to one font or to fonts of a game's bundle, each in the font's own style,
// and reports how each letter was made. Missing letters are reported, not failures.
#include "AddLettersOptions.h"
#include "AddLettersReport.h"
#include "BundleCommands.h"
#include "CliCommand.h"
#include "CoverageReport.h"
#include "FontInput.h"
#include "bundle/FontsRewrite.h"
#include "bundle/GameBundle.h"
#include "bundle/GameFont.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"
#include "faces/FaceFile.h"
#include "generate/DrawingFont.h"
#include "letters/AddLetters.h"
#include "letters/FontPageFinding.h"
#include "letters/LetterPicture.h"
#include "letters/LetterReport.h"
#include "letters/ReservedMoves.h"
#include "text/TextForms.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <array>
#include <map>

namespace fontlathe {

namespace {

// The page the font is drawn for: the one given, else the one its glyphs show.
AddLettersRequest ForFont(const Charset& font, const AddLettersRequest& request,
                          std::optional<CodePage> given, QString& found) {
    AddLettersRequest forFont = request;
    if (given) {
        forFont.fromPage = *given;
    } else {
        const FoundPage page = FindFontPage(font, request.drawWith);
        forFont.fromPage = page.page;
        found = page.Description();
    }
    return forFont;
}

// The wanted letters: those of the text, each once in order of first use, or the whole page.
Result ReadLetters(const ParsedArgs& parsed, const CodePage& page,
                   const std::optional<CodePage>& textEncoding, std::vector<char32_t>& letters,
                   QString& note) {
    if (parsed.Has(QStringLiteral("--all"))) {
        letters = EveryLetterOf(page);
        return Result::Success();
    }
    if (const auto text = parsed.Value(QStringLiteral("--text"))) {
        letters = LettersOfText(*text);
        return Result::Success();
    }
    QByteArray body;
    const QString path = *parsed.Value(QStringLiteral("--text-file"));
    if (Result read = ReadTextToCheck(path, textEncoding, body, &note); !read) {
        return read;
    }
    letters = LettersOfText(QString::fromUtf8(body));
    return Result::Success();
}

bool ChangesFont(const AddLettersPlan& plan, const Charset& font) {
    return plan.numChars != font.numChars() || plan.Count(LetterSource::Moved) > 0 ||
           plan.Count(LetterSource::Composed) > 0 || plan.Count(LetterSource::Borrowed) > 0 ||
           plan.Count(LetterSource::Drawn) > 0;
}

enum class Writing { Write, DryRun };

Result AddToFontFile(const QString& input, const QString& output, const AddLettersRequest& request,
                     const std::optional<CodePage>& fromPage, Writing writing,
                     std::vector<FontReport>& reports) {
    Charset set;
    if (Result loaded = LoadFontInput(input, set); !loaded) {
        return loaded;
    }
    QString found;
    const AddLettersRequest forFont = ForFont(set, request, fromPage, found);
    reports.push_back({input, PlanAddLetters(set, forFont), forFont.fromPage.name(), set, found});
    if (writing == Writing::Write) {
        ApplyAddLetters(reports.back().plan, set);
        if (const Result saved = SaveCharset(set, output, DirtyBytes::Off); !saved) {
            return saved.At(output);
        }
    }
    return Result::Success();
}

// The fonts of every data file at hand change as one write of the game (RewriteFonts): a
// failure on any font leaves the game's files as they were, as a dry run does.
Result AddToGameFonts(const QString& game, const QString& fontChoice,
                      const AddLettersRequest& request, const std::optional<CodePage>& fromPage,
                      const std::map<int, CodePage>& fontPages,
                      const std::map<int, DrawingSource>& fontDraws, Writing writing,
                      std::vector<FontReport>& reports, QStringList& messages) {
    std::vector<int> numbers;
    if (fontChoice != QStringLiteral("all")) {
        numbers.push_back(fontChoice.toInt());
    }
    const auto add = [&](const GameBundle& disk, const BundleFont& font, QByteArray& block) {
        const BundlePaths& paths = disk.paths();
        Charset set;
        if (const Result decoded = DecodeCharset(block, set); !decoded) {
            return Result::Failure(paths.data, QStringLiteral("font %1 at data file offset %2: %3")
                                                   .arg(font.number)
                                                   .arg(font.offset)
                                                   .arg(decoded.reason()));
        }
        const auto page = fontPages.find(font.number);
        AddLettersRequest drawn = request;
        if (const auto face = fontDraws.find(font.number); face != fontDraws.end()) {
            drawn.drawWith = face->second;
        }
        QString found;
        AddLettersRequest forFont =
            ForFont(set, drawn, page != fontPages.end() ? page->second : fromPage, found);
        forFont.gameVersion = disk.version();
        reports.push_back({GameFont(paths.data, paths.index, font.number).DisplayName(),
                           PlanAddLetters(set, forFont), forFont.fromPage.name(), set, found});
        if (writing == Writing::DryRun || !ChangesFont(reports.back().plan, set)) {
            return Result::Success();
        }
        ApplyAddLetters(reports.back().plan, set);
        EncodedBlock encoded;
        if (const Result result = EncodeCharset(set, DirtyBytes::Off, encoded); !result) {
            return result.At(paths.data);
        }
        block = encoded.bytes;
        return Result::Success();
    };
    bundle::FontsRewritten rewritten;
    if (Result written = bundle::RewriteFonts(game, numbers, add, rewritten); !written) {
        return written.At(game);
    }
    messages << rewritten.remarks << rewritten.messages;
    return Result::Success();
}

} // namespace

int RunAddLetters(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
                  QTextStream& err) {
    const QString& input = parsed.positionals.first();
    const bool game = GameBundle::NamesGameFile(input);
    const auto output = parsed.Value(QStringLiteral("-o"));
    const auto fontChoice = parsed.Value(QStringLiteral("--font"));
    const int letterChoices = int(parsed.Has(QStringLiteral("--all"))) +
                              int(parsed.Value(QStringLiteral("--text")).has_value()) +
                              int(parsed.Value(QStringLiteral("--text-file")).has_value());
    // A dry run of a font file writes nothing, so it needs no output.
    const bool dryRun = parsed.Has(QStringLiteral("--dry-run"));
    if (!parsed.Value(QStringLiteral("--codepage")) || letterChoices != 1 ||
        (game ? output.has_value() || !fontChoice
              : (!output && !dryRun) || fontChoice.has_value()) ||
        (fontChoice && *fontChoice != QStringLiteral("all") && !ParseFontNumber(*fontChoice))) {
        return UsageError(err, command.needs, HelpHint(command));
    }
    AddLettersRequest request;
    if (const std::optional<int> refused = ReadCodePage(parsed, err, request.toPage)) {
        return *refused;
    }
    // --from-page P is the page of every font; N=P gives a game's font N a page of its own.
    PerFont pages;
    if (const std::optional<int> refused = ReadPerFont(parsed, QStringLiteral("--from-page"),
                                                       QStringLiteral("P"), game, err, pages)) {
        return *refused;
    }
    std::map<int, CodePage> fontPages;
    for (const auto& [number, value] : pages.numbered) {
        if (const std::optional<int> refused = ReadPage(value, err, fontPages[number])) {
            return *refused;
        }
    }
    if (pages.plain) {
        if (const std::optional<int> refused = ReadPage(*pages.plain, err, request.fromPage)) {
            return *refused;
        }
    }
    // Without --from-page each font's page is found from its glyphs.
    const std::optional<CodePage> fromPage =
        pages.plain ? std::optional<CodePage>(request.fromPage) : std::nullopt;
    // Without --style the new letters follow the style the font's own letters have.
    if (parsed.Value(QStringLiteral("--style"))) {
        GenerationStyle named = GenerationStyle::Normal;
        if (const std::optional<int> refused = ReadGenerationStyle(parsed, err, named)) {
            return *refused;
        }
        request.style = named;
    }
    // --draw-with FAMILY draws for every font; N=FACE for a game's font N.
    PerFont faces;
    if (const std::optional<int> refused = ReadPerFont(parsed, QStringLiteral("--draw-with"),
                                                       QStringLiteral("FACE"), game, err, faces)) {
        return *refused;
    }
    std::map<int, DrawingSource> fontDraws;
    for (const auto& [number, family] : faces.numbered) {
        std::optional<DrawingSource> source;
        if (const std::optional<int> refused = ReadDrawing(family, err, source)) {
            return *refused;
        }
        fontDraws.emplace(number, std::move(*source));
    }
    if (faces.plain) {
        if (const std::optional<int> refused = ReadDrawing(*faces.plain, err, request.drawWith)) {
            return *refused;
        }
    }
    std::optional<CodePage> textEncoding;
    if (const std::optional<int> refused = ReadTextEncoding(parsed, err, textEncoding)) {
        return *refused;
    }
    QString misread;
    if (const Result read =
            ReadLetters(parsed, request.toPage, textEncoding, request.letters, misread);
        !read) {
        return Finish(read, err);
    }
    const Writing writing = dryRun ? Writing::DryRun : Writing::Write;
    // Letters at reserved codes move to free ones: one set of moves for every font, which the
    // mapping file written gives the translated text.
    const auto movesFile = parsed.Value(QStringLiteral("--move-reserved"));
    ReservedMoves moves;
    AddLettersRequest planned = request;
    if (movesFile) {
        int version = AnyGameVersion;
        if (GameBundle bundle; game && GameBundle::Open(input, bundle).ok()) {
            version = bundle.version();
        }
        moves = MoveReservedLetters(request.toPage, request.letters,
                                    parsed.Has(QStringLiteral("--all")), version,
                                    QFileInfo(*movesFile).absoluteFilePath());
        planned.toPage = moves.page;
    }
    // A font file is written to a new file; the game's bundle alone is rewritten in place, with
    // its .orig copies.
    if (!game && output) {
        if (const Result refused = RefuseOutputOverInput(input, *output); !refused) {
            return Finish(refused, err);
        }
    }
    // The page with the moves is written first, and put back as it was where the fonts can't be
    // written: the two go together or not at all.
    std::optional<QByteArray> pageBefore;
    if (movesFile && writing == Writing::Write) {
        if (QByteArray bytes; QFileInfo(*movesFile).isFile() &&
                              ReadWholeFile(*movesFile, CodePage::MaxMappingFileSize,
                                            QStringLiteral("mapping file"), bytes)
                                  .ok()) {
            pageBefore = bytes;
        }
        if (const Result saved = WriteWholeFile(*movesFile, moves.page.MappingFileText()); !saved) {
            return Finish(saved.At(*movesFile), err);
        }
    }
    std::vector<FontReport> reports;
    QStringList messages;
    const Result outcome = game ? AddToGameFonts(input, *fontChoice, planned, fromPage, fontPages,
                                                 fontDraws, writing, reports, messages)
                                : AddToFontFile(input, output.value_or(QString()), planned,
                                                fromPage, writing, reports);
    // A font the game lacks is a slip of the command line: no report, no word of a dry run.
    if (outcome.kind() == ResultKind::NoSuchFont) {
        return Finish(outcome, err);
    }
    for (FontReport& report : reports) {
        report.reservedCodes = moves.reservedCode;
        TellReservedMoves(moves, report.plan);
    }
    if (movesFile && !outcome.ok() && writing == Writing::Write) {
        if (pageBefore) {
            WriteWholeFile(*movesFile, *pageBefore);
        } else {
            QFile::remove(*movesFile);
        }
    }
    const Result& written = outcome;
    QStringList notes;
    if (!misread.isEmpty()) {
        notes << misread;
    }
    // A text most of whose letters the page has no code for was likely meant for another page.
    if (!parsed.Has(QStringLiteral("--all"))) {
        int letters = 0, withoutCode = 0;
        for (const char32_t letter : request.letters) {
            if (QChar::isLetter(letter)) {
                ++letters;
                withoutCode += request.toPage.CodeOf(letter) < 0x20;
            }
        }
        if (2 * withoutCode > letters) {
            notes << QStringLiteral("%1 has no code for %2 of the %3 letters of the text; is "
                                    "--codepage right?")
                         .arg(request.toPage.name())
                         .arg(withoutCode)
                         .arg(letters);
        }
    }
    if (!moves.unplaced.empty()) {
        QString unplaced;
        for (const char32_t letter : moves.unplaced) {
            unplaced += (unplaced.isEmpty() ? QString() : QStringLiteral(" ")) + LetterName(letter);
        }
        messages << QStringLiteral("no free code left for: ") + unplaced;
    } else if (std::ranges::any_of(reports, [](const FontReport& report) {
                   return report.plan.Count(LetterSource::Reserved) > 0;
               })) {
        notes << QStringLiteral("move reserved letters to free codes with --move-reserved FILE");
    }
    // The picture shows what the run made, whether or not it wrote it.
    if (const auto picture = parsed.Value(QStringLiteral("--picture")); picture && outcome.ok()) {
        std::vector<Charset> after;
        after.reserve(reports.size());
        std::vector<PictureFont> fonts;
        for (const FontReport& report : reports) {
            after.push_back(report.font);
            ApplyAddLetters(report.plan, after.back());
            fonts.push_back({report.name, &report.font, &report.plan, &after.back()});
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!AddLettersPicture(fonts, planned.toPage).save(&buffer, "PNG")) {
            return Fail(err, *picture, QStringLiteral("the picture can't be made"));
        }
        if (const Result written = WriteWholeFile(*picture, png); !written) {
            return Fail(err, *picture, written.reason());
        }
    }
    if (parsed.Has(QStringLiteral("--json"))) {
        QJsonArray fonts;
        for (const FontReport& report : reports) {
            fonts.append(ReportToJson(report));
        }
        out << QString::fromUtf8(
            QJsonDocument(
                QJsonObject{{QStringLiteral("codePage"), request.toPage.name()},
                            {QStringLiteral("fromPage"), request.fromPage.name()},
                            {QStringLiteral("written"), writing == Writing::Write && written.ok()},
                            {QStringLiteral("fonts"), fonts},
                            {QStringLiteral("messages"), QJsonArray::fromStringList(messages)},
                            {QStringLiteral("notes"), QJsonArray::fromStringList(notes)}})
                .toJson(QJsonDocument::Indented));
    } else {
        for (const FontReport& report : reports) {
            PrintTable(report, request, parsed.Has(QStringLiteral("--all-rows")), out);
        }
        for (const QString& message : messages) {
            out << message << "\n";
        }
        if (writing == Writing::DryRun) {
            out << "dry run: nothing was written\n";
        }
    }
    out.flush();
    for (const QString& note : notes) {
        err << "note: " << note << "\n";
    }
    err.flush();
    return Finish(written, err);
}

} // namespace fontlathe
