#include "Dispatcher.h"

#include "ControlIds.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "document/Document.h"
#include "gui/Environment.h"
#include "gui/NumericField.h"
#include "views/GlyphView.h"
#include "views/PaletteBar.h"

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
    connect(&document_, &Document::historyChanged, this, [this] {
        presenter_.UpdateEditMenu();
        presenter_.UpdateWindowTitle();
    });
    connect(&document_, &Document::codePageChanged, this, [this] { presenter_.ShowCodePage(); });
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
    presenter_.Show(OpenRecent(path), state_.currentChar);
}

void Dispatcher::MenuCommand(int menuId) {
    ReadCurrentChar();
    FinishPendingEdits();
    const int current = state_.currentChar;
    ViewScope changed = ViewScope::Nothing;
    switch (menuId) {
    case Menu::New2Colors:
    case Menu::New4Colors:
        changed = NewSet(menuId == Menu::New2Colors ? 1 : 2);
        break;
    case Menu::Open:
        changed = Open();
        break;
    case Menu::OpenGameFont:
        changed = OpenGameFont();
        break;
    case Menu::ClearRecent:
        document_.ClearRecentFiles();
        break;
    case Menu::Reopen:
        changed = Reopen();
        break;
    case Menu::Save:
        Save();
        break;
    case Menu::SaveAs:
        changed = SaveAs();
        break;
    case Menu::GenerateNormal:
    case Menu::GenerateShadowed:
    case Menu::GenerateOutlined:
        changed = Generate(GenerationStyleOfMenu(menuId));
        break;
    case Menu::CopyChar:
        if (window_.CharListHasFocus() && document_.set().GlyphAt(current)) {
            CopyChar(current);
        }
        break;
    case Menu::PasteChar:
        if (window_.CharListHasFocus()) {
            changed = PasteCharCommand(current);
        }
        break;
    case Menu::ExportSheet:
        ExportSheetCommand();
        break;
    case Menu::ImportSheet:
        changed = ImportSheetCommand();
        break;
    case Menu::ImportFont:
        changed = ImportFontCommand();
        break;
    case Menu::ExportBdf:
        ExportBdfCommand();
        break;
    case Menu::MarkMissing:
    case Menu::ShowScreenWidth:
        changed = ViewScope::Preview;
        break;
    case Menu::AddLetters:
        changed = AddLetters(GenerationStyle::Normal);
        break;
    case Menu::LoadMappingFile:
        LoadMappingFileCommand();
        break;
    case Menu::Undo:
        ShowSwapped(document_.Undo());
        break;
    case Menu::Redo:
        ShowSwapped(document_.Redo());
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
    presenter_.Show(changed, current);
}

void Dispatcher::ControlEvent(int controlId) {
    ReadCurrentChar();
    if (!IsHeaderField(controlId)) {
        FinishPendingEdits();
    }
    const int current = state_.currentChar;
    ViewScope changed = ViewScope::Nothing;
    // The buttons and options hand the keyboard back to the table, after the views show what
    // they did.
    bool focusTable = true;
    switch (controlId) {
    case Control::CharList:
    case Control::ZoomBar:
        changed = ViewScope::GlyphView;
        focusTable = false;
        break;
    case Control::PreviewZoomBar:
    case Control::PreviewText:
        changed = ViewScope::Preview;
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
        changed = ShiftCommand(controlId, current);
        break;
    case Control::OnButton:
        ChangeGlyph(QStringLiteral("On"), current,
                    [&](Charset& set) { set.CreateBlankGlyph(current); });
        changed = ViewScope::GlyphPresence;
        break;
    case Control::OffButton:
        ChangeGlyph(QStringLiteral("Off"), current, [&](Charset& set) { set.ClearGlyph(current); });
        changed = ViewScope::GlyphPresence;
        break;
    case Control::LastCharButton:
        changed = LastCharCommand(current);
        break;
    default:
        focusTable = false;
        if (IsHeaderField(controlId)) {
            EditHeaderField(controlId);
        }
        break;
    }
    presenter_.Show(changed, current);
    if (focusTable) {
        window_.FocusCharList();
    }
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
