#include "CodePage.h"

#include "CodePageTable.h"
#include "CodePoints.h"
#include "MappingFile.h"
#include "charset/FileAccess.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdint>

namespace fontlathe {

std::shared_ptr<CodePage::Table> MakeCodePageTable(QString name, const CodeCharacters& given) {
    auto table = std::make_shared<CodePage::Table>();
    table->name = std::move(name);
    table->characters = given;
    for (int code = 0; code < FirstPrintableCode; ++code) {
        table->characters[static_cast<std::size_t>(code)] = static_cast<char32_t>(code);
    }
    table->bmpCodes.assign(0x10000, static_cast<std::int16_t>(CodePage::NotInPage));
    // From the top down, so that the lowest code of a character is the one that stays.
    for (int code = CodeCount - 1; code >= 0; --code) {
        const char32_t character = table->characters[static_cast<std::size_t>(code)];
        if (character == NoCharacter) {
            continue;
        }
        if (character < 0x10000) {
            table->bmpCodes[character] = static_cast<std::int16_t>(code);
        } else {
            table->astralCodes.emplace_back(character, code);
        }
    }
    std::ranges::sort(table->astralCodes);
    return table;
}

Result CodePage::LoadMappingFile(const QString& path, CodePage& page) {
    QByteArray bytes;
    if (Result read = ReadWholeFile(path, MaxMappingFileSize,
                                    QStringLiteral("code page mapping file"), bytes);
        !read) {
        return read;
    }
    return ParseMapping(bytes, QFileInfo(path).absoluteFilePath(), page);
}

Result CodePage::ParseMapping(QByteArrayView text, const QString& name, CodePage& page) {
    MappedCharacters mapped;
    if (Result parsed = ParseMappingText(text, mapped); !parsed) {
        return parsed;
    }
    std::shared_ptr<CodePage::Table> table = MakeCodePageTable(name, mapped.characters);
    table->controlCodesLeftOut = mapped.controlCodes;
    page = CodePage(std::move(table));
    return Result::Success();
}

QByteArray CodePage::MappingFileText() const {
    QByteArray text;
    for (int code = FirstPrintableCode; code < CodeCount; ++code) {
        const char32_t character = table_->characters[static_cast<std::size_t>(code)];
        if (character == NoCharacter || IsControlCharacter(character)) {
            continue;
        }
        const auto hex = [](uint value, int digits) {
            return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
        };
        text +=
            (QStringLiteral("0x") + hex(uint(code), 2) + QStringLiteral("\t0x") +
             hex(character, 4) + QStringLiteral("\t# ") + QString::fromUcs4(&character, 1) + u'\n')
                .toUtf8();
    }
    return text;
}

CodePage CodePage::Renamed(const QString& name) const {
    auto table = std::make_shared<Table>(*table_);
    table->name = name;
    return CodePage(std::move(table));
}

CodePage CodePage::WithMoves(const std::vector<std::pair<int, char32_t>>& moves,
                             const QString& name) const {
    CodeCharacters characters = table_->characters;
    for (const auto& [code, character] : moves) {
        std::ranges::replace(characters, character, NoCharacter);
    }
    for (const auto& [code, character] : moves) {
        if (code >= FirstPrintableCode && code < CodeCount) {
            characters[static_cast<std::size_t>(code)] = character;
        }
    }
    auto table = MakeCodePageTable(name, characters);
    table->controlCodesLeftOut = table_->controlCodesLeftOut;
    return CodePage(std::move(table));
}

int CodePage::ControlCodesLeftOut() const {
    return table_->controlCodesLeftOut;
}

bool CodePage::NamesMappingFile(const QString& nameOrFile) {
    return nameOrFile.contains(u'/') || nameOrFile.endsWith(u".txt", Qt::CaseInsensitive);
}

Result CodePage::Choose(const QString& nameOrFile, CodePage& page) {
    if (NamesMappingFile(nameOrFile)) {
        return LoadMappingFile(nameOrFile, page);
    }
    if (std::optional<CodePage> standard = Standard(nameOrFile)) {
        page = *std::move(standard);
        return Result::Success();
    }
    return Result::Failure(QStringLiteral("unknown code page \"%1\"").arg(nameOrFile));
}

const QString& CodePage::name() const {
    return table_->name;
}

std::optional<char32_t> CodePage::CharacterAt(int code) const {
    if (code < 0 || code >= CodeCount) {
        return std::nullopt;
    }
    const char32_t character = table_->characters[static_cast<std::size_t>(code)];
    return character == NoCharacter ? std::nullopt : std::optional(character);
}

QString CodePage::DisplayText(int code) const {
    const std::optional<char32_t> character = CharacterAt(code);
    if (code < FirstPrintableCode || !character) {
        return QStringLiteral("n.p.");
    }
    return QString::fromUcs4(&*character, 1);
}

int CodePage::CodeOf(char32_t character) const {
    if (character < 0x10000) {
        return table_->bmpCodes[character];
    }
    const auto& astral = table_->astralCodes;
    const auto found =
        std::ranges::lower_bound(astral, character, {}, &std::pair<char32_t, int>::first);
    return found != astral.end() && found->first == character ? found->second : NotInPage;
}

std::vector<int> CodePage::CodesOf(QStringView text) const {
    std::vector<int> codes;
    codes.reserve(static_cast<std::size_t>(text.size()));
    const std::int16_t* bmpCodes = table_->bmpCodes.data();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const char32_t character = NextCodePoint(text, i);
        codes.push_back(character < 0x10000 ? bmpCodes[character] : CodeOf(character));
    }
    return codes;
}

} // namespace fontlathe
