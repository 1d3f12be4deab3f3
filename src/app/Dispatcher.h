#pragma once

#include "AppState.h"
#include "charset/CharCodec.h"
#include "charset/FileResult.h"
#include "editor/CanvasMouseEvent.h"
#include "editor/GlyphTransforms.h"

#include <QObject>

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

    void MenuCommand(int menuId);
    void ControlEvent(int controlId, const CanvasMouseEvent& mouse = {});

    // The refresh hubs: one glyph changed, or the whole set.
    void RefreshChar(int code);
    void RefreshAll(int code);
    void RefreshHeader();
    void ShowAbout();
    // A message box: the headline, then the reason as a sentence of its own.
    void ShowFailure(const QString& headline, const FileResult& result);
    fontlathe::ShiftMode ShiftMode() const;

    void UpdateTableRows(int code);
    void UpdateCharsFrameTitle();
    void ShowGlyph(int code);
    void DrawPaletteBar();
    void RenderPreview();

signals:
    // Close, or Quit from the desktop's application menu: the program ends with status 0.
    void quitRequested();

private:
    void NewSet(int bitsPerPixel);
    // Open and SaveAs answer whether the requester gave a file to work on.
    bool Open();
    void Reopen();
    void Save();
    bool SaveAs();
    std::optional<QString> AskOpenPath();
    std::optional<QString> AskSavePath();
    void CopyChar(int code);
    void PasteChar(int code);
    void Generate(GenerationStyle style);
    bool ChooseGenerationFont();
    DirtyBytes DirtyBytesOption() const;
    void ReadCurrentChar();

    AppState& state_;
    MainWindow& window_;
    Environment& environment_;
};

} // namespace fontlathe
