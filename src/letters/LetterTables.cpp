#include "LetterTables.h"

#include "charset/Charset.h"
#include "text/CodePoints.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

namespace fontlathe {

namespace {

constexpr std::array<std::pair<char32_t, StrokedLetter>, 8> StrokedLetters = {{
    {U'ł', {U'l', StrokeKind::SlantThroughStem}},
    {U'Ł', {U'L', StrokeKind::SlantThroughStem}},
    {U'đ', {U'd', StrokeKind::BarNearStemTop}},
    {U'Đ', {U'D', StrokeKind::BarThroughStemMid}},
    {U'ħ', {U'h', StrokeKind::BarNearStemTop}},
    {U'Ħ', {U'H', StrokeKind::BarAcrossTop}},
    {U'ø', {U'o', StrokeKind::SlashAcrossInk}},
    {U'Ø', {U'O', StrokeKind::SlashAcrossInk}},
}};

constexpr std::array<std::pair<char32_t, char32_t>, 41> LatinTwins = {{
    // Cyrillic capitals, then small letters.
    {U'А', U'A'},
    {U'В', U'B'},
    {U'Е', U'E'},
    {U'К', U'K'},
    {U'М', U'M'},
    {U'Н', U'H'},
    {U'О', U'O'},
    {U'Р', U'P'},
    {U'С', U'C'},
    {U'Т', U'T'},
    {U'Х', U'X'},
    {U'І', U'I'},
    {U'Ј', U'J'},
    {U'Ѕ', U'S'},
    {U'а', U'a'},
    {U'е', U'e'},
    {U'о', U'o'},
    {U'р', U'p'},
    {U'с', U'c'},
    {U'у', U'y'},
    {U'х', U'x'},
    {U'і', U'i'},
    {U'ј', U'j'},
    {U'ѕ', U's'},
    // Greek.
    {U'Α', U'A'},
    {U'Β', U'B'},
    {U'Ε', U'E'},
    {U'Ζ', U'Z'},
    {U'Η', U'H'},
    {U'Ι', U'I'},
    {U'Κ', U'K'},
    {U'Μ', U'M'},
    {U'Ν', U'N'},
    {U'Ο', U'O'},
    {U'Ρ', U'P'},
    {U'Τ', U'T'},
    {U'Υ', U'Y'},
    {U'Χ', U'X'},
    {U'ο', U'o'},
    // Blanks and breaks that show as their everyday twins.
    {U'\u00A0', U' '},
    {U'\u00AD', U'-'},
}};

template <typename Value, std::size_t Size>
std::optional<Value> Find(const std::array<std::pair<char32_t, Value>, Size>& table,
                          char32_t letter) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [letter](const auto& entry) { return entry.first == letter; });
    return found == table.end() ? std::nullopt : std::optional<Value>(found->second);
}

} // namespace

std::optional<StrokedLetter> StrokedLetterOf(char32_t letter) {
    return Find(StrokedLetters, letter);
}

std::optional<char32_t> LatinTwinOf(char32_t letter) {
    return Find(LatinTwins, letter);
}

std::vector<char32_t> EveryLetterOf(const CodePage& page) {
    std::vector<char32_t> letters;
    for (int code = 32; code < GlyphSlotCount; ++code) {
        if (const auto character = page.CharacterAt(code)) {
            letters.push_back(*character);
        }
    }
    return letters;
}

std::vector<char32_t> LettersOfText(QStringView text) {
    std::vector<char32_t> letters;
    std::set<char32_t> seen;
    for (qsizetype i = 0; i < text.size();) {
        const char32_t letter = NextCodePoint(text, i);
        if (letter >= U' ' && seen.insert(letter).second) {
            letters.push_back(letter);
        }
    }
    return letters;
}

bool IsGreekCapital(char32_t letter) {
    return letter >= 0x0391 && letter <= 0x03A9;
}

} // namespace fontlathe
