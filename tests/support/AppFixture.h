#pragma once

#include "FakeEnvironment.h"
#include "SampleSets.h"
#include "app/Application.h"
#include "app/ControlIds.h"
#include "views/CharTableView.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace fontlathe::test {

// Starts the whole program against a fake desktop, in a fresh working folder of its own.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts with these arguments after the program's name, shows the window and waits until it
    // is active, so that focus and shortcuts behave as on a desktop.
    void Start(const QStringList& arguments = {});

    QString PathOf(const QString& name) const { return folder_.filePath(name); }
    void WriteFile(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& name) const;
    void WriteSet(const QString& name, const Charset& written) const;

    const Charset& set() { return app_->document().set(); }
    // Changes the document's set through its one door, as a step the views do not hear of: a test
    // changes it behind their back to see what they show after a refresh.
    void ChangeSet(const std::function<void(Charset&)>& change);
    Document& document() { return app_->document(); }
    Presenter& presenter() { return app_->dispatcher().presenter(); }
    MainWindow& window() { return app_->window(); }
    Dispatcher& dispatcher() { return app_->dispatcher(); }
    AppState& state() { return app_->state(); }
    QString Text(int controlId) { return window().TextOf(controlId); }
    QWidget* Widget(int controlId) { return window().control(controlId); }
    // Selects a row as a user would, by clicking it.
    void ClickRow(int row);
    void Click(int controlId);
    void TypeInto(QWidget* widget, const QString& text);

    FakeEnvironment environment_;
    std::unique_ptr<Application> app_;

private:
    QTemporaryDir folder_;
    // The user settings of the run, such as the recent files, so that no test reads or writes
    // the user's own.
    QTemporaryDir settingsFolder_;
    QString previousFolder_;
};

} // namespace fontlathe::test
