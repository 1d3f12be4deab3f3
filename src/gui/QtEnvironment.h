#pragma once

#include "Environment.h"

namespace fontlathe {

// The file dialog filter ("Label (*.a *.b)") for a pattern in the program's notation.
QString ToolkitFileFilter(const QString& filePattern);

// The real desktop: Qt's file dialogs and message boxes.
class QtEnvironment : public Environment {
public:
    QString AskOpenFileName(QWidget* parent, const QString& title, const QString& startPath,
                            const QString& filePattern) override;
    QString AskSaveFileName(QWidget* parent, const QString& title, const QString& startPath,
                            const QString& filePattern) override;
    std::optional<FontChoice> AskFont(QWidget* parent, const FontChoice& preselected) override;
    const QMimeData* ClipboardData() override;
    void SetClipboardData(QMimeData* data) override;
    void ShowInformation(QWidget* parent, const QString& title, const QString& text) override;
    void ShowError(QWidget* parent, const QString& title, const QString& text) override;
    SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& title,
                                     const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& title, const QString& text) override;
    GenerateOverGameFontAnswer AskGenerateOverGameFont(QWidget* parent, const QString& title,
                                                       const QString& text) override;
    std::optional<AddLettersChoices> AskAddLetters(QWidget* parent,
                                                   const AddLettersChoices& initial,
                                                   const AddLettersPlanner& plan,
                                                   const AddLettersPictureSaver& save) override;
    std::optional<int> AskGameFont(QWidget* parent, const QString& title,
                                   const QStringList& columns, const QList<QStringList>& rows,
                                   const QList<QImage>& samples) override;
};

} // namespace fontlathe
