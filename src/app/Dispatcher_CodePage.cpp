// Edit > Code Page: which character each code stands for. A choice is no edit of the set: it
// makes no step and no " *", and it is remembered for the file it was made for.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "document/Document.h"
#include "gui/Environment.h"

#include <QFileInfo>

namespace fontlathe {

void Dispatcher::ShowCodePageRefused(const QString& nameOrFile, const FileResult& why) {
    ShowFailure(QStringLiteral("Could not use the code page \"%1\"").arg(nameOrFile), why);
}

void Dispatcher::ChooseCodePage(const QString& nameOrFile) {
    ReadCurrentChar();
    FinishPendingEdits();
    if (!document_.ChooseCodePage(nameOrFile)) {
        window_.CheckCodePage(document_.codePage().name());
        return;
    }
    presenter_.Show(ViewScope::CodePage, state_.currentChar);
}

void Dispatcher::LoadMappingFileCommand() {
    const QString path = environment_.AskOpenFileName(
        &window_, QStringLiteral("Load Mapping File"), document_.RequesterFolder(),
        QStringLiteral("Code Page Mapping (*.txt)|*.txt"));
    if (!path.isEmpty()) {
        ChooseCodePage(QFileInfo(path).absoluteFilePath());
    }
}

} // namespace fontlathe
