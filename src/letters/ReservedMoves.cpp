#include "ReservedMoves.h"

#include "text/ReservedCodes.h"
#include "text/TextForms.h"

#include <QChar>

#include <algorithm>
#include <set>

namespace fontlathe {

ReservedMoves MoveReservedLetters(const CodePage& toPage, const std::vector<char32_t>& letters,
                                  bool wholePage, int gameVersion, const QString& name) {
    constexpr int FirstFree = 0x80, LastFree = 0xFD;
    const std::set<char32_t> wanted(letters.begin(), letters.end());
    std::vector<std::pair<int, char32_t>> reserved;
    for (const char32_t letter : wanted) {
        const int code = toPage.CodeOf(letter);
        if (QChar::isLetter(letter) && code != CodePage::NotInPage &&
            !ReservedCodeReason(code, gameVersion).isEmpty()) {
            reserved.emplace_back(code, letter);
        }
    }
    std::ranges::sort(reserved);
    ReservedMoves result;
    int free = FirstFree;
    for (const auto& [code, letter] : reserved) {
        for (; free <= LastFree; ++free) {
            const std::optional<char32_t> there = toPage.CharacterAt(free);
            if (wholePage ? !there : !there || !wanted.contains(*there)) {
                break;
            }
        }
        if (free > LastFree) {
            result.unplaced.push_back(letter);
            continue;
        }
        result.moves.emplace_back(free++, letter);
        result.reservedCode[letter] = code;
    }
    result.page = result.moves.empty() ? toPage : toPage.WithMoves(result.moves, name);
    return result;
}

void TellReservedMoves(const ReservedMoves& moves, AddLettersPlan& plan) {
    for (LetterRow& row : plan.rows) {
        if (const auto moved = moves.reservedCode.find(row.letter);
            moved != moves.reservedCode.end()) {
            row.detail += QStringLiteral(" (at %1: %2 is reserved)")
                              .arg(CodeText(row.code), CodeText(moved->second));
        }
    }
}

} // namespace fontlathe
