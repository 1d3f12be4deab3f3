// The Edit menu's rows of the window's command table: undo, the clipboard, the pixel tools, the
// view options and the code page.
#include "WindowCommands.h"

#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "document/Document.h"

namespace fontlathe {

std::vector<WindowCommand> EditMenuCommands() {
    using Kind = WindowCommand::Kind;
    using D = Dispatcher;
    return {
        {Kind::Item,
         Menu::Undo,
         "Edit",
         "Undo",
         {Qt::CTRL | Qt::Key_Z},
         {},
         {},
         [](D& d, int current) {
             d.state_.selection.Clear();
             if (d.document_.Undo() == nullptr) {
                 d.presenter_.ShowGlyph(current);
             }
         }},
        {Kind::Item,
         Menu::Redo,
         "Edit",
         "Redo",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y},
         {},
         {},
         [](D& d, int current) {
             d.state_.selection.Clear();
             if (d.document_.Redo() == nullptr) {
                 d.presenter_.ShowGlyph(current);
             }
         }},
        {Kind::Separator, Menu::None, "Edit", ""},
        {Kind::Item,
         Menu::CopyChar,
         "Edit",
         "Copy Char",
         {Qt::CTRL | Qt::Key_C},
         {},
         {},
         [](D& d, int current) {
             if (d.SelectionOn(current)) {
                 d.CopyPixels(current);
             } else if (d.window_.CharListHasFocus() && d.document_.set().GlyphAt(current)) {
                 d.CopyChar(current);
             }
         }},
        {Kind::Item,
         Menu::PasteChar,
         "Edit",
         "Paste Char",
         {Qt::CTRL | Qt::Key_V},
         {},
         {},
         [](D& d, int current) {
             if (d.ClipboardHoldsCopiedPixels()) {
                 d.PastePixels(current);
             } else if (d.window_.CharListHasFocus()) {
                 d.PasteCharCommand(current);
             }
         }},
        {Kind::Separator, Menu::None, "Edit", ""},
        {Kind::Item,
         Menu::SelectAllPixels,
         "Edit",
         "Select All Pixels",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_A},
         {},
         {},
         [](D& d, int current) { d.SelectAllPixels(current); }},
        {Kind::Submenu, Menu::None, "Edit", "Move Pixels"},
        {Kind::Item,
         Menu::MovePixelsLeft,
         "Edit/Move Pixels",
         "Left",
         {Qt::CTRL | Qt::Key_Left},
         {},
         {},
         [](D& d, int current) {
             d.MovePixels(current, {-1, 0});
         }},
        {Kind::Item,
         Menu::MovePixelsRight,
         "Edit/Move Pixels",
         "Right",
         {Qt::CTRL | Qt::Key_Right},
         {},
         {},
         [](D& d, int current) {
             d.MovePixels(current, {1, 0});
         }},
        {Kind::Item,
         Menu::MovePixelsUp,
         "Edit/Move Pixels",
         "Up",
         {Qt::CTRL | Qt::Key_Up},
         {},
         {},
         [](D& d, int current) {
             d.MovePixels(current, {0, -1});
         }},
        {Kind::Item,
         Menu::MovePixelsDown,
         "Edit/Move Pixels",
         "Down",
         {Qt::CTRL | Qt::Key_Down},
         {},
         {},
         [](D& d, int current) {
             d.MovePixels(current, {0, 1});
         }},
        {Kind::Item,
         Menu::FlipHorizontally,
         "Edit",
         "Flip Horizontally",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_H},
         {},
         {},
         [](D& d, int current) { d.FlipPixelsCommand(current, Qt::Horizontal); }},
        {Kind::Item,
         Menu::FlipVertically,
         "Edit",
         "Flip Vertically",
         {},
         {},
         {},
         [](D& d, int current) { d.FlipPixelsCommand(current, Qt::Vertical); }},
        {Kind::Item,
         Menu::ClearPixels,
         "Edit",
         "Clear Pixels",
         {Qt::Key_Delete, Qt::Key_Backspace},
         {},
         {},
         [](D& d, int current) { d.ClearSelectedPixels(current); }},
        {Kind::Key,
         Menu::DropPixels,
         "Edit",
         "Drop Pixels",
         {Qt::Key_Return, Qt::Key_Enter},
         {},
         {},
         [](D& d, int) { d.DropPixels(); }},
        {Kind::Key,
         Menu::DeselectPixels,
         "Edit",
         "Deselect Pixels",
         {Qt::Key_Escape},
         {},
         {},
         [](D& d, int) { d.DeselectPixels(); }},
        {Kind::Separator, Menu::None, "Edit", ""},
        {Kind::Option,
         Menu::MarkMissing,
         "Edit",
         "Mark Missing Characters",
         {},
         "markMissingCharacters",
         false,
         [](D& d, int) { d.presenter_.ShowPreview(); }},
        {Kind::Option,
         Menu::ShowScreenWidth,
         "Edit",
         "Show Screen Width",
         {},
         "showScreenWidth",
         true,
         [](D& d, int) { d.presenter_.ShowPreview(); },
         &ScreenWidthToolTip},
        {Kind::Option,
         Menu::Guides,
         "Edit",
         "Guides",
         {Qt::CTRL | Qt::Key_G},
         "showGuides",
         false,
         [](D& d, int current) { d.presenter_.ShowGlyph(current); }},
        {Kind::Toggle,
         Menu::ReferenceGlyph,
         "Edit",
         "Reference Glyph",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_G},
         {},
         {},
         [](D& d, int current) { d.presenter_.ShowGlyph(current); }},
        {Kind::CodePages, Menu::None, "Edit", "Code Page"},
        {Kind::Separator, Menu::None, "Edit/Code Page", ""},
        {Kind::Item,
         Menu::LoadMappingFile,
         "Edit/Code Page",
         "Load Mapping File...",
         {},
         {},
         {},
         [](D& d, int) { d.LoadMappingFileCommand(); }},
        {Kind::Item,
         Menu::AddLetters,
         "Edit",
         "Add Letters...",
         {},
         {},
         {},
         [](D& d, int) { d.AddLetters(GenerationStyle::Normal); }},
    };
}

} // namespace fontlathe
