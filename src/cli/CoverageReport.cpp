#include "CoverageReport.h"

#include "charset/CharCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace fontlathe {

namespace {

// A text file of this size is far beyond any game's script.
constexpr qint64 MaxTextFileSize = qint64(256) * 1024 * 1024;

} // namespace

QString DescribeCoverage(const TextCoverage& coverage) {
    QString text;
    for (const MissingCharacter& missing : coverage.missing) {
        text += QStringLiteral("%1  %2 %3  %4\n")
                    .arg(CodePointName(missing.codePoint), -8)
                    .arg(CharacterText(static_cast<int>(missing.codePoint)), -4)
                    .arg(missing.count, 8)
                    .arg(MissingReasonName(missing.reason));
    }
    if (coverage.complete()) {
        text += QStringLiteral("All %1 distinct characters are covered.\n").arg(coverage.distinct);
    } else {
        text += QStringLiteral("%1 of %2 distinct characters missing.\n")
                    .arg(coverage.missing.size())
                    .arg(coverage.distinct);
    }
    return text;
}

QByteArray CoverageToJson(const TextCoverage& coverage) {
    QJsonArray missing;
    for (const MissingCharacter& character : coverage.missing) {
        missing.append(QJsonObject{
            {"codepoint", CodePointName(character.codePoint)},
            {"char", QString::fromUcs4(&character.codePoint, 1)},
            {"count", character.count},
            {"reason", MissingReasonName(character.reason)},
        });
    }
    const QJsonObject root{{"distinct", coverage.distinct}, {"missing", missing}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

CommandOutcome ReportCoverage(const QString& input, const CoverageText& text, ReportStyle style,
                              QTextStream& out) {
    Charset set;
    set.NewCharset(1);
    if (const FileResult loaded = LoadCharset(set, input); !loaded) {
        return CommandOutcome::Failure(input, loaded.reason());
    }
    TextCoverage coverage;
    if (text.kind == CoverageText::Kind::Inline) {
        coverage = CheckCoverage(set, text.value);
    } else {
        QFile file(text.value);
        if (QFileInfo(text.value).isDir() || !file.open(QIODevice::ReadOnly)) {
            return CommandOutcome::Failure(
                text.value, QStringLiteral("it cannot be opened: %1").arg(file.errorString()));
        }
        if (file.size() > MaxTextFileSize) {
            return CommandOutcome::Failure(
                text.value, QStringLiteral("it is %1 bytes long, too large for a text to check")
                                .arg(file.size()));
        }
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            return CommandOutcome::Failure(
                text.value, QStringLiteral("it cannot be read: %1").arg(file.errorString()));
        }
        if (const qsizetype invalid = FirstInvalidUtf8Byte(bytes); invalid >= 0) {
            return CommandOutcome::Failure(
                text.value,
                QStringLiteral("it is not UTF-8: the byte at offset %1 (0x%2) is not")
                    .arg(invalid)
                    .arg(static_cast<unsigned char>(bytes.at(invalid)), 2, 16, QChar(u'0')));
        }
        const QByteArrayView byteOrderMark("\xEF\xBB\xBF");
        const QByteArrayView body = QByteArrayView(bytes).startsWith(byteOrderMark)
                                        ? QByteArrayView(bytes).sliced(byteOrderMark.size())
                                        : QByteArrayView(bytes);
        coverage = CheckCoverageUtf8(set, body);
    }
    if (style == ReportStyle::Json) {
        out << QString::fromUtf8(CoverageToJson(coverage));
    } else {
        out << DescribeCoverage(coverage);
    }
    out.flush();
    return CommandOutcome::Status(coverage.complete() ? ExitSuccess : ExitMissing);
}

} // namespace fontlathe
