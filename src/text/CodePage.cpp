#include "CodePage.h"

#include "CodePoints.h"
#include "MappingFile.h"
#include "charset/FileAccess.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>

namespace fontlathe {

namespace {

CodeCharacters Identity() {
    CodeCharacters characters{};
    for (int code = 0; code < CodeCount; ++code) {
        characters[static_cast<std::size_t>(code)] = static_cast<char32_t>(code);
    }
    return characters;
}

// What the library's decoder of that name makes of each single byte; nothing when it knows no
// such name or is no single-byte encoding (some byte only starts a sequence).
std::optional<CodeCharacters> DecodeSingleBytes(const QString& name) {
    const QByteArray encodedName = name.toLatin1();
    if (!QStringDecoder(encodedName.constData()).isValid()) {
        return std::nullopt;
    }
    CodeCharacters characters{};
    for (int code = 0; code < CodeCount; ++code) {
        // A decoder of its own for each byte: resetState() leaves an earlier byte's error set.
        QStringDecoder decoder(encodedName.constData());
        const char byte = static_cast<char>(code);
        const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
        if (decoded.isEmpty()) {
            return std::nullopt;
        }
        const bool one = decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter;
        characters[static_cast<std::size_t>(code)] =
            one && !decoder.hasError() ? decoded[0].unicode() : NoCharacter;
    }
    return characters;
}

} // namespace

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

namespace {

std::shared_ptr<CodePage::Table> MakeTable(QString name, const CodeCharacters& given) {
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

// The listed pages' tables, made once each, and what the library decodes for each.
struct KnownTables {
    std::mutex mutex;
    std::vector<std::shared_ptr<const CodePage::Table>> tables;
    std::vector<std::optional<CodeCharacters>> decoded;
    std::vector<bool> made;
};

KnownTables& Known() {
    static KnownTables known;
    return known;
}

// The table of KnownCodePages()[index]; nullptr when the library lacks it.
std::shared_ptr<const CodePage::Table> KnownTable(std::size_t index,
                                                  const CodeCharacters** decoded = nullptr) {
    KnownTables& known = Known();
    const std::lock_guard lock(known.mutex);
    const std::vector<CodePageInfo>& pages = KnownCodePages();
    if (known.made.empty()) {
        known.tables.resize(pages.size());
        known.decoded.resize(pages.size());
        known.made.resize(pages.size());
    }
    if (!known.made[index]) {
        known.made[index] = true;
        const bool latin1 = index == 0;
        known.decoded[index] = latin1 ? Identity() : DecodeSingleBytes(pages[index].name);
        if (const std::optional<CodeCharacters>& raw = known.decoded[index]) {
            CodeCharacters characters = *raw;
            for (char32_t& character : characters) {
                if (!latin1 && IsControlCharacter(character)) {
                    character = NoCharacter;
                }
            }
            known.tables[index] = MakeTable(pages[index].name, characters);
        }
    }
    if (decoded != nullptr) {
        *decoded = known.decoded[index] ? &*known.decoded[index] : nullptr;
    }
    return known.tables[index];
}

} // namespace

const std::vector<CodePageInfo>& KnownCodePages() {
    static const std::vector<CodePageInfo> pages = {
        {QStringLiteral("latin1"), QStringLiteral("Latin"),
         QStringLiteral("ISO 8859-1, Western European")},
        {QStringLiteral("cp437"), QStringLiteral("Latin"), QStringLiteral("DOS, US English")},
        {QStringLiteral("cp850"), QStringLiteral("Latin"), QStringLiteral("DOS, Western European")},
        {QStringLiteral("cp852"), QStringLiteral("Latin"), QStringLiteral("DOS, Central European")},
        {QStringLiteral("cp857"), QStringLiteral("Latin"), QStringLiteral("DOS, Turkish")},
        {QStringLiteral("cp1250"), QStringLiteral("Latin"),
         QStringLiteral("Windows, Central European")},
        {QStringLiteral("cp1252"), QStringLiteral("Latin"),
         QStringLiteral("Windows, Western European")},
        {QStringLiteral("cp1254"), QStringLiteral("Latin"), QStringLiteral("Windows, Turkish")},
        {QStringLiteral("cp1257"), QStringLiteral("Latin"), QStringLiteral("Windows, Baltic")},
        {QStringLiteral("iso-8859-2"), QStringLiteral("Latin"),
         QStringLiteral("ISO 8859-2, Central European")},
        {QStringLiteral("cp866"), QStringLiteral("Cyrillic"), QStringLiteral("DOS, Russian")},
        {QStringLiteral("cp1251"), QStringLiteral("Cyrillic"), QStringLiteral("Windows")},
        {QStringLiteral("iso-8859-5"), QStringLiteral("Cyrillic"), QStringLiteral("ISO 8859-5")},
        {QStringLiteral("koi8-r"), QStringLiteral("Cyrillic"), QStringLiteral("KOI8-R, Russian")},
        {QStringLiteral("cp737"), QStringLiteral("Greek"), QStringLiteral("DOS")},
        {QStringLiteral("cp1253"), QStringLiteral("Greek"), QStringLiteral("Windows")},
        {QStringLiteral("iso-8859-7"), QStringLiteral("Greek"), QStringLiteral("ISO 8859-7")},
        {QStringLiteral("cp862"), QStringLiteral("Hebrew"), QStringLiteral("DOS")},
        {QStringLiteral("cp1255"), QStringLiteral("Hebrew"), QStringLiteral("Windows")},
    };
    return pages;
}

CodePage::CodePage() {
    static const std::shared_ptr<const Table> latin1 = KnownTable(0);
    table_ = latin1;
}

CodePage::CodePage(std::shared_ptr<const Table> table) : table_(std::move(table)) {}

std::optional<CodePage> CodePage::Standard(const QString& name) {
    const QString wanted = name.trimmed().toLower();
    const std::vector<CodePageInfo>& pages = KnownCodePages();
    for (std::size_t index = 0; index < pages.size(); ++index) {
        if (pages[index].name == wanted) {
            if (auto table = KnownTable(index)) {
                return CodePage(std::move(table));
            }
            return std::nullopt;
        }
    }
    if (wanted.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<CodeCharacters> raw = DecodeSingleBytes(wanted);
    if (!raw) {
        return std::nullopt;
    }
    // An alias decodes every byte as the page it names does.
    for (std::size_t index = 0; index < pages.size(); ++index) {
        const CodeCharacters* decoded = nullptr;
        auto table = KnownTable(index, &decoded);
        if (table && *decoded == *raw) {
            return CodePage(std::move(table));
        }
    }
    CodeCharacters characters = *raw;
    std::ranges::replace_if(characters, IsControlCharacter, NoCharacter);
    return CodePage(MakeTable(wanted, characters));
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
    std::shared_ptr<CodePage::Table> table = MakeTable(name, mapped.characters);
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
    auto table = MakeTable(name, characters);
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
