// Import Font and Export BDF: the set from a bitmap face, and the set as a BDF face.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "charset/FileAccess.h"
#include "document/Document.h"
#include "edit/WholeSetEdit.h"
#include "faces/BdfWriter.h"
#include "faces/FaceFile.h"
#include "faces/FaceImport.h"
#include "gui/Environment.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace fontlathe {

namespace {

const QString BdfPattern = QStringLiteral("BDF Font (*.bdf)|*.bdf");

// The face's name beside the font: "font.char" gives "font.bdf".
QString BdfPathFor(const QString& fontPath) {
    const QFileInfo info(fontPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".bdf"));
}

} // namespace

// The face's glyphs replace the set as one step that undo takes back; the path stays, as after
// Import Sheet. The page the set is shown with picks each code's character.
void Dispatcher::ImportFontCommand() {
    const QString path = environment_.AskOpenFileName(
        &window_, QStringLiteral("Import Font"), document_.RequesterFolder(), FaceFilePattern());
    if (path.isEmpty()) {
        return;
    }
    BitmapFace face;
    Charset imported;
    FaceImportReport report;
    Result read = ReadFaceFile(path, face);
    if (read) {
        read = ImportFace(face, document_.codePage(), imported, report);
    }
    if (!read) {
        ShowFailure(QStringLiteral("Could not import \"%1\"").arg(path), read);
        return;
    }
    document_.Apply(
        std::make_unique<ReplaceSet>(QStringLiteral("Import Font"), std::move(imported)));
    if (!report.missing.empty() || !face.notes.empty()) {
        QStringList letters;
        for (const int code : report.missing) {
            letters << document_.codePage().DisplayText(code);
        }
        QString text = face.notes.join(u'\n');
        if (!letters.isEmpty()) {
            text += QStringLiteral("%1The face has no glyph for %2 character%3 of %4: %5")
                        .arg(text.isEmpty() ? QString() : QStringLiteral("\n\n"))
                        .arg(letters.size())
                        .arg(letters.size() == 1 ? QString() : QStringLiteral("s"))
                        .arg(document_.codePage().name(), letters.join(u' '));
        }
        environment_.ShowInformation(&window_, QStringLiteral("Import Font"), text);
    }
}

void Dispatcher::ExportBdfCommand() {
    QString path =
        environment_.AskSaveFileName(&window_, QStringLiteral("Export BDF"),
                                     BdfPathFor(document_.fileType().path()), BdfPattern);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".bdf");
    }
    const QByteArray bdf = WriteBdf(document_.set(), document_.codePage(),
                                    QFileInfo(document_.fileType().path()).completeBaseName());
    if (const Result written = WriteWholeFile(path, bdf); !written) {
        ShowFailure(QStringLiteral("Could not export \"%1\"").arg(path), written);
    }
}

} // namespace fontlathe
