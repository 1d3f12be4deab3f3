#pragma once

#include "edit/GlyphTransforms.h"
#include "generate/GenerationFont.h"

#include <algorithm>
#include <array>
#include <utility>

namespace fontlathe {

// The ids of the main window's controls, by the names the program calls them. Control events
// reach the dispatch under these ids.
struct Control {
    enum Id : int {
        FontPrefsFrame = 0,
        CharsFrame = 1,
        PreviewFrame = 2,
        ZoomBar = 3,
        PreviewZoomBar = 4,
        CharList = 5,
        GlyphScrollArea = 6,
        GlyphCanvas = 7,
        ShiftLeftButton = 8,
        ShiftRightButton = 9,
        ShiftUpButton = 10,
        ShiftDownButton = 11,
        RollOption = 12,
        ResizeOption = 13,
        OffsetOption = 14,
        BitsLabel = 15,
        HeightLabel = 16,
        PaletteIndexLabel = 17,
        VersionLabel = 18,
        LastCharButton = 19,
        OffButton = 20,
        OnButton = 21,
        PaletteBar = 22,
        PreviewText = 23,
        PreviewImage = 24,
        HeightField = 25,
        DirtyBytesCheck = 26,
        DirtyBytesLabel = 27,
        ColorMapField0 = 28, // ColorMapField i is ColorMapField0 + i, i = 0 to 14
        ColorMapFieldLast = 42,
        CodePageLabel = 43,
        ReferenceField = 44,
        Count = 45,
    };
};

// Menu command ids. The negative ones come from a desktop's own application menu.
struct Menu {
    enum Id : int {
        None = -100, // a row of the command table that is no command (a separator, a submenu)
        New2Colors = 0,
        New4Colors = 1,
        Open = 2,
        Reopen = 3,
        Save = 4,
        SaveAs = 5,
        GenerateNormal = 6,
        GenerateShadowed = 7,
        GenerateOutlined = 8,
        CopyChar = 9,
        PasteChar = 10,
        Close = 11,
        About = 12,
        Undo = 13,
        Redo = 14,
        ClearRecent = 15,
        ExportSheet = 16,
        ImportSheet = 17,
        MarkMissing = 18,
        LoadMappingFile = 19,
        OpenGameFont = 20,
        AddLetters = 21,
        ShowScreenWidth = 22,
        ImportFont = 23,
        ExportBdf = 24,
        Guides = 25,
        ReferenceGlyph = 26,
        SelectAllPixels = 27,
        MovePixelsLeft = 28,
        MovePixelsRight = 29,
        MovePixelsUp = 30,
        MovePixelsDown = 31,
        FlipHorizontally = 32,
        FlipVertically = 33,
        ClearPixels = 34,
        DropPixels = 35,
        DeselectPixels = 36,
        AppQuit = -1,
        AppPreferences = -2,
        AppAbout = -3,
    };
};

// What the controls and menu items stand for in the editor's own terms: the value listed for the
// id, or otherwise for any other.
template <typename Value, std::size_t Count>
Value ValueOfId(int id, const std::array<std::pair<int, Value>, Count>& table, Value otherwise) {
    const auto found = std::ranges::find(table, id, &std::pair<int, Value>::first);
    return found == table.end() ? otherwise : found->second;
}

inline ShiftMode ShiftModeOfOption(int controlId) {
    static constexpr std::array<std::pair<int, ShiftMode>, 3> modes = {{
        {Control::RollOption, ShiftMode::Roll},
        {Control::ResizeOption, ShiftMode::Resize},
        {Control::OffsetOption, ShiftMode::Offset},
    }};
    return ValueOfId(controlId, modes, ShiftMode::None);
}

} // namespace fontlathe
