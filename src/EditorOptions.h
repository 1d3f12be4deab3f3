#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace fontlathe {

// One command-line option of the editor: its names, the value it takes (empty for none) and one
// line on what it does.
struct EditorOption {
    std::string_view names;
    std::string_view value;
    std::string_view text;
};

// The editor's options, which its --help and its manual page list.
inline constexpr std::array EditorOptions = {
    EditorOption{"--font", "N", "open font N of the bundle at once, by the number the game uses"},
    EditorOption{"-h, --help", "", "print the usage text and exit"},
    EditorOption{"-v, --version", "", "print the version and exit"},
};

// The editor's --help: what it opens, then its options.
inline std::string EditorUsage() {
    std::string usage =
        "Usage: fontlathe [FILE]\n"
        "       fontlathe GAME --font N\n"
        "Edit the bitmap fonts (.char files) of SCUMM adventure games.\n"
        "\n"
        "FILE is the font to open; \".char\" is added to a name without an extension, and a\n"
        "file that does not exist yet is created there by Save.\n"
        "FILE may also be GAME, either file of a game's resource bundle (NAME.000 or NAME.001,\n"
        "NAME.LA0 or NAME.LA1, NAME.HE0 or NAME.HE1): the window lists its fonts, and Save\n"
        "writes the one chosen back into the bundle.\n"
        "\n";
    for (const EditorOption& option : EditorOptions) {
        std::string left = std::string(option.names);
        if (!option.value.empty()) {
            left += ' ' + std::string(option.value);
        }
        left.resize(std::max<std::size_t>(left.size(), 13), ' ');
        usage += "  " + left + "  " + std::string(option.text) + "\n";
    }
    return usage;
}

} // namespace fontlathe
