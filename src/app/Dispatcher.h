#pragma once

#include "AppState.h"
#include "Presenter.h"
#include "charset/CharCodec.h"
#include "charset/Result.h"
#include "edit/EditHistory.h"
#include "edit/GlyphPainting.h"
#include "edit/GlyphTransforms.h"

#include <QObject>

#include <memory>
#include <optional>
#include <vector>

namespace fontlathe {

class Document;
class Edit;
class Environment;
class MainWindow;
struct WindowCommand;

// Where menu commands and control events reach their branches. Each branch carries out its
// operation through the document, which announces what changed; the presenter then shows that
// again, so the order of the refreshes is spelled out once, in the presenter.
class Dispatcher : public QObject {
    Q_OBJECT
public:
    Dispatcher(Document& document, AppState& state, MainWindow& window, Environment& environment);

    const EditHistory& history() const;
    Presenter& presenter() { return presenter_; }

    // Runs the row of the window's command table that has the id.
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
    // The command table calls the commands it lists.
    friend const std::vector<WindowCommand>& WindowCommands();
    friend std::vector<WindowCommand> EditMenuCommands();

    void NewSet(int bitsPerPixel);
    // Close or Quit: ends the program once unsaved changes may go.
    void Quit();
    void Open();
    void OpenRecent(const QString& path);
    void OpenGameFont();
    void Reopen();
    void SaveAs();
    void Generate(GenerationStyle style);
    // Edit > Add Letters: the dialog shows the plan for the choices; OK applies it as one step
    // and makes the target page the document's page. style is the one the dialog offers first.
    void AddLetters(GenerationStyle style);
    void ImportSheetCommand();
    // File > Import Font: a BDF, PCF or PSF face as the whole set, one step; Export BDF writes
    // the set as a BDF face.
    void ImportFontCommand();
    void ExportBdfCommand();
    void PasteCharCommand(int code);
    void ShiftCommand(int controlId, int code);
    void LastCharCommand(int code);
    // Loads the file and makes it the path; a failure is shown under failureHeadline ("%1" for
    // the path) and changes nothing.
    bool LoadFile(const QString& path, const QString& failureHeadline);
    bool LoadGameFont(const QString& path, int number, const QString& failureHeadline);
    bool Save();
    void ExportSheetCommand();
    // Asks before unsaved changes would be lost; true when the caller may go on.
    bool MayDiscardChanges();

    // Applies the edit, when its character has a slot.
    void ApplyToGlyph(std::unique_ptr<Edit> edit);
    // Typing in a header field writes into the set at once; the edit ends on Return, when the
    // field loses the focus, or with any other command.
    void EditHeaderField(int controlId);
    // A command that asked and was cancelled or refused shows the views again all the same, as
    // it always did: the whole set, or only the file's name after Save As.
    void ShowAgain(ScopeKind kind = ScopeKind::WholeSet);
    // An edit still open (a stroke, a field being typed) becomes a step before anything else.
    void FinishPendingEdits();
    std::optional<QString> AskOpenPath();
    std::optional<QString> AskSavePath();
    void CopyChar(int code);

    // Selected pixels: moved, flipped, cleared, copied and pasted (Dispatcher_Pixels.cpp).
    bool SelectionOn(int code) const;
    void SelectPixels(QRect rect);
    void SelectAllPixels(int code);
    // Lifts the selection (the whole glyph without one) and moves it by step, as one step with
    // every move until the pixels are dropped.
    void MovePixels(int code, QPoint step);
    // Return: floating pixels are written where they stand.
    void DropPixels();
    // Escape: floating pixels go back as if never lifted; a selection that does not float goes.
    void DeselectPixels();
    void ClearSelectedPixels(int code);
    // With nothing selected, the glyph's ink within the rectangle it spans.
    void FlipPixelsCommand(int code, Qt::Orientation orientation);
    void CopyPixels(int code);
    bool ClipboardHoldsCopiedPixels();
    void PastePixels(int code);
    // Floating pixels dropped by an edit's end elsewhere: the selection stays where they lie.
    void SyncSelection();
    // A left press on the canvas drops floating pixels and paints nothing.
    void CanvasPressed();
    // The clipboard's image, read and checked before the edit; nothing, and the user told why,
    // when it holds none that fits a font file.
    std::optional<QImage> ReadPastedImage();
    bool ChooseGenerationFont();
    void LoadMappingFileCommand();
    // A page that could not be read is told; the current one stays.
    void ShowCodePageRefused(const QString& nameOrFile, const Result& why);
    DirtyBytes DirtyBytesOption() const;
    void ReadCurrentChar();

    Document& document_;
    AppState& state_;
    MainWindow& window_;
    Environment& environment_;
    Presenter presenter_;
};

} // namespace fontlathe
