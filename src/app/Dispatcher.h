#pragma once

#include "AppState.h"
#include "CodePageChoices.h"
#include "RecentFiles.h"
#include "bundle/BundleResult.h"
#include "charset/CharCodec.h"
#include "charset/FileResult.h"
#include "edit/EditHistory.h"
#include "edit/GlyphPainting.h"
#include "edit/GlyphTransforms.h"

#include <QObject>

#include <functional>
#include <optional>

namespace fontlathe {

class Environment;
class MainWindow;

// Where menu commands and control events reach their branches. Each branch is an operation
// followed by its refreshes, in an order the views depend on, so every branch is spelled out in
// one of the two switch statements rather than spread over the controls.
class Dispatcher : public QObject {
    Q_OBJECT
public:
    Dispatcher(AppState& state, MainWindow& window, Environment& environment);

    EditHistory& history() { return history_; }

    void MenuCommand(int menuId);
    // An entry of Open Recent: opened as Open would, after the same question.
    void OpenRecentCommand(const QString& path);
    // A file just opened or saved goes first in Open Recent.
    void RememberFile(const QString& path);
    // Reads the font file at path into the set and makes it the current file, with a fresh
    // history and its code page; on failure the set and the path stay as they were. A file that
    // does not look like a font is read all the same, as stored files may carry another tag:
    // notAFont then says why, and Save asks before it replaces the file.
    FileResult ReadFontFile(const QString& path, QString& notAFont);
    // Reads font number of the bundle that path names (either file) and makes it the current
    // font, as ReadFontFile does for a font file; on failure nothing changes.
    BundleResult ReadGameFont(const QString& path, int number);
    // Lists the fonts of the bundle that path names and opens the one chosen. A bundle that is
    // refused or holds no font is told and changes nothing; true when a font was opened.
    bool ChooseGameFont(const QString& path);
    // A bundle's failure under the headline, "%1" standing for the file at fault.
    void ShowBundleFailure(const QString& headline, const BundleResult& result);
    // What the title and the questions call the current set: its path, or "game.001, font 2".
    QString CurrentName() const;
    // Tells that the file just read does not look like a font.
    void ShowNotAFont(const QString& notAFont);
    // Reads codes through the page remembered for the current file, or the one chosen last for
    // a new set.
    void UseRememberedCodePage();
    // A page chosen by the user (a standard name or a mapping file): it takes effect at once in
    // the table and the preview, and is remembered for the current file. It is no edit of the set.
    void ChooseCodePage(const QString& nameOrFile);
    void ControlEvent(int controlId);
    // The glyph canvas's mouse, already turned into a pixel of the current glyph.
    void CanvasPixelAction(QPoint pixel, CanvasAction action);
    void EndStroke();
    // A swatch of the palette bar was clicked.
    void ChooseColor(int index);

    // The refresh hubs: one glyph changed, or the whole set.
    void RefreshChar(int code);
    void RefreshAll(int code);
    void RefreshHeader();
    void ShowAbout();
    // A message box: the headline, then the reason as a sentence of its own.
    void ShowFailure(const QString& headline, const FileResult& result);
    ShiftMode SelectedShiftMode() const;

    void UpdateTableRows(int code);
    void UpdateCharsFrameTitle();
    void ShowGlyph(int code);
    void DrawPaletteBar();
    void ShowPreview();
    // The title shows the path, and " *" while the set has changes that are not saved.
    void UpdateWindowTitle();

signals:
    // Close, or Quit from the desktop's application menu: the program ends with status 0.
    void quitRequested();

private:
    // Each answers whether it replaced the set or the path, and so what must be shown again.
    bool NewSet(int bitsPerPixel);
    bool Open();
    bool OpenRecent(const QString& path);
    // Loads the file into the set and makes it the path; a failure is shown under
    // failureHeadline ("%1" for the path) and changes nothing.
    bool LoadFile(const QString& path, const QString& failureHeadline);
    bool Reopen();
    bool Save();
    bool OpenGameFont();
    bool LoadGameFont(const QString& path, int number, const QString& failureHeadline);
    bool SaveGameFont();
    // The current set as Open Recent and the code page memory name it; empty for a set that is
    // no file of this run's.
    QString CurrentFileKey() const;
    bool SaveAs();
    bool Generate(GenerationStyle style);
    void ExportSheetCommand();
    bool ImportSheetCommand();
    // Asks before unsaved changes would be lost; true when the caller may go on.
    bool MayDiscardChanges();

    // Runs change on glyph code and records it as one step when it changed the glyph.
    void ChangeGlyph(const QString& verb, int code, const std::function<void()>& change);
    // Typing in a header field writes into the set at once; the edit ends on Return, when the
    // field loses the focus, or with any other command.
    void EditHeaderField(int controlId);
    // An edit still open (a stroke, a field being typed) becomes a step before anything else.
    void FinishPendingEdits();
    // Shows what an undo or redo swapped, and selects the row of the character it changed.
    void ShowSwapped(const EditStep* step);
    void UpdateEditMenu();
    std::optional<QString> AskOpenPath();
    std::optional<QString> AskSavePath();
    // Where the requesters start: the current file's folder, else the folder last used.
    QString RequesterFolder() const;
    void CopyChar(int code);
    void PasteChar(int code);
    bool ChooseGenerationFont();
    void LoadMappingFileCommand();
    // Makes the page current; a page that can't be read is shown as a failure and leaves the
    // current one.
    bool UseCodePage(const QString& nameOrFile);
    // A set just read becomes the set, path the current path and gameFont the game's font it
    // came from, with a fresh history.
    void AdoptReadSet(Charset&& loaded, const QString& path, std::optional<GameFont> gameFont);
    DirtyBytes DirtyBytesOption() const;
    void ReadCurrentChar();

    AppState& state_;
    MainWindow& window_;
    Environment& environment_;
    EditHistory history_;
    RecentFiles recentFiles_;
    CodePageChoices codePageChoices_;
};

} // namespace fontlathe
