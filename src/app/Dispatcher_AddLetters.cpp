// Edit > Add Letters: a language's letters added to the open font, shown before anything changes.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "charset/FileAccess.h"
#include "document/Document.h"
#include "edit/WholeSetEdit.h"
#include "generate/DrawingSource.h"
#include "gui/Environment.h"
#include "letters/AddLetters.h"
#include "letters/FontPageFinding.h"
#include "letters/LetterPicture.h"
#include "letters/LetterReport.h"
#include "letters/ReservedMoves.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QVariantMap>

#include <array>
#include <cmath>
#include <map>

namespace fontlathe {

namespace {

const QString StyleOfFileKey = QStringLiteral("addLettersStyleOfFile");
const QString DrawnWithKey = QStringLiteral("addLettersDrawnWith");

// The font the letters are drawn with, as Generate makes it from the requester's choice.
GenerationFont DrawingFontOf(const FontChoice& choice) {
    return GenerationFont{choice.family, static_cast<std::int32_t>(std::trunc(choice.pointSize)),
                          (choice.bold ? GenerationFont::Bold : 0) |
                              (choice.italic ? GenerationFont::Italic : 0),
                          choice.styleName};
}

} // namespace

void Dispatcher::AddLetters(GenerationStyle style) {
    const std::optional<GameFont>& gameFont = document_.gameFont();
    const int gameVersion = gameFont ? gameFont->version() : AnyGameVersion;
    // The dialog plans on every change: a face file is read once.
    std::map<QString, std::optional<DrawingSource>> sources;
    std::map<QString, CodePage> pages; // a mapping file is read once too
    const auto requestFor = [this, gameVersion, &sources,
                             &pages](const AddLettersChoices& choices) {
        AddLettersRequest request;
        // A page by its name or a mapping file, each read once; one that can't be read is
        // latin1.
        const auto pageNamed = [&pages](const QString& nameOrFile) {
            auto page = pages.find(nameOrFile);
            if (page == pages.end()) {
                CodePage chosen;
                if (!CodePage::Choose(nameOrFile, chosen)) {
                    chosen = CodePage();
                }
                page = pages.emplace(nameOrFile, chosen).first;
            }
            return page->second;
        };
        // The font is read through the page the dialog says it is drawn for: the document's
        // own unless the user chose another there.
        request.fromPage = choices.fromPage == document_.codePage().name()
                               ? document_.codePage()
                               : pageNamed(choices.fromPage);
        request.toPage = pageNamed(choices.toPage);
        request.letters = choices.letters == WantedLetters::WholePage
                              ? EveryLetterOf(request.toPage)
                              : LettersOfText(choices.text);
        if (choices.drawWith) {
            const GenerationFont font = DrawingFontOf(*choices.drawWith);
            const QString key = font.familyName + QString::number(font.size) + font.styleName +
                                QString::number(font.styleFlags);
            auto known = sources.find(key);
            if (known == sources.end()) {
                Result unreadable = Result::Success();
                known = sources.emplace(key, MakeDrawingSource(font, unreadable)).first;
            }
            request.drawWith = known->second;
        }
        // A plain choice leaves the new letters in the font's own style.
        if (choices.style != GenerationStyle::Normal) {
            request.style = choices.style;
        }
        request.gameVersion = gameVersion;
        return request;
    };
    // The letters at reserved codes moved to free ones, where the user asks.
    const auto movesFor = [&](const AddLettersChoices& choices, const AddLettersRequest& request) {
        return choices.moveReserved
                   ? MoveReservedLetters(request.toPage, request.letters,
                                         choices.letters == WantedLetters::WholePage, gameVersion,
                                         request.toPage.name())
                   : ReservedMoves{{}, {}, {}, request.toPage};
    };
    const auto planFor = [&](const AddLettersChoices& choices) {
        AddLettersRequest request = requestFor(choices);
        const ReservedMoves moves = movesFor(choices, request);
        request.toPage = moves.page;
        AddLettersPlan plan = PlanAddLetters(document_.set(), request);
        TellReservedMoves(moves, plan);
        return std::tuple{plan, request.toPage, !moves.moves.empty()};
    };
    AddLettersChoices initial;
    initial.toPage = CodePage::Standard(document_.codePage().name())
                         ? document_.codePage().name()
                         : KnownCodePages().front().name;
    initial.fromPage = document_.codePage().name();
    // A font never given a page is read through the one its glyphs show, until the user
    // chooses one or adds letters.
    if (!document_.CodePageKnown()) {
        if (const FoundPage found = FindFontPage(document_.set(), std::nullopt); found.found) {
            initial.fromPage = found.page.name();
            initial.fromPageFound = true;
        }
    }
    initial.folder = document_.RequesterFolder();
    initial.text = window_.PreviewSampleText();
    initial.style = style;
    // A style the user chose over the font's own is remembered for the font, and the font drawn
    // with last is offered again.
    QSettings settings;
    QVariantMap styles = settings.value(StyleOfFileKey).toMap();
    const QString key = document_.FileKey();
    if (style == GenerationStyle::Normal && styles.contains(key)) {
        initial.style = GenerationStyleNamed(styles.value(key).toString()).value_or(style);
    }
    if (const QStringList last = settings.value(DrawnWithKey).toStringList(); last.size() == 3) {
        initial.drawWith = FontChoice{last[0], last[1].toDouble()};
        initial.drawWith->styleName = last[2];
    }
    // The picture of what the choices would make, saved where the user says.
    const auto savePicture = [&](QWidget* dialog, const AddLettersChoices& choices) {
        const auto [plan, toPage, moved] = planFor(choices);
        Charset after = document_.set();
        ApplyAddLetters(plan, after);
        const QImage picture =
            AddLettersPicture({{document_.DisplayName(), &document_.set(), &plan, &after}}, toPage);
        QString path = environment_.AskSaveFileName(
            dialog, QStringLiteral("Save Picture"),
            QDir(document_.RequesterFolder()).filePath(QStringLiteral("letters.png")),
            QStringLiteral("PNG Image (*.png)|*.png"));
        if (path.isEmpty()) {
            return;
        }
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".png");
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        const Result written = picture.save(&buffer, "PNG")
                                   ? WriteWholeFile(path, png)
                                   : Result::Failure(QStringLiteral("the picture can't be made"));
        if (!written) {
            environment_.ShowError(
                dialog, ProgramTitle,
                QStringLiteral("Could not save \"%1\": %2").arg(path, written.reason()));
        }
    };
    const std::optional<AddLettersChoices> chosen = environment_.AskAddLetters(
        &window_, initial,
        [&](const AddLettersChoices& choices) {
            return ReportLetters(std::get<AddLettersPlan>(planFor(choices)));
        },
        savePicture);
    if (!chosen) {
        return;
    }
    if (!key.isEmpty()) {
        if (chosen->style != GenerationStyle::Normal) {
            styles.insert(key, GenerationStyleName(chosen->style));
        } else {
            styles.remove(key);
        }
        settings.setValue(StyleOfFileKey, styles);
    }
    if (chosen->drawWith) {
        settings.setValue(DrawnWithKey, QStringList{chosen->drawWith->family,
                                                    QString::number(chosen->drawWith->pointSize),
                                                    chosen->drawWith->styleName});
    }
    auto [plan, toPage, moved] = planFor(*chosen);
    QString page = chosen->toPage;
    // Letters moved off reserved codes: the page with the moves is saved where the user says,
    // and becomes the font's page, to encode the translated text with.
    if (moved) {
        const QString path = environment_.AskSaveFileName(
            &window_, QStringLiteral("Save Mapping File"),
            QDir(document_.RequesterFolder()).filePath(QStringLiteral("moved-letters.txt")),
            QStringLiteral("Code Page Mapping (*.txt)|*.txt"));
        if (path.isEmpty()) {
            return;
        }
        if (const Result written = WriteWholeFile(path, toPage.MappingFileText()); !written) {
            environment_.ShowError(
                &window_, ProgramTitle,
                QStringLiteral("Could not save \"%1\": %2").arg(path, written.reason()));
            return;
        }
        page = QFileInfo(path).absoluteFilePath();
    }
    Charset added = document_.set();
    ApplyAddLetters(plan, added);
    auto edit = std::make_unique<ReplaceSet>(QStringLiteral("Add Letters"), std::move(added), page);
    // The glyph each letter was made from stays at hand to draw the letter over.
    std::map<int, Glyph> madeFrom;
    for (const LetterRow& row : plan.rows) {
        if (row.from.present() && Charset::IsValidCode(row.code)) {
            madeFrom.emplace(row.code, row.from);
        }
    }
    edit->SetMadeFrom(std::move(madeFrom));
    document_.Apply(std::move(edit));
}

} // namespace fontlathe
