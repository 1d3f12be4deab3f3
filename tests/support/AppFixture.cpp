#include "AppFixture.h"

#include "edit/WholeSetEdit.h"

#include <QAbstractButton>
#include <QFile>
#include <QSettings>
#include <QSignalBlocker>
#include <QTest>

namespace fontlathe::test {

void AppFixture::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    ASSERT_TRUE(settingsFolder_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder_.path());
    previousFolder_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder_.path()));
}

void AppFixture::TearDown() {
    app_.reset();
    QDir::setCurrent(previousFolder_);
}

void AppFixture::Start(const QStringList& arguments) {
    app_ = std::make_unique<Application>(environment_);
    app_->Start(QStringList{QStringLiteral("fontlathe")} + arguments);
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
}

void AppFixture::ChangeSet(const std::function<void(Charset&)>& change) {
    Charset changed = set();
    change(changed);
    const QSignalBlocker quiet(document());
    document().Apply(std::make_unique<ReplaceSet>(QStringLiteral("Test"), std::move(changed)));
}

void AppFixture::WriteFile(const QString& name, const QByteArray& bytes) const {
    QFile file(PathOf(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void AppFixture::WriteSet(const QString& name, const Charset& written) const {
    WriteFile(name, Encoded(written));
}

QByteArray AppFixture::ReadFile(const QString& name) const {
    QFile file(PathOf(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void AppFixture::ClickRow(int row) {
    CharTableView* table = window().charList();
    const QModelIndex index = table->model()->index(row, CharTableModel::IndexColumn);
    table->scrollTo(index);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualRect(index).center());
}

void AppFixture::Click(int controlId) {
    auto* button = qobject_cast<QAbstractButton*>(Widget(controlId));
    ASSERT_NE(button, nullptr) << "control " << controlId;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void AppFixture::TypeInto(QWidget* widget, const QString& text) {
    widget->setFocus();
    QTest::keyClicks(widget, text);
}

} // namespace fontlathe::test
