#pragma once

// What CodePage keeps of a page, seen only by the files that make pages.

#include "CodePage.h"
#include "MappingFile.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace fontlathe {

struct CodePage::Table {
    QString name;
    CodeCharacters characters{};
    // The lowest code of each character of the Basic Multilingual Plane, or NotInPage: a text
    // turns into codes with one look-up a character.
    std::vector<std::int16_t> bmpCodes;
    // The same for characters beyond it, which only mapping files give; sorted by character.
    std::vector<std::pair<char32_t, int>> astralCodes;
    // The codes below 0x20 a mapping file gave characters, which the page leaves out.
    int controlCodesLeftOut = 0;
};

// The table of a page named `name` whose codes stand for the characters given; codes below 0x20
// stand for themselves whatever is given.
std::shared_ptr<CodePage::Table> MakeCodePageTable(QString name, const CodeCharacters& given);

} // namespace fontlathe
