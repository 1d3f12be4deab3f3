#pragma once

#include "AppState.h"
#include "charset/CharCodec.h"
#include "charset/FileResult.h"
#include "editor/CanvasMouseEvent.h"

#include <QObject>

#include <optional>

namespace fontlathe {

class Environment;
class MainWindow;

// Where menu commands and control events reach their branches. Each branch is a fixed sequence
// of an operation and its refreshes, and the order of the steps is part of its behaviour, so the
// two switch statements below read as the tables of what every command does.
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
    int ShiftMode() const;

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
