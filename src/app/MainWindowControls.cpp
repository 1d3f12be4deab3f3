// The window's controls read and set by id, and the few values the dispatch reads off them.
#include "MainWindow.h"

#include "views/CharTableView.h"
#include "views/GlyphView.h"
#include "views/ImageView.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSlider>

namespace fontlathe {

QAction* MainWindow::menuAction(int menuId) const {
    for (QAction* action : menuActions_) {
        if (action->data().toInt() == menuId) {
            return action;
        }
    }
    return nullptr;
}

QWidget* MainWindow::control(int id) const {
    return id >= 0 && id < Control::Count ? controls_[static_cast<std::size_t>(id)] : nullptr;
}

int MainWindow::StateOf(int id) const {
    QWidget* widget = control(id);
    if (widget == charList_) {
        return charList_->SelectedRow();
    }
    if (auto* slider = qobject_cast<QSlider*>(widget)) {
        return slider->value();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->isChecked() ? 1 : 0;
    }
    return 0;
}

QString MainWindow::TextOf(int id) const {
    QWidget* widget = control(id);
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        return frame->title();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        return field->text();
    }
    if (widget == previewText_) {
        return PreviewSampleText();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    return QString();
}

void MainWindow::SetStateIfChanged(int id, int state) {
    if (StateOf(id) == state) {
        return;
    }
    QWidget* widget = control(id);
    const QSignalBlocker blocker(
        widget == charList_ ? static_cast<QObject*>(charList_->selectionModel()) : widget);
    if (widget == charList_) {
        charList_->SelectRow(state);
    } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
        slider->setValue(state);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setChecked(state != 0);
    }
}

void MainWindow::SetTextIfChanged(int id, const QString& text) {
    if (TextOf(id) == text) {
        return;
    }
    QWidget* widget = control(id);
    const QSignalBlocker blocker(widget);
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        frame->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        plain->setPlainText(text);
    }
}

int MainWindow::CurrentRow() const {
    return charList_->SelectedRow();
}

bool MainWindow::CharListHasFocus() const {
    return charList_->hasFocus();
}

void MainWindow::FocusCharList() {
    charList_->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::DirtyBytesChecked() const {
    return StateOf(Control::DirtyBytesCheck) != 0;
}

int MainWindow::Zoom() const {
    return StateOf(Control::ZoomBar);
}

int MainWindow::PreviewZoom() const {
    return StateOf(Control::PreviewZoomBar);
}

QString MainWindow::PreviewSampleText() const {
    // toPlainText() would turn every no-break space into a space, and glyph 160 could never be
    // previewed; the raw text keeps it and ends paragraphs with U+2029.
    QString text = previewText_->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

} // namespace fontlathe
