#include "HeaderEdit.h"

#include <utility>

namespace fontlathe {

HeaderEdit::HeaderEdit(QString text, const Charset& set, Scope scope, int code)
    : EditStep(std::move(text), scope, code), header_(Of(set)) {}

HeaderEdit::Header HeaderEdit::Of(const Charset& set) {
    return {set.version, set.colorMap, set.fontHeight, set.numChars};
}

void HeaderEdit::Put(const Header& header, Charset& set) {
    set.version = header.version;
    set.colorMap = header.colorMap;
    set.fontHeight = header.fontHeight;
    set.numChars = header.numChars;
}

void HeaderEdit::Swap(Charset& set) {
    const Header current = Of(set);
    Put(header_, set);
    header_ = current;
}

bool HeaderEdit::Differs(const Charset& set) const {
    return Of(set) != header_;
}

} // namespace fontlathe
