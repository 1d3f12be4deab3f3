#include "Dispatcher.h"

#include "ControlIds.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "WindowCommands.h"
#include "document/Document.h"
#include "edit/GlyphEdit.h"
#include "gui/Environment.h"
#include "gui/NumericField.h"
#include "views/GlyphView.h"
#include "views/PaletteBar.h"

#include <QLineEdit>

#include <algorithm>
#include <array>

namespace fontlathe {

namespace {

bool IsHeaderField(int controlId) {
    return controlId == Control::HeightField ||
           (controlId >= Control::ColorMapField0 && controlId <= Control::ColorMapFieldLast);
}

} // namespace

Dispatcher::Dispatcher(Document& document, AppState& state, MainWindow& window,
                       Environment& environment)
    : document_(document), state_(state), window_(window), environment_(environment),
      presenter_(document, state, window) {
    connect(&window_, &MainWindow::menuCommand, this, &Dispatcher::MenuCommand);
    connect(&window_, &MainWindow::controlEvent, this, &Dispatcher::ControlEvent);
    connect(window_.glyphView()->canvas(), &GlyphCanvas::pixelAction, this,
            &Dispatcher::CanvasPixelAction);
    connect(window_.glyphView()->canvas(), &GlyphCanvas::strokeEnded, this, &Dispatcher::EndStroke);
    connect(window_.glyphView()->canvas(), &GlyphCanvas::leftPressed, this,
            &Dispatcher::CanvasPressed);
    connect(window_.glyphView()->canvas(), &GlyphCanvas::selectionDragged, this,
            &Dispatcher::SelectPixels);
    connect(&window_, &MainWindow::editMenuAboutToShow, this, [this] {
        ClipboardHoldsCopiedPixels();
        presenter_.ShowPixelItems();
    });
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
    connect(&window_, &MainWindow::previewResized, this, [this] { presenter_.ShowPreview(); });
    window_.SetRecentFiles(document_.recentFiles().paths());
    connect(&document_, &Document::recentFilesChanged, this,
            [this] { window_.SetRecentFiles(document_.recentFiles().paths()); });
    connect(&document_, &Document::changed, this,
            [this](const Scope& scope, int code) { presenter_.Show(scope, code); });
    connect(&document_, &Document::codePageRefused, this, &Dispatcher::ShowCodePageRefused);
    presenter_.UpdateEditMenu();
}

const EditHistory& Dispatcher::history() const {
    return document_.history();
}

void Dispatcher::ReadCurrentChar() {
    state_.currentChar = window_.CurrentRow();
}

void Dispatcher::OpenRecentCommand(const QString& path) {
    ReadCurrentChar();
    FinishPendingEdits();
    OpenRecent(path);
}

void Dispatcher::MenuCommand(int menuId) {
    ReadCurrentChar();
    // Floating pixels stay afloat for the commands that move, drop or cancel them and for the
    // view choices; every other command writes them first.
    static constexpr std::array keepFloating = {
        Menu::MovePixelsLeft, Menu::MovePixelsRight, Menu::MovePixelsUp, Menu::MovePixelsDown,
        Menu::DropPixels,     Menu::DeselectPixels,  Menu::Guides,       Menu::ReferenceGlyph};
    if (std::ranges::find(keepFloating, menuId) == keepFloating.end()) {
        FinishPendingEdits();
    }
    if (const WindowCommand* command = FindWindowCommand(menuId)) {
        command->run(*this, state_.currentChar);
    }
}

void Dispatcher::Quit() {
    if (MayDiscardChanges()) {
        emit quitRequested();
    }
}

void Dispatcher::ControlEvent(int controlId) {
    ReadCurrentChar();
    if (!IsHeaderField(controlId)) {
        FinishPendingEdits();
    }
    const int current = state_.currentChar;
    // The buttons and options hand the keyboard back to the table, after the views show what
    // they did.
    bool focusTable = true;
    switch (controlId) {
    case Control::CharList:
        if (state_.selection.code() != current) {
            state_.selection.Clear();
        }
        presenter_.ShowGlyph(current);
        focusTable = false;
        break;
    case Control::ReferenceField:
        state_.referenceChoice = window_.TextOf(Control::ReferenceField);
        presenter_.ShowGlyph(current);
        focusTable = false;
        break;
    case Control::ZoomBar:
        presenter_.ShowGlyph(current);
        focusTable = false;
        break;
    case Control::PreviewZoomBar:
    case Control::PreviewText:
        presenter_.ShowPreview();
        focusTable = false;
        break;
    case Control::RollOption:
    case Control::ResizeOption:
    case Control::OffsetOption:
    case Control::DirtyBytesCheck:
        break;
    case Control::ShiftLeftButton:
    case Control::ShiftRightButton:
    case Control::ShiftUpButton:
    case Control::ShiftDownButton:
        ShiftCommand(controlId, current);
        break;
    case Control::OnButton:
        ApplyToGlyph(std::make_unique<GlyphOn>(current));
        break;
    case Control::OffButton:
        ApplyToGlyph(std::make_unique<GlyphOff>(current));
        break;
    case Control::LastCharButton:
        LastCharCommand(current);
        break;
    default:
        focusTable = false;
        if (IsHeaderField(controlId)) {
            EditHeaderField(controlId);
        }
        break;
    }
    if (focusTable) {
        window_.FocusCharList();
    }
}

void Dispatcher::ShowAgain(ScopeKind kind) {
    presenter_.Show({kind, {}}, -1);
}

void Dispatcher::ShowAbout() {
    environment_.ShowInformation(&window_, ProgramTitle, AboutText);
}

void Dispatcher::ShowFailure(const QString& headline, const Result& result) {
    QString reason = result.reason();
    if (!reason.isEmpty()) {
        reason[0] = reason[0].toUpper();
    }
    environment_.ShowError(&window_, ProgramTitle,
                           QStringLiteral("%1.\n\n%2.").arg(headline, reason));
}

DirtyBytes Dispatcher::DirtyBytesOption() const {
    return window_.DirtyBytesChecked() ? DirtyBytes::On : DirtyBytes::Off;
}

} // namespace fontlathe
