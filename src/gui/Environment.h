#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

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

    // The fonts of a game's bundle, one row each under the column headings; the index of the
    // row chosen, or nothing when the user cancels.
    virtual std::optional<int> AskGameFont(QWidget* parent, const QString& title,
                                           const QStringList& columns,
                                           const QList<QStringList>& rows) = 0;
};

} // namespace fontlathe
