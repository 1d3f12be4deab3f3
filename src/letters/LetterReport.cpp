#include "LetterReport.h"

#include "text/TextForms.h"

#include <QStringList>

namespace fontlathe {

LetterReport ReportLetters(const AddLettersPlan& plan) {
    LetterReport report;
    report.rows.reserve(plan.rows.size());
    for (const LetterRow& row : plan.rows) {
        report.rows.push_back(
            {row.code == CodePage::NotInPage ? QStringLiteral("-") : CodeText(row.code),
             LetterName(row.letter), row.detail, row.glyph.present() ? row.glyph.raster : QImage(),
             row.from.present() ? row.from.raster : QImage()});
    }
    QStringList lost;
    for (const char32_t letter : plan.lost) {
        lost << LetterName(letter);
    }
    report.lost = lost.isEmpty() ? QStringLiteral("none") : lost.join(u' ');
    report.totals = plan.TotalsText();
    report.style = plan.style;
    return report;
}

} // namespace fontlathe
