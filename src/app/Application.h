#pragma once

#include "AppState.h"
#include "Dispatcher.h"
#include "MainWindow.h"
#include "document/Document.h"

#include <QStringList>

#include <optional>

namespace fontlathe {

class Environment;

// The program: its document, its state, its window and the dispatch between them, started once.
class Application {
public:
    explicit Application(Environment& environment);

    // Puts a set into memory (the file named by the first argument after the program's name, or
    // a new 2-colour set), fills every view and shows the window. A file of a game's bundle opens
    // the font that --font names, or lists the bundle's fonts once the window shows.
    void Start(const QStringList& arguments);

    Document& document() { return document_; }
    AppState& state() { return state_; }
    MainWindow& window() { return window_; }
    Dispatcher& dispatcher() { return dispatcher_; }

    // The file argument: the first after the program's name that is no desktop launch token and
    // no --font option.
    static QString FileArgument(const QStringList& arguments);
    // The number after --font, when it is one.
    static std::optional<int> FontArgument(const QStringList& arguments);

private:
    Environment& environment_;
    Document document_;
    AppState state_;
    MainWindow window_;
    Dispatcher dispatcher_;
};

} // namespace fontlathe
