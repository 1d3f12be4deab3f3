#include "Edit.h"

#include "text/CodePoints.h"

#include <utility>

namespace fontlathe {

Edit::Edit(QString verb, Scope applied, Scope swapped, int code)
    : verb_(std::move(verb)), text_(verb_), applied_(applied), swapped_(swapped), code_(code) {}

void Edit::Apply(Charset& set) {
    Keep(set);
    Change(set);
}

void Edit::Name(const CodePage& page) {
    text_ = StepText(verb_, code_, page);
}

QString StepText(const QString& verb, int code, const CodePage& page) {
    const std::optional<char32_t> character = page.CharacterAt(code);
    return character && code >= FirstPrintableCode && ReadsInQuotes(*character)
               ? QStringLiteral("%1 '%2'").arg(verb, QString::fromUcs4(&*character, 1))
               : QStringLiteral("%1 character %2").arg(verb).arg(code);
}

} // namespace fontlathe
