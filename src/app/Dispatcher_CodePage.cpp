// Edit > Code Page: which character each code stands for. A choice is no edit of the set: it
// makes no step and no " *", and it is remembered for the file it was made for.
#include "Dispatcher.h"
#include "MainWindow.h"
#include "ProgramTexts.h"
#include "gui/Environment.h"
#include "views/CharTableView.h"

#include <QFileInfo>

namespace fontlathe {

bool Dispatcher::UseCodePage(const QString& nameOrFile) {
    CodePage page;
    if (const FileResult chosen = CodePage::Choose(nameOrFile, page); !chosen) {
        ShowFailure(QStringLiteral("Could not use the code page \"%1\"").arg(nameOrFile), chosen);
        return false;
    }
    state_.codePage = page;
    window_.charList()->charModel()->SetCodePage(page);
    window_.CheckCodePage(page.name());
    window_.SetTextIfChanged(Control::CodePageLabel, CodePageLabelText(page));
    return true;
}

void Dispatcher::UseRememberedCodePage() {
    const QString key = CurrentFileKey();
    if (!UseCodePage(key.isEmpty() ? codePageChoices_.LastChosen()
                                   : codePageChoices_.PageFor(key))) {
        UseCodePage(CodePage().name());
    }
}

void Dispatcher::ChooseCodePage(const QString& nameOrFile) {
    ReadCurrentChar();
    FinishPendingEdits();
    if (!UseCodePage(nameOrFile)) {
        window_.CheckCodePage(state_.codePage.name());
        return;
    }
    codePageChoices_.Remember(CurrentFileKey(), state_.codePage.name());
    UpdateTableRows(-1);
    ShowPreview();
}

void Dispatcher::LoadMappingFileCommand() {
    const QString path = environment_.AskOpenFileName(
        &window_, QStringLiteral("Load Mapping File"), RequesterFolder(),
        QStringLiteral("Code Page Mapping (*.txt)|*.txt"));
    if (!path.isEmpty()) {
        ChooseCodePage(QFileInfo(path).absoluteFilePath());
    }
}

} // namespace fontlathe
