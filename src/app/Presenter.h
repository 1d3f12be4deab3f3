#pragma once

#include "AppState.h"

namespace fontlathe {

class CodePage;
class Document;
class MainWindow;

// What a command changed, and so what the views must show again. Each value names the refreshes
// it stands for, in the order the views depend on.
enum class ViewScope {
    Nothing,
    GlyphView,     // the canvas shows another glyph or zoom
    Preview,       // the preview's text, zoom or marks
    CodePage,      // every table row and the preview
    Glyph,         // one glyph's pixels: RefreshChar
    GlyphPresence, // one glyph came or went: RefreshChar and the frame's count
    StoredCount,   // the codes the file stores: RefreshAll
    Header,        // a header field: RefreshHeader and the preview
    Path,          // the current file's name: RefreshHeader
    WholeSet,      // a set replaced or regenerated: RefreshAll and RefreshHeader
};

// Shows the document in the window's views. The dispatch tells it what a command changed and it
// refreshes exactly the views that show that; no command refreshes a view by hand.
class Presenter {
public:
    Presenter(const Document& document, AppState& state, MainWindow& window);

    void Show(ViewScope scope, int code);

    // The refresh hubs: one glyph changed, or the whole set; the header fields and the title.
    void RefreshChar(int code);
    void RefreshAll(int code);
    void RefreshHeader();

    void UpdateTableRows(int code);
    void UpdateCharsFrameTitle();
    void ShowGlyph(int code);
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
