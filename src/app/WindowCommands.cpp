#include "WindowCommands.h"

#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "document/Document.h"

#include <algorithm>

namespace fontlathe {

const std::vector<WindowCommand>& WindowCommands() {
    using Kind = WindowCommand::Kind;
    using D = Dispatcher;
    static const std::vector<WindowCommand> commands = {
        {Kind::Item, Menu::New2Colors, "File", "New (2 colors)", {Qt::CTRL | Qt::Key_N}, {}, {},
         [](D& d, int) { d.NewSet(1); }},
        {Kind::Item, Menu::New4Colors, "File", "New (4 colors)", {Qt::CTRL | Qt::Key_M}, {}, {},
         [](D& d, int) { d.NewSet(2); }},
        {Kind::Separator, Menu::None, "File", ""},
        {Kind::Item, Menu::Open, "File", "Open...", {Qt::CTRL | Qt::Key_O}, {}, {},
         [](D& d, int) { d.Open(); }},
        {Kind::RecentFiles, Menu::None, "File", "Open Recent"},
        {Kind::Separator, Menu::None, "File/Open Recent", ""},
        {Kind::Item, Menu::ClearRecent, "File/Open Recent", "Clear Menu", {}, {}, {},
         [](D& d, int) { d.document_.ClearRecentFiles(); }},
        {Kind::Item, Menu::Reopen, "File", "Reopen", {Qt::CTRL | Qt::Key_R}, {}, {},
         [](D& d, int) { d.Reopen(); }},
        {Kind::Item, Menu::OpenGameFont, "File", "Open Game Font...", {}, {}, {},
         [](D& d, int) { d.OpenGameFont(); }},
        {Kind::Separator, Menu::None, "File", ""},
        {Kind::Item, Menu::GenerateNormal, "File", "Generate Normal...", {Qt::CTRL | Qt::Key_1}, {},
         {}, [](D& d, int) { d.Generate(GenerationStyle::Normal); }},
        {Kind::Item, Menu::GenerateShadowed, "File", "Generate Shadowed...", {Qt::CTRL | Qt::Key_2},
         {}, {}, [](D& d, int) { d.Generate(GenerationStyle::Shadowed); }},
        {Kind::Item, Menu::GenerateOutlined, "File", "Generate Outlined...", {Qt::CTRL | Qt::Key_3},
         {}, {}, [](D& d, int) { d.Generate(GenerationStyle::Outlined); }},
        {Kind::Separator, Menu::None, "File", ""},
        {Kind::Item, Menu::Save, "File", "Save", {Qt::CTRL | Qt::Key_S}, {}, {},
         [](D& d, int) { d.Save(); }},
        {Kind::Item, Menu::SaveAs, "File", "Save as...", {Qt::CTRL | Qt::Key_A}, {}, {},
         [](D& d, int) { d.SaveAs(); }},
        {Kind::Separator, Menu::None, "File", ""},
        {Kind::Item, Menu::ExportSheet, "File", "Export Sheet...", {}, {}, {},
         [](D& d, int) { d.ExportSheetCommand(); }},
        {Kind::Item, Menu::ImportSheet, "File", "Import Sheet...", {}, {}, {},
         [](D& d, int) { d.ImportSheetCommand(); }},
        {Kind::Item, Menu::ImportFont, "File", "Import Font...", {}, {}, {},
         [](D& d, int) { d.ImportFontCommand(); }},
        {Kind::Item, Menu::ExportBdf, "File", "Export BDF...", {}, {}, {},
         [](D& d, int) { d.ExportBdfCommand(); }},
        {Kind::Separator, Menu::None, "File", ""},
        {Kind::Item, Menu::Close, "File", "Close", {Qt::CTRL | Qt::Key_Q}, {}, {},
         [](D& d, int) { d.Quit(); }},

        {Kind::Item, Menu::Undo, "Edit", "Undo", {Qt::CTRL | Qt::Key_Z}, {}, {},
         [](D& d, int) { d.document_.Undo(); }},
        {Kind::Item, Menu::Redo, "Edit", "Redo",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}, {}, {},
         [](D& d, int) { d.document_.Redo(); }},
        {Kind::Separator, Menu::None, "Edit", ""},
        {Kind::Item, Menu::CopyChar, "Edit", "Copy Char", {Qt::CTRL | Qt::Key_C}, {}, {},
         [](D& d, int current) {
             if (d.window_.CharListHasFocus() && d.document_.set().GlyphAt(current)) {
                 d.CopyChar(current);
             }
         }},
        {Kind::Item, Menu::PasteChar, "Edit", "Paste Char", {Qt::CTRL | Qt::Key_V}, {}, {},
         [](D& d, int current) {
             if (d.window_.CharListHasFocus()) {
                 d.PasteCharCommand(current);
             }
         }},
        {Kind::Separator, Menu::None, "Edit", ""},
        {Kind::Option, Menu::MarkMissing, "Edit", "Mark Missing Characters", {},
         "markMissingCharacters", false, [](D& d, int) { d.presenter_.ShowPreview(); }},
        {Kind::Option, Menu::ShowScreenWidth, "Edit", "Show Screen Width", {}, "showScreenWidth",
         true, [](D& d, int) { d.presenter_.ShowPreview(); }, &ScreenWidthToolTip},
        {Kind::CodePages, Menu::None, "Edit", "Code Page"},
        {Kind::Separator, Menu::None, "Edit/Code Page", ""},
        {Kind::Item, Menu::LoadMappingFile, "Edit/Code Page", "Load Mapping File...", {}, {}, {},
         [](D& d, int) { d.LoadMappingFileCommand(); }},
        {Kind::Item, Menu::AddLetters, "Edit", "Add Letters...", {}, {}, {},
         [](D& d, int) { d.AddLetters(GenerationStyle::Normal); }},

        {Kind::Item, Menu::About, "Info", "About", {}, {}, {}, [](D& d, int) { d.ShowAbout(); }},

        {Kind::Desktop, Menu::AppQuit, nullptr, "Quit", {}, {}, {}, [](D& d, int) { d.Quit(); }},
        {Kind::Desktop, Menu::AppAbout, nullptr, "About", {}, {}, {},
         [](D& d, int) { d.ShowAbout(); }},
        {Kind::Desktop, Menu::AppPreferences, nullptr, "Preferences", {}, {}, {},
         [](D&, int) {}},
    };
    return commands;
}

const WindowCommand* FindWindowCommand(int id) {
    const auto& commands = WindowCommands();
    const auto found = std::ranges::find_if(commands, [id](const WindowCommand& command) {
        return command.id == id && command.run != nullptr;
    });
    return found == commands.end() ? nullptr : &*found;
}

} // namespace fontlathe
