#include "QtEnvironment.h"

#include "AddLettersDialog.h"
#include "faces/FaceFile.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fontlathe {

namespace {

// Where the system keeps its fonts (/usr/share/fonts), the last of the fonts folders that is
// there; empty where none is.
QString SystemFontsFolder() {
    QString found;
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::FontsLocation)) {
        if (QFileInfo(folder).isDir()) {
            found = folder;
        }
    }
    return found;
}

} // namespace

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
    // Without one, the face that matches the flags (DejaVu Sans's regular "Book", not the
    // "Oblique" listed before it).
    QString styleName = preselected.styleName;
    for (const QString& style : QFontDatabase::styles(preselected.family)) {
        const QFont face = QFontDatabase::font(preselected.family, style, 12);
        const bool narrow =
            style.contains(QStringLiteral("Condensed")) || style.contains(QStringLiteral("Narrow"));
        if (styleName.isEmpty() && !narrow &&
            (face.style() != QFont::StyleNormal) == preselected.italic &&
            (preselected.bold ? face.weight() >= QFont::Bold : face.weight() == QFont::Normal)) {
            styleName = style;
        }
    }
    if (!styleName.isEmpty()) {
        initial.setStyleName(styleName);
    }
    QFontDialog dialog(initial, parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    // A bitmap face file (BDF, PCF, PSF) is offered beside the installed fonts.
    std::optional<FontChoice> faceChoice;
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* faceButton =
            buttons->addButton(QStringLiteral("Bitmap Font File..."), QDialogButtonBox::ActionRole);
        QObject::connect(faceButton, &QPushButton::clicked, &dialog, [&] {
            const QString path = AskOpenFileName(
                &dialog, QStringLiteral("Bitmap Font File"),
                NamesFaceFile(preselected.family) ? preselected.family : SystemFontsFolder(),
                FaceFilePattern());
            if (path.isEmpty()) {
                return;
            }
            BitmapFace face;
            if (const Result read = ReadFaceFile(path, face); !read) {
                ShowError(&dialog, QStringLiteral("Bitmap Font File"),
                          QStringLiteral("Could not read \"%1\": %2").arg(path, read.reason()));
                return;
            }
            faceChoice = FontChoice{path, static_cast<double>(face.pixelSize)};
            dialog.accept();
        });
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    if (faceChoice) {
        return faceChoice;
    }
    const QFont chosen = dialog.selectedFont();
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

GenerateOverGameFontAnswer
QtEnvironment::AskGenerateOverGameFont(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    QPushButton* replace = box.addButton(QStringLiteral("Replace"), QMessageBox::DestructiveRole);
    QPushButton* addLetters =
        box.addButton(QStringLiteral("Add Letters Instead"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(addLetters);
    box.exec();
    if (box.clickedButton() == replace) {
        return GenerateOverGameFontAnswer::Replace;
    }
    if (box.clickedButton() == addLetters) {
        return GenerateOverGameFontAnswer::AddLettersInstead;
    }
    return GenerateOverGameFontAnswer::Cancel;
}

std::optional<AddLettersChoices> QtEnvironment::AskAddLetters(QWidget* parent,
                                                              const AddLettersChoices& initial,
                                                              const AddLettersPlanner& plan,
                                                              const AddLettersPictureSaver& save) {
    return RunAddLettersDialog(
        parent, initial, plan,
        [this](QWidget* dialog, const FontChoice& preselected) {
            return AskFont(dialog, preselected);
        },
        [this, folder = initial.folder](QWidget* dialog) {
            return AskOpenFileName(dialog, QStringLiteral("Code Page Mapping File"), folder,
                                   QStringLiteral("Code Page Mapping (*.txt)|*.txt"));
        },
        save);
}

// A table of the fonts with the first one chosen, so that Return opens it; a double click
// chooses and opens a row at once.
std::optional<int> QtEnvironment::AskGameFont(QWidget* parent, const QString& title,
                                              const QStringList& columns,
                                              const QList<QStringList>& rows,
                                              const QList<QImage>& samples) {
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* list = new QTreeWidget(&dialog);
    list->setRootIsDecorated(false);
    list->setHeaderLabels(columns + QStringList{QStringLiteral("Sample")});
    QSize sampleSize;
    for (const QImage& sample : samples) {
        sampleSize = sampleSize.expandedTo(sample.size());
    }
    list->setIconSize(sampleSize);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        auto* item = new QTreeWidgetItem(list, rows[i]);
        for (int column = 0; column < rows[i].size(); ++column) {
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
        if (i < samples.size()) {
            item->setIcon(int(columns.size()), QIcon(QPixmap::fromImage(samples[i])));
        }
    }
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->setCurrentItem(list->topLevelItem(0));
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(440 + sampleSize.width(), 280);
    if (dialog.exec() != QDialog::Accepted || list->currentItem() == nullptr) {
        return std::nullopt;
    }
    return list->indexOfTopLevelItem(list->currentItem());
}

} // namespace fontlathe
