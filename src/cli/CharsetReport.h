#pragma once

#include "charset/CharCodec.h"
#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QByteArray>
#include <QString>

namespace fontlathe {

// A person's view of a set read from a file with that layout: the header, then one line per
// present stored glyph, its character read through the page.
QString DescribeCharset(const Charset& set, const BlockLayout& layout, const QString& path,
                        const CodePage& page = CodePage());

// The same as one JSON object, for scripts: header fields and the present stored glyphs in code
// order, each with its pixel rows as palette indices in lowercase hex.
QByteArray CharsetToJson(const Charset& set, const BlockLayout& layout);

} // namespace fontlathe
