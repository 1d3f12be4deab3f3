#pragma once

#include "charset/Charset.h"
#include "letters/AddLetters.h"

#include <QJsonObject>
#include <QString>
#include <QTextStream>

#include <map>

namespace fontlathe {

// What add-letters did to one font, as it reports it.
struct FontReport {
    QString name;
    AddLettersPlan plan;
    QString fromPage;      // the page the font is drawn for
    Charset font;          // as it was, for the picture
    QString fromPageFound; // how the page was found from the glyphs; empty where it was given
    std::map<char32_t, int> reservedCodes{}; // the code each letter moved to a free one left
};

// The table lists the letters by code, those without one last; letters kept are left out unless
// every row is asked for (the totals count them all).
void PrintTable(const FontReport& font, const AddLettersRequest& request, bool allRows,
                QTextStream& out);

// The report of one font as JSON: its letters, lost letters, totals, style and page.
QJsonObject ReportToJson(const FontReport& report);

} // namespace fontlathe
