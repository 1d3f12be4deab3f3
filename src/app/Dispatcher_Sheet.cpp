// Export Sheet and Import Sheet: the whole set as one PNG for a paint program, and back.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "document/Document.h"
#include "edit/WholeSetEdit.h"
#include "gui/Environment.h"
#include "sheet/GlyphSheet.h"

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
    QString path =
        environment_.AskSaveFileName(&window_, QStringLiteral("Export Sheet"),
                                     SheetPathFor(document_.fileType().path()), SheetPattern);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".png");
    }
    if (const Result written =
            ExportSheet(document_.set(), path, std::nullopt, document_.codePage().name());
        !written) {
        ShowFailure(QStringLiteral("Could not export \"%1\"").arg(path), written);
    }
}

// The set is replaced as one step that undo takes back; the path stays, so Save writes the
// imported set over the font it came from.
void Dispatcher::ImportSheetCommand() {
    const QString path =
        environment_.AskOpenFileName(&window_, QStringLiteral("Import Sheet"),
                                     SheetPathFor(document_.fileType().path()), SheetPattern);
    if (path.isEmpty()) {
        return;
    }
    Charset imported = document_.set();
    if (const Result read = ImportSheet(imported, path); !read) {
        ShowFailure(QStringLiteral("Could not import \"%1\"").arg(path), read);
        return;
    }
    document_.Apply(
        std::make_unique<ReplaceSet>(QStringLiteral("Import Sheet"), std::move(imported)));
}

} // namespace fontlathe
