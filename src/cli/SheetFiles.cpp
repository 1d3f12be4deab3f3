#include "SheetFiles.h"

#include "FontInput.h"
#include "sheet/GlyphSheet.h"

#include <QRegularExpression>
#include <QtGlobal>

namespace fontlathe {

namespace {

// While it lives, Qt's own messages are dropped: Qt passes libpng's warnings about a damaged file
// on to stderr, and the command names the problem itself.
class QtMessagesMuted {
public:
    QtMessagesMuted() : previous_(qInstallMessageHandler(Drop)) {}
    ~QtMessagesMuted() { qInstallMessageHandler(previous_); }
    QtMessagesMuted(const QtMessagesMuted&) = delete;
    QtMessagesMuted& operator=(const QtMessagesMuted&) = delete;

private:
    static void Drop(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler previous_;
};

} // namespace

std::optional<QSize> ParseCellSize(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,3})x(\\d{1,3})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QSize cell(match.captured(1).toInt(), match.captured(2).toInt());
    const auto inRange = [](int side) { return side >= 1 && side <= MaxGlyphSide; };
    if (!inRange(cell.width()) || !inRange(cell.height())) {
        return std::nullopt;
    }
    return cell;
}

Result ExportSheetFile(const QString& input, std::optional<QSize> cell, const QString& output,
                       const CodePage& page) {
    if (Result refused = RefuseOutputOverInput(input, output); !refused) {
        return refused;
    }
    Charset set;
    if (Result loaded = LoadFontInput(input, set); !loaded) {
        return loaded;
    }
    if (const Result exported = ExportSheet(set, output, cell, page.name()); !exported) {
        // A set that does not fit the sheet is the input's fault; a file that can't be
        // written is the output's.
        const bool outputAtFault = exported.problem() == ResultKind::Unwritable;
        return exported.At(outputAtFault ? output : input);
    }
    return Result::Success();
}

Result ImportSheetFile(const QString& input, DirtyBytes dirtyBytes, const QString& output) {
    if (Result refused = RefuseOutputOverInput(input, output); !refused) {
        return refused;
    }
    Charset set;
    const Result imported = [&] {
        const QtMessagesMuted muted;
        return ImportSheet(set, input);
    }();
    if (!imported) {
        return imported.At(input);
    }
    if (const Result saved = SaveCharset(set, output, dirtyBytes); !saved) {
        return saved.At(output);
    }
    return Result::Success();
}

} // namespace fontlathe
