#include "CodePage.h"
#include "CodePageTable.h"
#include "CodePoints.h"

#include <QStringDecoder>

#include <algorithm>
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
            known.tables[index] = MakeCodePageTable(pages[index].name, characters);
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
    return CodePage(MakeCodePageTable(wanted, characters));
}

} // namespace fontlathe
