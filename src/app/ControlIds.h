#pragma once

#include "edit/GlyphTransforms.h"
#include "generate/GenerationFont.h"

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
        Count = 44,
    };
};

// Menu command ids. The negative ones come from a desktop's own application menu.
struct Menu {
    enum Id : int {
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
        AppQuit = -1,
        AppPreferences = -2,
        AppAbout = -3,
    };
};

// What the controls and menu items stand for in the editor's own terms.
inline ShiftMode ShiftModeOfOption(int controlId) {
    switch (controlId) {
    case Control::RollOption:
        return ShiftMode::Roll;
    case Control::ResizeOption:
        return ShiftMode::Resize;
    case Control::OffsetOption:
        return ShiftMode::Offset;
    default:
        return ShiftMode::None;
    }
}

inline GenerationStyle GenerationStyleOfMenu(int menuId) {
    switch (menuId) {
    case Menu::GenerateShadowed:
        return GenerationStyle::Shadowed;
    case Menu::GenerateOutlined:
        return GenerationStyle::Outlined;
    default:
        return GenerationStyle::Normal;
    }
}

} // namespace fontlathe
