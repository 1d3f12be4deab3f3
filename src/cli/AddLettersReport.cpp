#include "AddLettersReport.h"

#include "letters/LetterReport.h"
#include "text/TextCoverage.h"

#include <QJsonArray>

#include <algorithm>

namespace fontlathe {

namespace {

QString Letter(char32_t letter) {
    return QString::fromUcs4(&letter, 1);
}

} // namespace

void PrintTable(const FontReport& font, const AddLettersRequest& request, bool allRows,
                QTextStream& out) {
    AddLettersPlan shown = font.plan;
    std::erase_if(shown.rows, [allRows](const LetterRow& row) {
        return !allRows && row.source == LetterSource::Kept;
    });
    std::ranges::stable_sort(shown.rows, {}, [](const LetterRow& row) {
        return row.code == CodePage::NotInPage ? GlyphSlotCount : row.code;
    });
    LetterReport report = ReportLetters(shown);
    report.totals = ReportLetters(font.plan).totals;
    out << font.name << ": letters for " << request.toPage.name() << ", the font drawn for "
        << font.fromPage
        << (font.fromPageFound.isEmpty() ? QString()
                                         : QStringLiteral(" (") + font.fromPageFound + u')')
        << ", new letters " << report.style << "\n  code  letter  how\n";
    for (const LetterReport::Row& row : report.rows) {
        out << QStringLiteral("  %1  %2  %3\n").arg(row.code, -4).arg(row.letter, -6).arg(row.how);
    }
    out << "lost: " << report.lost << "\n" << report.totals << "\n";
}

QJsonObject ReportToJson(const FontReport& report) {
    QJsonArray letters, lost;
    for (const LetterRow& row : report.plan.rows) {
        QJsonObject json{
            {QStringLiteral("code"), row.code == CodePage::NotInPage ? QJsonValue() : row.code},
            {QStringLiteral("char"), Letter(row.letter)},
            {QStringLiteral("codepoint"), CodePointName(row.letter)},
            {QStringLiteral("how"), LetterSourceName(row.source)},
            {QStringLiteral("detail"), row.detail}};
        if (const auto moved = report.reservedCodes.find(row.letter);
            moved != report.reservedCodes.end()) {
            json.insert(QStringLiteral("reservedCode"), moved->second);
        }
        letters.append(json);
    }
    for (const char32_t letter : report.plan.lost) {
        lost.append(Letter(letter));
    }
    QJsonObject totals;
    for (const LetterSource source : LetterSources) {
        totals.insert(LetterSourceName(source), report.plan.Count(source));
    }
    QJsonObject json{{QStringLiteral("font"), report.name},
                     {QStringLiteral("fromPage"), report.fromPage},
                     {QStringLiteral("letters"), letters},
                     {QStringLiteral("lost"), lost},
                     {QStringLiteral("totals"), totals},
                     {QStringLiteral("style"), report.plan.style},
                     {QStringLiteral("storedCodes"), report.plan.numChars}};
    if (!report.fromPageFound.isEmpty()) {
        json.insert(QStringLiteral("fromPageFound"), report.fromPageFound);
    }
    return json;
}

} // namespace fontlathe
