// Export Sheet and Import Sheet: the whole set as one PNG for a paint program, and back.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "sheet/GlyphSheet.h"
#include "edit/WholeSetEdit.h"
#include "gui/Environment.h"

#include <QDir>
#include <QFileInfo>

namespace fontlathe {

namespace {

const QString SheetPattern = QStringLiteral("Glyph Sheet (*.png)|*.png");

// The sheet's name beside the font: "font.char" gives "font.png".
QString SheetPathFor(const QString& fontPath) {
    const QFileInfo info(fontPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".png"));
}

} // namespace

void Dispatcher::ExportSheetCommand() {
    QString path = environment_.AskSaveFileName(&window_, QStringLiteral("Export Sheet"),
                                                SheetPathFor(state_.fileType.path()),
                                                SheetPattern);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".png");
    }
    if (const SheetResult written = ExportSheet(state_.charset, path, std::nullopt, state_.codePage.name());
        !written) {
        ShowFailure(QStringLiteral("Could not export \"%1\"").arg(path),
                    FileResult::Failure(written.reason()));
    }
}

// The set is replaced as one step that undo takes back; the path stays, so Save writes the
// imported set over the font it came from.
bool Dispatcher::ImportSheetCommand() {
    const QString path = environment_.AskOpenFileName(&window_, QStringLiteral("Import Sheet"),
                                                      SheetPathFor(state_.fileType.path()),
                                                      SheetPattern);
    if (path.isEmpty()) {
        return false;
    }
    history_.Begin(state_.charset,
                   std::make_unique<WholeSetEdit>(QStringLiteral("Import Sheet"), state_.charset));
    const SheetResult read = ImportSheet(state_.charset, path);
    history_.End(state_.charset);
    if (!read) {
        ShowFailure(QStringLiteral("Could not import \"%1\"").arg(path),
                    FileResult::Failure(read.reason()));
        return false;
    }
    return true;
}

} // namespace fontlathe
