#include "Presenter.h"

#include "ControlIds.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "document/CodePageChoices.h"
#include "document/Document.h"
#include "edit/GlyphPainting.h"
#include "edit/PixelEdits.h"
#include "render/TextPreview.h"
#include "text/TextCoverage.h"
#include "views/CharTableView.h"
#include "views/GlyphView.h"
#include "views/ImageView.h"
#include "views/PaletteBar.h"

#include <QAction>
#include <QFileInfo>

#include <algorithm>
#include <initializer_list>

namespace fontlathe {

Presenter::Presenter(const Document& document, AppState& state, MainWindow& window)
    : document_(document), state_(state), window_(window) {}

// The refreshes run in one fixed order, each for the scopes that need it.
void Presenter::Show(const Scope& scope, int code) {
    const auto in = [&scope](std::initializer_list<ScopeKind> kinds) {
        return std::ranges::find(kinds, scope.kind) != kinds.end();
    };
    using enum ScopeKind;
    if (in({WholeSet, CodePage, Path, History})) {
        code = window_.CurrentRow();
    }
    // A change of one character, undone or redone from elsewhere in the table, shows its row.
    if (in({Glyph, GlyphPresence, StoredCount})) {
        window_.SetStateIfChanged(Control::CharList, code);
    }
    if (in({Pixel})) {
        // Painting changes no glyph's presence, so the preview changes only where it draws this
        // glyph.
        UpdateTableRows(code);
        window_.glyphView()->canvas()->ShowPixel(scope.pixel);
        if (TextUsesCode(window_.PreviewSampleText(), code, document_.codePage())) {
            ShowPreview();
        }
    }
    if (in({WholeSet, CodePage})) {
        ShowCodePage();
    }
    if (in({Glyph, GlyphPresence})) {
        RefreshChar(code);
    }
    if (in({StoredCount, WholeSet})) {
        RefreshAll(code);
    }
    if (in({CodePage})) {
        UpdateTableRows(-1);
    }
    if (in({Header, Path, WholeSet})) {
        RefreshHeader();
    }
    if (in({CodePage, Header, HeaderField})) {
        ShowPreview();
    }
    if (in({GlyphPresence})) {
        UpdateCharsFrameTitle();
    }
    if (in({History})) {
        UpdateEditMenu();
        UpdateWindowTitle();
    }
}

void Presenter::RefreshChar(int code) {
    UpdateTableRows(code);
    ShowGlyph(code);
    ShowPreview();
}

// The count in the frame's title follows the stored codes, which only whole-set changes move.
void Presenter::RefreshAll(int code) {
    UpdateTableRows(-1);
    ShowGlyph(code);
    ShowPreview();
    UpdateCharsFrameTitle();
}

void Presenter::RefreshHeader() {
    const Charset& set = document_.set();
    window_.SetTextIfChanged(
        Control::BitsLabel,
        QStringLiteral("Bits: %1 (Colors: %2)").arg(set.bitsPerPixel()).arg(set.ColorCount()));
    window_.SetTextIfChanged(Control::HeightField, QString::number(set.fontHeight()));
    window_.SetTextIfChanged(Control::VersionLabel,
                             QStringLiteral("Unknown Parameter: %1").arg(set.version()));
    ShowCodePageLabel(document_.codePage());
    UpdateWindowTitle();
    for (int i = 0; i < ColorMapSize; ++i) {
        window_.SetTextIfChanged(Control::ColorMapField0 + i,
                                 QString::number(set.colorMap()[static_cast<std::size_t>(i)]));
    }
    window_.FocusCharList();
    DrawPaletteBar();
    UpdateCharsFrameTitle();
}

void Presenter::UpdateTableRows(int code) {
    window_.charList()->UpdateRows(document_.set(), state_.noGlyphIcon, code);
}

void Presenter::UpdateCharsFrameTitle() {
    window_.SetTextIfChanged(Control::CharsFrame,
                             CharsFrameTitle(QString::number(document_.set().StoredGlyphCount())));
}

void Presenter::ShowGlyph(int code) {
    const auto checked = [this](int menuId) {
        const QAction* action = window_.menuAction(menuId);
        return action != nullptr && action->isChecked();
    };
    const Charset& set = document_.set();
    CanvasOverlay overlay;
    const bool reference = checked(Menu::ReferenceGlyph);
    overlay.showLine = reference || checked(Menu::Guides);
    if (checked(Menu::Guides)) {
        overlay.guides = FindLineGuides(set, document_.codePage());
    }
    if (reference) {
        const std::optional<int> chosen =
            ReadGlyphChoice(state_.referenceChoice, document_.codePage());
        if (chosen) {
            if (const Glyph* glyph = set.GlyphAt(*chosen)) {
                overlay.reference = *glyph;
            }
        } else if (state_.referenceChoice.trimmed().isEmpty()) {
            overlay.reference =
                DefaultReferenceGlyph(set, document_.codePage(), document_.history(), code);
        }
    }
    if (state_.selection.SelectsOn(code)) {
        overlay.selection = state_.selection.rect();
        overlay.floating = state_.selection.FloatsOn(code);
    }
    window_.glyphView()->ShowReferenceField(reference);
    window_.glyphView()->canvas()->SetOverlay(std::move(overlay));
    window_.glyphView()->Show(code, window_.Zoom());
    ShowPixelItems();
    const bool present = document_.set().GlyphAt(code) != nullptr;
    window_.control(Control::OnButton)->setEnabled(!present);
    window_.control(Control::OffButton)->setEnabled(present);
}

void Presenter::ShowPixelItems() {
    const int code = window_.CurrentRow();
    const PixelSelection& selection = state_.selection;
    const bool selected = selection.SelectsOn(code);
    const bool floating = selection.FloatsOn(code);
    const auto set = [this](int menuId, const QString& text, bool enabled) {
        if (QAction* action = window_.menuAction(menuId)) {
            if (!text.isEmpty()) {
                action->setText(text);
            }
            action->setEnabled(enabled);
        }
    };
    set(Menu::CopyChar, selected ? QStringLiteral("Copy Pixels") : QStringLiteral("Copy Char"),
        true);
    set(Menu::PasteChar,
        state_.pastesPixels ? QStringLiteral("Paste Pixels") : QStringLiteral("Paste Char"), true);
    set(Menu::ClearPixels, {}, selected);
    set(Menu::DropPixels, {}, floating);
    set(Menu::DeselectPixels, {}, selected);
    window_.TakeFloatKeys(floating);
    UpdateEditMenu();
}

void Presenter::DrawPaletteBar() {
    state_.selectedColor = ClampSelectedColor(document_.set(), state_.selectedColor);
    window_.paletteBar()->Show(document_.set().ColorCount(), state_.selectedColor);
}

void Presenter::ShowPreview() {
    const QAction* mark = window_.menuAction(Menu::MarkMissing);
    const bool marking = mark != nullptr && mark->isChecked();
    const QAction* screenWidth = window_.menuAction(Menu::ShowScreenWidth);
    window_.previewImage()->SetGuide(screenWidth != nullptr && screenWidth->isChecked()
                                         ? ScreenWidthColumn(window_.PreviewZoom())
                                         : -1);
    const QString text = window_.PreviewSampleText();
    const Charset& set = document_.set();
    window_.previewImage()->SetImage(
        RenderPreview(set, text, window_.PreviewZoom(), window_.previewImage()->size(),
                      marking ? MissingMarks::Shown : MissingMarks::Hidden, document_.codePage()));
    QString title = PreviewFrameTitle;
    if (marking) {
        if (const TextCoverage coverage = CheckCoverage(set, text, document_.codePage());
            !coverage.complete()) {
            title += QStringLiteral(" (missing: %1)").arg(MissingCharacterList(coverage));
        }
    }
    window_.SetTextIfChanged(Control::PreviewFrame, title);
}

void Presenter::UpdateWindowTitle() {
    window_.setWindowTitle(MainWindowTitle(document_.DisplayName()) +
                           (document_.IsModified() ? QStringLiteral(" *") : QString()));
}

void Presenter::UpdateEditMenu() {
    const EditHistory& history = document_.history();
    // Floating pixels that changed the glyph become a step as Undo puts them down, and Undo takes
    // that step back.
    const Edit* open = history.open();
    const bool floating = FloatingPixelsCode(open) && open->Differs(document_.set());
    if (QAction* undo = window_.menuAction(Menu::Undo)) {
        undo->setEnabled(history.CanUndo() || floating);
        undo->setText(floating            ? QStringLiteral("Undo ") + open->text()
                      : history.CanUndo() ? QStringLiteral("Undo ") + history.UndoText()
                                          : QStringLiteral("Undo"));
    }
    if (QAction* redo = window_.menuAction(Menu::Redo)) {
        // Putting floating pixels down is a new step, after which nothing is left to redo.
        const bool canRedo = history.CanRedo() && !floating;
        redo->setEnabled(canRedo);
        redo->setText(canRedo ? QStringLiteral("Redo ") + history.RedoText()
                              : QStringLiteral("Redo"));
    }
}

void Presenter::ShowCodePage() {
    const CodePage& page = document_.codePage();
    window_.charList()->charModel()->SetCodePage(page);
    window_.CheckCodePage(page.name());
    ShowCodePageLabel(page);
    // A font no page was chosen for is read as latin1: the information line says so.
    const QString key = document_.FileKey();
    window_.control(Control::CodePageLabel)
        ->setToolTip(CodePageToolTip(page) +
                     (key.isEmpty() || CodePageChoices().Knows(key)
                          ? QString()
                          : QStringLiteral("\nNo page was chosen for this font yet: it is read as "
                                           "latin1, the page game fonts are drawn for.")));
}

// The page's name whole: where "Code Page: " and a mapping file's name do not fit the label, the
// name alone (the tooltip says the rest).
void Presenter::ShowCodePageLabel(const CodePage& page) {
    const QWidget* label = window_.control(Control::CodePageLabel);
    QString text = CodePageLabelText(page);
    if (label->fontMetrics().horizontalAdvance(text) > label->width()) {
        text = QFileInfo(page.name()).fileName();
    }
    window_.SetTextIfChanged(Control::CodePageLabel, text);
}

} // namespace fontlathe
