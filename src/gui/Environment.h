#pragma once

#include <QString>

class QWidget;

namespace fontlathe {

// Everything the program asks of the desktop beyond its own window: file requesters and message
// boxes. The program holds one Environment and calls nothing of these directly, so tests put a
// stand-in in its place.
class Environment {
public:
    virtual ~Environment() = default;

    // filePattern is in the program's notation, "Label (*.a;*.b)|*.a;*.b". Both return the chosen
    // path, or an empty string when the user cancels.
    virtual QString AskOpenFileName(QWidget* parent, const QString& title, const QString& startPath,
                                    const QString& filePattern) = 0;
    virtual QString AskSaveFileName(QWidget* parent, const QString& title, const QString& startPath,
                                    const QString& filePattern) = 0;

    // A modal box with one OK button.
    virtual void ShowInformation(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void ShowError(QWidget* parent, const QString& title, const QString& text) = 0;
};

} // namespace fontlathe
