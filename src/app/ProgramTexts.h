#pragma once

#include "AppInfo.h"
#include "ControlIds.h"

#include "text/CodePage.h"

#include <QFileInfo>
#include <QString>

#include <utility>
#include <vector>

namespace fontlathe {

// The program's own fixed texts, each spelled once.
inline const QString ProgramTitle = QStringLiteral("Fontlathe ") + QLatin1StringView(AppVersion);

inline QString MainWindowTitle(const QString& path) {
    return ProgramTitle + QStringLiteral(" - ") + path;
}

inline const QString AboutText =
    ProgramTitle + QStringLiteral(", an editor for the bitmap fonts of SCUMM games.\n"
                                  "Free software, written by the Fontlathe developers.");

// The headline of a file that could not be opened; "%1" stands for its path.
inline const QString OpenFailureHeadline = QStringLiteral("Could not open \"%1\"");

// The information line's word on how codes are read: a standard page by its name, a mapping
// file by its file name.
inline QString CodePageLabelText(const CodePage& page) {
    return QStringLiteral("Code Page: ") + QFileInfo(page.name()).fileName();
}

// What the information line's tooltip says of the page: where a standard page was used, or the
// whole path of a mapping file.
inline QString CodePageToolTip(const CodePage& page) {
    for (const CodePageInfo& known : KnownCodePages()) {
        if (known.name == page.name()) {
            return QStringLiteral("%1: %2 (%3)").arg(known.name, known.description, known.script);
        }
    }
    return QStringLiteral("%1: a mapping file").arg(page.name());
}

inline const QString FontPrefsFrameTitle = QStringLiteral("Font Preferences");
inline const QString PreviewFrameTitle = QStringLiteral("Char Preview");

// The character frame's title; "$" stands for the number of present glyphs the file stores
// (those below the last stored code) until the first count replaces it.
inline QString CharsFrameTitle(const QString& count = QStringLiteral("$")) {
    return QStringLiteral("Preferences of %1 chars (x) = not stored!").arg(count);
}

inline QString PaletteIndexToolTip(int entry) {
    return QStringLiteral(
               "The colour the game draws palette index %1 of the glyphs in: an entry of "
               "the game's palette, 0 to 255")
        .arg(entry + 1);
}
inline const QString ScreenWidthToolTip =
    QStringLiteral("A line in the preview where the text reaches the width of the game's screen, "
                   "320 pixels of the font");
inline const QString ZoomToolTip =
    QStringLiteral("Zoom of the character: screen pixels per pixel of the glyph");
inline const QString PreviewZoomToolTip =
    QStringLiteral("Zoom of the preview: screen pixels per pixel of the font");
inline const QString DirtyBytesToolTip =
    QStringLiteral("Save writes one extra zero byte after every character whose pixels fill whole "
                   "bytes, as LucasArts' own files have; games ignore it");
inline const QString VersionToolTip =
    QStringLiteral("A word of the file's header whose meaning is not known; it is kept as read");

// Tooltips of the controls whose labels are too short to explain themselves, by control. An
// arrow button does what the selected mode says.
inline const std::vector<std::pair<int, QString>>& ControlToolTips() {
    static const std::vector<std::pair<int, QString>> tips = {
        {Control::OnButton,
         QStringLiteral(
             "Gives the selected character a glyph: a blank square as tall as the font")},
        {Control::OffButton,
         QStringLiteral(
             "Removes the selected character's glyph; the file then holds no pixels for it")},
        {Control::ShiftLeftButton,
         QStringLiteral("Roll: the pixels move left, the first column wraps round to the right\n"
                        "Resize: one column less at the right edge\n"
                        "Offset: the x offset goes down by one")},
        {Control::ShiftRightButton,
         QStringLiteral("Roll: the pixels move right, the last column wraps round to the left\n"
                        "Resize: one column more at the right edge\n"
                        "Offset: the x offset goes up by one")},
        {Control::ShiftUpButton,
         QStringLiteral("Roll: the pixels move up, the top row wraps round to the bottom\n"
                        "Resize: one row less at the bottom edge\n"
                        "Offset: the y offset goes down by one (the glyph stands higher)")},
        {Control::ShiftDownButton,
         QStringLiteral("Roll: the pixels move down, the bottom row wraps round to the top\n"
                        "Resize: one row more at the bottom edge\n"
                        "Offset: the y offset goes up by one (the glyph stands lower)")},
        {Control::LastCharButton,
         QStringLiteral(
             "Makes the selected character the last one the file stores; characters after "
             "it are marked (x) and are not saved")},
        {Control::RollOption,
         QStringLiteral("The arrow buttons roll the pixels round, the glyph keeps its size")},
        {Control::ResizeOption,
         QStringLiteral(
             "The arrow buttons add or remove a column at the right or a row at the bottom")},
        {Control::OffsetOption,
         QStringLiteral(
             "The arrow buttons move the glyph's offsets: where the game draws it from the pen")},
        {Control::HeightLabel,
         QStringLiteral(
             "The height of a line of text in pixels: how far the game moves down for a new "
             "line")},
        {Control::HeightField,
         QStringLiteral(
             "The height of a line of text in pixels: how far the game moves down for a new "
             "line")},
        {Control::DirtyBytesLabel, DirtyBytesToolTip},
        {Control::DirtyBytesCheck, DirtyBytesToolTip},
        {Control::VersionLabel, VersionToolTip},
    };
    return tips;
}

} // namespace fontlathe
