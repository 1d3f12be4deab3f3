#pragma once

#include "generate/GenerationFont.h"
#include "letters/LetterReport.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QMimeData;
class QWidget;

namespace fontlathe {

// A font as the font requester shows and returns it. The style name is the face the requester
// showed ("Book", "Oblique"); when it is set it decides the face, the flags only describe it.
struct FontChoice {
    QString family;
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QString styleName = QString();
};

// The answers to "Save the changes?".
enum class SaveChangesAnswer { Save, Discard, Cancel };

// The answers to the question before Generate replaces a game's font.
enum class GenerateOverGameFontAnswer { Replace, AddLettersInstead, Cancel };

// Which letters Add Letters wants: those of a text, or every letter of the target page.
enum class WantedLetters { OfText, WholePage };

// What the Add Letters dialog asks for.
struct AddLettersChoices {
    QString toPage; // the name of a standard page, or a mapping file's path
    WantedLetters letters = WantedLetters::OfText;
    QString text;
    std::optional<FontChoice> drawWith; // nothing: no letter is drawn
    GenerationStyle style = GenerationStyle::Normal;
    // The page the font is drawn for: a standard page's name, or a mapping file's path.
    QString fromPage = QStringLiteral("latin1");
    // Whether that page was found from the font's glyphs (the dialog says so beside it).
    bool fromPageFound = false;
    // Where the mapping-file requester starts: the font's folder.
    QString folder{};
    // Letters at codes the game's text reader reserves move to free codes; OK then asks where
    // to save the page with the moves, which becomes the font's page.
    bool moveReserved = false;
};

// Works out the preview for a set of choices; the dialog calls it whenever a choice changes.
using AddLettersPlanner = std::function<LetterReport(const AddLettersChoices&)>;
// Saves a picture of what the choices would make (the dialog's "Save Picture...").
using AddLettersPictureSaver = std::function<void(QWidget* dialog, const AddLettersChoices&)>;

// Everything the program asks of the desktop beyond its own window: file and font requesters,
// message boxes and the clipboard. The program holds one Environment and calls nothing of these
// directly, so tests put a stand-in in its place.
class Environment {
public:
    virtual ~Environment() = default;

    // filePattern is in the program's notation, "Label (*.a;*.b)|*.a;*.b". Both return the chosen
    // path, or an empty string when the user cancels.
    virtual QString AskOpenFileName(QWidget* parent, const QString& title, const QString& startPath,
                                    const QString& filePattern) = 0;
    virtual QString AskSaveFileName(QWidget* parent, const QString& title, const QString& startPath,
                                    const QString& filePattern) = 0;

    // The font requester, preselected; nothing when the user cancels.
    virtual std::optional<FontChoice> AskFont(QWidget* parent, const FontChoice& preselected) = 0;

    // The system clipboard. Setting it hands the data over.
    virtual const QMimeData* ClipboardData() = 0;
    virtual void SetClipboardData(QMimeData* data) = 0;

    // A modal box with one OK button.
    virtual void ShowInformation(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void ShowError(QWidget* parent, const QString& title, const QString& text) = 0;

    // A question with Save, Discard and Cancel, before unsaved changes would be lost.
    virtual SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& title,
                                             const QString& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& title, const QString& text) = 0;

    // A question with Replace, Add Letters Instead and Cancel, before Generate replaces a font
    // of a game's bundle.
    virtual GenerateOverGameFontAnswer
    AskGenerateOverGameFont(QWidget* parent, const QString& title, const QString& text) = 0;

    // The Add Letters dialog, starting from initial and showing what plan works out for the
    // choices as they change; the choices confirmed with OK, or nothing on Cancel. A font to draw
    // with is chosen with AskFont.
    virtual std::optional<AddLettersChoices> AskAddLetters(QWidget* parent,
                                                           const AddLettersChoices& initial,
                                                           const AddLettersPlanner& plan,
                                                           const AddLettersPictureSaver& save) = 0;

    // The fonts of a game's bundle, one row each under the column headings, each with a sample
    // text drawn in it after the last column; the index of the row chosen, or nothing when the
    // user cancels.
    virtual std::optional<int> AskGameFont(QWidget* parent, const QString& title,
                                           const QStringList& columns,
                                           const QList<QStringList>& rows,
                                           const QList<QImage>& samples) = 0;
};

} // namespace fontlathe
