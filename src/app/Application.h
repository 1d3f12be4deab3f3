#pragma once

#include "AppState.h"
#include "Dispatcher.h"
#include "MainWindow.h"

#include <QStringList>

namespace fontlathe {

class Environment;

// The program: its state, its window and the dispatch between them, started once.
class Application {
public:
    explicit Application(Environment& environment);

    // Puts a set into memory (the file named by the first argument after the program's name, or
    // a new 2-colour set), fills every view and shows the window.
    void Start(const QStringList& arguments);

    AppState& state() { return state_; }
    MainWindow& window() { return window_; }
    Dispatcher& dispatcher() { return dispatcher_; }

    // The file argument: the first after the program's name that is no desktop launch token.
    static QString FileArgument(const QStringList& arguments);

private:
    Environment& environment_;
    AppState state_;
    MainWindow window_;
    Dispatcher dispatcher_;
};

} // namespace fontlathe
