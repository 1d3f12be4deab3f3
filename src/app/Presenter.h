#pragma once

#include "AppState.h"
#include "edit/EditScope.h"

namespace fontlathe {

class CodePage;
class Document;
class MainWindow;

// Shows the document in the window's views. The document announces each change once, with
// what it touched; the presenter refreshes exactly the views that show that, in one fixed order.
// No command refreshes a view for a change of the document by hand.
class Presenter {
public:
    Presenter(const Document& document, AppState& state, MainWindow& window);

    // What the document announced: code is the character it concerns, -1 for none (the row the
    // table stands on is shown then).
    void Show(const Scope& scope, int code);

    // The refresh hubs: one glyph changed, or the whole set; the header fields and the title.
    void RefreshChar(int code);
    void RefreshAll(int code);
    void RefreshHeader();

    void UpdateTableRows(int code);
    void UpdateCharsFrameTitle();
    // The glyph on the canvas, with the guides, the reference glyph and the selection asked for.
    void ShowGlyph(int code);
    // Copy, Paste and the pixel keys follow the selection and the clipboard.
    void ShowPixelItems();
    void DrawPaletteBar();
    void ShowPreview();
    // The title shows the path, and " *" while the set has changes that are not saved.
    void UpdateWindowTitle();
    // Undo and Redo name the step they would take back or bring back.
    void UpdateEditMenu();
    // The table, the Code Page menu and the information line follow the document's page.
    void ShowCodePage();
    void ShowCodePageLabel(const CodePage& page);

private:
    const Document& document_;
    AppState& state_;
    MainWindow& window_;
};

} // namespace fontlathe
