#include "Dispatcher.h"

#include "ControlIds.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "charset/CharCodec.h"
#include "text/TextCoverage.h"
#include "views/CharTableView.h"
#include "edit/GlyphEdit.h"
#include "edit/HeaderEdit.h"
#include "edit/GlyphPainting.h"
#include "edit/GlyphTransforms.h"
#include "views/GlyphView.h"
#include "views/ImageView.h"
#include "views/PaletteBar.h"
#include "render/TextPreview.h"
#include "gui/Environment.h"
#include "gui/NumericField.h"

#include <QAction>


namespace fontlathe {

namespace {

QString ShiftModeName(ShiftMode mode) {
    switch (mode) {
    case ShiftMode::Roll:
        return QStringLiteral("Roll");
    case ShiftMode::Resize:
        return QStringLiteral("Resize");
    case ShiftMode::Offset:
        return QStringLiteral("Offset");
    case ShiftMode::None:
        break;
    }
    return QString();
}

bool IsHeaderField(int controlId) {
    return controlId == Control::HeightField ||
           (controlId >= Control::ColorMapField0 && controlId <= Control::ColorMapFieldLast);
}

// The one-pixel step of each arrow button.
QPoint ShiftStepOf(int controlId) {
    switch (controlId) {
    case Control::ShiftLeftButton:
        return {-1, 0};
    case Control::ShiftRightButton:
        return {1, 0};
    case Control::ShiftUpButton:
        return {0, -1};
    default:
        return {0, 1};
    }
}

} // namespace

Dispatcher::Dispatcher(AppState& state, MainWindow& window, Environment& environment)
    : state_(state), window_(window), environment_(environment) {
    connect(&window_, &MainWindow::menuCommand, this, &Dispatcher::MenuCommand);
    connect(&window_, &MainWindow::controlEvent, this, &Dispatcher::ControlEvent);
    connect(window_.glyphView()->canvas(), &GlyphCanvas::pixelAction, this,
            &Dispatcher::CanvasPixelAction);
    connect(window_.glyphView()->canvas(), &GlyphCanvas::strokeEnded, this, &Dispatcher::EndStroke);
    connect(window_.paletteBar(), &PaletteBar::colorChosen, this, &Dispatcher::ChooseColor);
    // A field's edit is finished on Return or when the focus leaves it. The dispatch listens to
    // the fields themselves: it goes before the window does, so a window being torn down, whose
    // fields lose the focus, reports to nobody.
    connect(window_.heightField(), &QLineEdit::editingFinished, this,
            &Dispatcher::FinishPendingEdits);
    for (int i = 0; i < ColorMapSize; ++i) {
        connect(window_.colorMapField(i), &QLineEdit::editingFinished, this,
                &Dispatcher::FinishPendingEdits);
    }
    connect(&window_, &MainWindow::openRecent, this, &Dispatcher::OpenRecentCommand);
    connect(&window_, &MainWindow::codePageChosen, this, &Dispatcher::ChooseCodePage);
    window_.SetRecentFiles(recentFiles_.paths());
    connect(&history_, &EditHistory::changed, this, [this] {
        UpdateEditMenu();
        UpdateWindowTitle();
    });
    UpdateEditMenu();
}

void Dispatcher::ReadCurrentChar() {
    state_.currentChar = window_.CurrentRow();
}

void Dispatcher::OpenRecentCommand(const QString& path) {
    ReadCurrentChar();
    FinishPendingEdits();
    const int current = state_.currentChar;
    if (OpenRecent(path)) {
        RefreshAll(current);
        RefreshHeader();
    }
}

void Dispatcher::MenuCommand(int menuId) {
    ReadCurrentChar();
    FinishPendingEdits();
    const int current = state_.currentChar;
    switch (menuId) {
    case Menu::New2Colors:
    case Menu::New4Colors:
        NewSet(menuId == Menu::New2Colors ? 1 : 2);
        RefreshAll(current);
        RefreshHeader();
        break;
    case Menu::Open:
        if (Open()) {
            RefreshAll(current);
            RefreshHeader();
        }
        break;
    case Menu::OpenGameFont:
        if (OpenGameFont()) {
            RefreshAll(current);
            RefreshHeader();
        }
        break;
    case Menu::ClearRecent:
        recentFiles_.Clear();
        window_.SetRecentFiles(recentFiles_.paths());
        break;
    case Menu::Reopen:
        Reopen();
        RefreshAll(current);
        RefreshHeader();
        break;
    case Menu::Save:
        Save();
        break;
    case Menu::SaveAs:
        if (SaveAs()) {
            RefreshHeader();
        }
        break;
    case Menu::GenerateNormal:
    case Menu::GenerateShadowed:
    case Menu::GenerateOutlined:
        Generate(GenerationStyleOfMenu(menuId));
        RefreshAll(current);
        RefreshHeader();
        break;
    case Menu::CopyChar:
        if (window_.CharListHasFocus() && state_.charset.GlyphAt(current)) {
            CopyChar(current);
        }
        break;
    case Menu::PasteChar:
        if (window_.CharListHasFocus()) {
            ChangeGlyph(QStringLiteral("Paste"), current, [&] { PasteChar(current); });
            RefreshChar(current);
            UpdateCharsFrameTitle();
        }
        break;
    case Menu::ExportSheet:
        ExportSheetCommand();
        break;
    case Menu::ImportSheet:
        if (ImportSheetCommand()) {
            RefreshAll(current);
            RefreshHeader();
        }
        break;
    case Menu::MarkMissing:
        ShowPreview();
        break;
    case Menu::LoadMappingFile:
        LoadMappingFileCommand();
        break;
    case Menu::Undo:
        ShowSwapped(history_.Undo(state_.charset));
        break;
    case Menu::Redo:
        ShowSwapped(history_.Redo(state_.charset));
        break;
    case Menu::Close:
    case Menu::AppQuit:
        if (MayDiscardChanges()) {
            emit quitRequested();
        }
        break;
    case Menu::About:
    case Menu::AppAbout:
        ShowAbout();
        break;
    case Menu::AppPreferences:
    default:
        break;
    }
}

void Dispatcher::ControlEvent(int controlId) {
    ReadCurrentChar();
    if (!IsHeaderField(controlId)) {
        FinishPendingEdits();
    }
    const int current = state_.currentChar;
    Charset& set = state_.charset;
    switch (controlId) {
    case Control::CharList:
    case Control::ZoomBar:
        ShowGlyph(current);
        break;
    case Control::PreviewZoomBar:
    case Control::PreviewText:
        ShowPreview();
        break;
    case Control::RollOption:
    case Control::ResizeOption:
    case Control::OffsetOption:
    case Control::DirtyBytesCheck:
        window_.FocusCharList();
        break;
    case Control::ShiftLeftButton:
    case Control::ShiftRightButton:
    case Control::ShiftUpButton:
    case Control::ShiftDownButton: {
        const QPoint step = ShiftStepOf(controlId);
        const ShiftMode mode = SelectedShiftMode();
        ChangeGlyph(ShiftModeName(mode), current,
                    [&] { ShiftGlyph(set, current, step.x(), step.y(), mode); });
        RefreshChar(current);
        window_.FocusCharList();
        break;
    }
    case Control::OnButton:
        ChangeGlyph(QStringLiteral("On"), current, [&] { set.CreateBlankGlyph(current); });
        RefreshChar(current);
        window_.FocusCharList();
        UpdateCharsFrameTitle();
        break;
    case Control::OffButton:
        ChangeGlyph(QStringLiteral("Off"), current, [&] { set.ClearGlyph(current); });
        RefreshChar(current);
        window_.FocusCharList();
        UpdateCharsFrameTitle();
        break;
    case Control::LastCharButton:
        if (Charset::IsValidCode(current)) {
            history_.Begin(set, std::make_unique<HeaderEdit>(
                                    StepText(QStringLiteral("Last Char"), current), set,
                                    EditStep::Scope::StoredCount, current));
            set.numChars = static_cast<std::int16_t>(current + 1);
            history_.End(set);
        }
        RefreshAll(current);
        window_.FocusCharList();
        break;
    default:
        if (IsHeaderField(controlId)) {
            EditHeaderField(controlId);
        }
        break;
    }
}

// A paint changes one pixel: its table row, its one cell of the canvas and the preview are shown
// again, in the order of a refresh of the character.
void Dispatcher::CanvasPixelAction(QPoint pixel, CanvasAction action) {
    ReadCurrentChar();
    const int current = state_.currentChar;
    Charset& set = state_.charset;
    if (action == CanvasAction::Pick) {
        FinishPendingEdits();
        if (const std::optional<int> picked = PickPixel(set, current, pixel)) {
            state_.selectedColor = *picked;
        }
        DrawPaletteBar();
        return;
    }
    // A stroke goes on until the button is released; any other edit still open ends first.
    if (const QString stroke = StepText(QStringLiteral("Paint"), current);
        !history_.IsEditing(stroke)) {
        history_.Begin(set, std::make_unique<GlyphEdit>(stroke, set, current));
    }
    if (PaintPixel(set, current, pixel, state_.selectedColor)) {
        UpdateTableRows(current);
        window_.glyphView()->canvas()->ShowPixel(pixel);
        // Painting changes no glyph's presence, so the preview changes only where it draws
        // this glyph.
        if (TextUsesCode(window_.PreviewSampleText(), current, state_.codePage)) {
            ShowPreview();
        }
    }
}

void Dispatcher::EndStroke() {
    FinishPendingEdits();
}

void Dispatcher::ChooseColor(int index) {
    ReadCurrentChar();
    FinishPendingEdits();
    state_.selectedColor = index;
    DrawPaletteBar();
}

void Dispatcher::RefreshChar(int code) {
    UpdateTableRows(code);
    ShowGlyph(code);
    ShowPreview();
}

// The count in the frame's title follows the stored codes, which only whole-set changes move.
void Dispatcher::RefreshAll(int code) {
    UpdateTableRows(-1);
    ShowGlyph(code);
    ShowPreview();
    UpdateCharsFrameTitle();
}

void Dispatcher::RefreshHeader() {
    const Charset& set = state_.charset;
    window_.SetTextIfChanged(
        Control::BitsLabel,
        QStringLiteral("Bits: %1 (Colors: %2)").arg(set.bitsPerPixel).arg(set.ColorCount()));
    window_.SetTextIfChanged(Control::HeightField, QString::number(set.fontHeight));
    window_.SetTextIfChanged(Control::VersionLabel,
                             QStringLiteral("Unknown Parameter: %1").arg(set.version));
    window_.SetTextIfChanged(Control::CodePageLabel, CodePageLabelText(state_.codePage));
    UpdateWindowTitle();
    for (int i = 0; i < ColorMapSize; ++i) {
        window_.SetTextIfChanged(Control::ColorMapField0 + i,
                                 QString::number(set.colorMap[static_cast<std::size_t>(i)]));
    }
    window_.FocusCharList();
    DrawPaletteBar();
    UpdateCharsFrameTitle();
}

void Dispatcher::ShowAbout() {
    environment_.ShowInformation(&window_, ProgramTitle, AboutText);
}

ShiftMode Dispatcher::SelectedShiftMode() const {
    for (int option : {Control::RollOption, Control::ResizeOption, Control::OffsetOption}) {
        if (window_.StateOf(option) == 1) {
            return ShiftModeOfOption(option);
        }
    }
    return ShiftMode::None;
}

void Dispatcher::UpdateTableRows(int code) {
    window_.charList()->UpdateRows(state_.charset, state_.noGlyphIcon, code);
}

void Dispatcher::UpdateCharsFrameTitle() {
    window_.SetTextIfChanged(Control::CharsFrame,
                             CharsFrameTitle(QString::number(state_.charset.StoredGlyphCount())));
}

void Dispatcher::ShowGlyph(int code) {
    window_.glyphView()->Show(code, window_.Zoom());
    const bool present = state_.charset.GlyphAt(code) != nullptr;
    window_.control(Control::OnButton)->setEnabled(!present);
    window_.control(Control::OffButton)->setEnabled(present);
}

void Dispatcher::DrawPaletteBar() {
    state_.selectedColor = ClampSelectedColor(state_.charset, state_.selectedColor);
    window_.paletteBar()->Show(state_.charset.ColorCount(), state_.selectedColor);
}

void Dispatcher::ShowPreview() {
    const QAction* mark = window_.menuAction(Menu::MarkMissing);
    const bool marking = mark != nullptr && mark->isChecked();
    const QString text = window_.PreviewSampleText();
    window_.previewImage()->SetImage(RenderPreview(
        state_.charset, text, window_.PreviewZoom(), window_.previewImage()->size(),
        marking ? MissingMarks::Shown : MissingMarks::Hidden, state_.codePage));
    QString title = PreviewFrameTitle;
    if (marking) {
        if (const TextCoverage coverage = CheckCoverage(state_.charset, text, state_.codePage);
            !coverage.complete()) {
            title += QStringLiteral(" (missing: %1)").arg(MissingCharacterList(coverage));
        }
    }
    window_.SetTextIfChanged(Control::PreviewFrame, title);
}

} // namespace fontlathe
