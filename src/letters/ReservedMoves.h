#pragma once

#include "AddLetters.h"
#include "text/CodePage.h"

#include <map>
#include <utility>
#include <vector>

namespace fontlathe {

// Letters whose code the game's text reader takes for itself (я at 0xFF, ю at 0xFE up to
// version 6), moved to codes the translation leaves free, and the page that puts them there: the
// translated text is encoded with it.
struct ReservedMoves {
    std::vector<std::pair<int, char32_t>> moves; // the free code each moved letter takes
    std::map<char32_t, int> reservedCode;        // the code each moved letter left
    std::vector<char32_t> unplaced;              // those no free code was left for
    CodePage page;                               // the target page with the moves

    bool empty() const { return moves.empty() && unplaced.empty(); }
};

// Only letters move (not the @ the reader skips). A free code is one of 0x80-0xFD whose character
// in the page the wanted letters do not use (for a whole page, one the page leaves undefined); the
// lowest free code goes to the reserved letter with the lowest code. The page with the moves is
// named `name`.
ReservedMoves MoveReservedLetters(const CodePage& toPage, const std::vector<char32_t>& letters,
                                  bool wholePage, int gameVersion, const QString& name);

// Each row of a letter the moves took off a reserved code says so: "... (at 0x80: 0xFE is
// reserved)".
void TellReservedMoves(const ReservedMoves& moves, AddLettersPlan& plan);

} // namespace fontlathe
