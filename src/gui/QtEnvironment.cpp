#include "QtEnvironment.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStringList>

namespace fontlathe {

QString ToolkitFileFilter(const QString& filePattern) {
    const qsizetype bar = filePattern.indexOf(u'|');
    if (bar < 0) {
        return filePattern;
    }
    const QString patterns = filePattern.mid(bar + 1);
    const QString spaced = patterns.split(u';', Qt::SkipEmptyParts).join(u' ');
    QString label = filePattern.left(bar);
    // The label repeats the patterns in brackets; the dialog wants them separated by spaces.
    const QString bracketed = u'(' + patterns + u')';
    if (label.endsWith(bracketed)) {
        label.chop(bracketed.size());
        return label + u'(' + spaced + u')';
    }
    return label + QStringLiteral(" (") + spaced + u')';
}

QString QtEnvironment::AskOpenFileName(QWidget* parent, const QString& title,
                                       const QString& startPath, const QString& filePattern) {
    return QFileDialog::getOpenFileName(parent, title, startPath, ToolkitFileFilter(filePattern));
}

QString QtEnvironment::AskSaveFileName(QWidget* parent, const QString& title,
                                       const QString& startPath, const QString& filePattern) {
    return QFileDialog::getSaveFileName(parent, title, startPath, ToolkitFileFilter(filePattern));
}

std::optional<FontChoice> QtEnvironment::AskFont(QWidget* parent, const FontChoice& preselected) {
    QFont initial(preselected.family);
    initial.setPointSizeF(preselected.pointSize);
    initial.setBold(preselected.bold);
    initial.setItalic(preselected.italic);
    // Without the style name the requester looks for a face called "Normal", and a family
    // without one opens on whichever face it lists first, "Oblique" for some.
    if (!preselected.styleName.isEmpty()) {
        initial.setStyleName(preselected.styleName);
    }
    bool confirmed = false;
    const QFont chosen = QFontDialog::getFont(&confirmed, initial, parent);
    if (!confirmed) {
        return std::nullopt;
    }
    FontChoice choice{chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic(),
                      chosen.underline()};
    choice.styleName = chosen.styleName();
    return choice;
}

const QMimeData* QtEnvironment::ClipboardData() {
    return QGuiApplication::clipboard()->mimeData();
}

void QtEnvironment::SetClipboardData(QMimeData* data) {
    QGuiApplication::clipboard()->setMimeData(data);
}

void QtEnvironment::ShowInformation(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void QtEnvironment::ShowError(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

SaveChangesAnswer QtEnvironment::AskSaveChanges(QWidget* parent, const QString& title,
                                                 const QString& text) {
    switch (QMessageBox::warning(parent, title, text,
                                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveChangesAnswer::Save;
    case QMessageBox::Discard:
        return SaveChangesAnswer::Discard;
    default:
        return SaveChangesAnswer::Cancel;
    }
}

bool QtEnvironment::AskYesNo(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

} // namespace fontlathe
