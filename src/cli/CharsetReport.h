#pragma once

#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QByteArray>
#include <QString>

namespace fontlathe {

// A person's view of a set: the header, then one line per present stored glyph, its character
// read through the page.
QString DescribeCharset(const Charset& set, const QString& path, const CodePage& page = CodePage());

// The same as one JSON object, for scripts: header fields and the present stored glyphs in code
// order, each with its pixel rows as palette indices in lowercase hex.
QByteArray CharsetToJson(const Charset& set);

} // namespace fontlathe
