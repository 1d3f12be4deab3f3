#pragma once

#include "AppState.h"
#include "Presenter.h"
#include "charset/CharCodec.h"
#include "charset/Result.h"
#include "edit/EditHistory.h"
#include "edit/GlyphPainting.h"
#include "edit/GlyphTransforms.h"

#include <QObject>

#include <functional>
#include <optional>

namespace fontlathe {

class Document;
class EditStep;
class Environment;
class MainWindow;

// Where menu commands and control events reach their branches. Each branch carries out its
// operation through the document and answers what it changed; the presenter then shows that
// again, so the order of the refreshes is spelled out once, in the presenter.
class Dispatcher : public QObject {
    Q_OBJECT
public:
    Dispatcher(Document& document, AppState& state, MainWindow& window, Environment& environment);

    const EditHistory& history() const;
    Presenter& presenter() { return presenter_; }

    void MenuCommand(int menuId);
    // An entry of Open Recent: opened as Open would, after the same question.
    void OpenRecentCommand(const QString& path);
    // Lists the fonts of the bundle that path names and opens the one chosen. A bundle that is
    // refused or holds no font is told and changes nothing; true when a font was opened.
    bool ChooseGameFont(const QString& path);
    // A bundle's failure under the headline, "%1" standing for the file at fault.
    void ShowBundleFailure(const QString& headline, const Result& result);
    // Tells that the file just read does not look like a font.
    void ShowNotAFont(const QString& notAFont);
    // A page chosen by the user (a standard name or a mapping file): it takes effect at once in
    // the table and the preview, and is remembered for the current file. It is no edit of the set.
    void ChooseCodePage(const QString& nameOrFile);
    void ControlEvent(int controlId);
    // The glyph canvas's mouse, already turned into a pixel of the current glyph.
    void CanvasPixelAction(QPoint pixel, CanvasAction action);
    void EndStroke();
    // A swatch of the palette bar was clicked.
    void ChooseColor(int index);

    void ShowAbout();
    // A message box: the headline, then the reason as a sentence of its own.
    void ShowFailure(const QString& headline, const Result& result);
    ShiftMode SelectedShiftMode() const;

signals:
    // Close, or Quit from the desktop's application menu: the program ends with status 0.
    void quitRequested();

private:
    // Each answers what it changed. A command that asked and was cancelled may still answer a
    // scope: the views are shown again all the same, as they always were.
    ViewScope NewSet(int bitsPerPixel);
    ViewScope Open();
    ViewScope OpenRecent(const QString& path);
    ViewScope OpenGameFont();
    ViewScope Reopen();
    ViewScope SaveAs();
    ViewScope Generate(GenerationStyle style);
    // Edit > Add Letters: the dialog shows the plan for the choices; OK applies it as one step
    // and makes the target page the document's page. style is the one the dialog offers first.
    ViewScope AddLetters(GenerationStyle style);
    ViewScope ImportSheetCommand();
    // File > Import Font: a BDF, PCF or PSF face as the whole set, one step; Export BDF writes
    // the set as a BDF face.
    ViewScope ImportFontCommand();
    void ExportBdfCommand();
    ViewScope PasteCharCommand(int code);
    ViewScope ShiftCommand(int controlId, int code);
    ViewScope LastCharCommand(int code);
    // Loads the file and makes it the path; a failure is shown under failureHeadline ("%1" for
    // the path) and changes nothing.
    bool LoadFile(const QString& path, const QString& failureHeadline);
    bool LoadGameFont(const QString& path, int number, const QString& failureHeadline);
    bool Save();
    void ExportSheetCommand();
    // Asks before unsaved changes would be lost; true when the caller may go on.
    bool MayDiscardChanges();

    // Runs change on glyph code as one step named verb, when the code has a slot.
    void ChangeGlyph(const QString& verb, int code, const std::function<void(Charset&)>& change);
    // Typing in a header field writes into the set at once; the edit ends on Return, when the
    // field loses the focus, or with any other command.
    void EditHeaderField(int controlId);
    // An edit still open (a stroke, a field being typed) becomes a step before anything else.
    void FinishPendingEdits();
    // Shows what an undo or redo swapped, and selects the row of the character it changed.
    void ShowSwapped(const EditStep* step);
    std::optional<QString> AskOpenPath();
    std::optional<QString> AskSavePath();
    void CopyChar(int code);
    void PasteChar(Charset& set, int code);
    bool ChooseGenerationFont();
    void LoadMappingFileCommand();
    // A page that could not be read is told; the current one stays.
    void ShowCodePageRefused(const QString& nameOrFile, const Result& why);
    DirtyBytes DirtyBytesOption() const;
    void ReadCurrentChar();
    // The step name of a change to one character, as the document's page reads its code.
    QString StepName(const QString& verb, int code) const;

    Document& document_;
    AppState& state_;
    MainWindow& window_;
    Environment& environment_;
    Presenter presenter_;
};

} // namespace fontlathe
