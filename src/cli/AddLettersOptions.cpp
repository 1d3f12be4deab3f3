#include "AddLettersOptions.h"

#include "faces/FaceFile.h"
#include "generate/DrawingFont.h"

#include <QRegularExpression>

namespace fontlathe {

std::optional<int> ReadPerFont(const ParsedArgs& parsed, const QString& option,
                               const QString& value, bool game, QTextStream& err, PerFont& read) {
    static const QRegularExpression numbered(QStringLiteral("^(\\d{1,5})=(.+)$"));
    for (const QString& given : parsed.Values(option)) {
        const QRegularExpressionMatch match = numbered.match(given);
        if (match.hasMatch() && !game) {
            return UsageError(err, QStringLiteral("%1 N=%2 names a font of a game; a font file "
                                                  "takes %1 %2")
                                       .arg(option, value));
        }
        const bool twice = match.hasMatch() ? read.numbered.contains(match.captured(1).toInt())
                                            : read.plain.has_value();
        if (twice) {
            return UsageError(
                err, QStringLiteral("%1 %2 is given twice")
                         .arg(option, match.hasMatch() ? match.captured(1) + u'=' + value : value));
        }
        if (match.hasMatch()) {
            read.numbered.emplace(match.captured(1).toInt(), match.captured(2));
        } else {
            read.plain = given;
        }
    }
    return std::nullopt;
}

// A page by its name or mapping file; the status to end with where it is none.
std::optional<int> ReadPage(const QString& nameOrFile, QTextStream& err, CodePage& page) {
    if (const Result chosen = CodePage::Choose(nameOrFile, page); !chosen) {
        return CodePage::NamesMappingFile(nameOrFile)
                   ? Fail(err, nameOrFile, chosen.reason())
                   : UsageError(err, chosen.reason(), QStringLiteral("fontlathe-cli codepages"));
    }
    return std::nullopt;
}

// An installed family or a bitmap face to draw with; the status to end with where it is none.
std::optional<int> ReadDrawing(const QString& family, QTextStream& err,
                               std::optional<DrawingSource>& source) {
    // A family that is not installed is a slip of the command line: drawing with another would
    // give letters nobody asked for.
    if (!NamesFaceFile(family) && !IsInstalledFamily(family)) {
        return UsageError(err,
                          QStringLiteral("no installed font family is called \"%1\"; the "
                                         "closest are %2")
                              .arg(family, ClosestFamilies(family).join(u", ")),
                          QStringLiteral("fc-list : family"));
    }
    Result unreadable = Result::Success();
    source = MakeDrawingSource(GenerationFont{family, 10, 0, QString()}, unreadable);
    if (!source) {
        return Fail(err, family, unreadable.reason());
    }
    return std::nullopt;
}

} // namespace fontlathe
