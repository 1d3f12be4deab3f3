// Edit > Code Page: which character each code stands for. A choice is no edit of the set: it
// makes no step and no " *", and it is remembered for the file it was made for.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "document/Document.h"
#include "gui/Environment.h"

#include <QFileInfo>

namespace fontlathe {

void Dispatcher::ShowCodePageRefused(const QString& nameOrFile, const Result& why) {
    ShowFailure(QStringLiteral("Could not use the code page \"%1\"").arg(nameOrFile), why);
}

void Dispatcher::ChooseCodePage(const QString& nameOrFile) {
    ReadCurrentChar();
    FinishPendingEdits();
    if (!document_.ChooseCodePage(nameOrFile)) {
        window_.CheckCodePage(document_.codePage().name());
    }
}

void Dispatcher::LoadMappingFileCommand() {
    const QString path = environment_.AskOpenFileName(
        &window_, QStringLiteral("Load Mapping File"), document_.RequesterFolder(),
        QStringLiteral("Code Page Mapping (*.txt)|*.txt"));
    if (path.isEmpty()) {
        return;
    }
    ChooseCodePage(QFileInfo(path).absoluteFilePath());
    const CodePage& page = document_.codePage();
    if (page.name() == QFileInfo(path).absoluteFilePath() && page.ControlCodesLeftOut() > 0) {
        environment_.ShowInformation(
            &window_, ProgramTitle,
            QStringLiteral("%1 gives characters to %2 below 0x20. They are left out: codes 0 to "
                           "31 are control codes in every page.")
                .arg(QFileInfo(path).fileName(),
                     page.ControlCodesLeftOut() == 1
                         ? QStringLiteral("one code")
                         : QStringLiteral("%1 codes").arg(page.ControlCodesLeftOut())));
    }
}

} // namespace fontlathe
