#pragma once

#include "gui/Environment.h"

#include <QMimeData>
#include <QStringList>

#include <deque>
#include <memory>

namespace fontlathe::test {

// Stands in for the desktop: requesters answer from a queue (an empty answer is Cancel) and
// every request and message is recorded.
class FakeEnvironment : public Environment {
public:
    struct Request {
        QString title, startPath, filePattern;
    };
    struct Message {
        QString title, text;
        bool error;
    };

    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::vector<Request> openRequests;
    std::vector<Request> saveRequests;
    std::vector<Message> messages;
    // A choice with an empty family is Cancel.
    std::deque<FontChoice> fontAnswers;
    std::vector<FontChoice> fontRequests;
    std::unique_ptr<QMimeData> clipboard;
    int clipboardWrites = 0;

    QString AskOpenFileName(QWidget*, const QString& title, const QString& startPath,
                            const QString& filePattern) override {
        openRequests.push_back({title, startPath, filePattern});
        return Next(openAnswers);
    }
    QString AskSaveFileName(QWidget*, const QString& title, const QString& startPath,
                            const QString& filePattern) override {
        saveRequests.push_back({title, startPath, filePattern});
        return Next(saveAnswers);
    }
    std::optional<FontChoice> AskFont(QWidget*, const FontChoice& preselected) override {
        fontRequests.push_back(preselected);
        const FontChoice answer = fontAnswers.empty() ? FontChoice() : fontAnswers.front();
        if (!fontAnswers.empty()) {
            fontAnswers.pop_front();
        }
        return answer.family.isEmpty() ? std::nullopt : std::optional(answer);
    }
    const QMimeData* ClipboardData() override { return clipboard.get(); }
    void SetClipboardData(QMimeData* data) override {
        clipboard.reset(data);
        ++clipboardWrites;
    }
    void ShowInformation(QWidget*, const QString& title, const QString& text) override {
        messages.push_back({title, text, false});
    }
    void ShowError(QWidget*, const QString& title, const QString& text) override {
        messages.push_back({title, text, true});
    }

    // Questions are answered from queues; with none queued the answer goes on (Discard, or Yes),
    // as the program did before it asked.
    std::deque<SaveChangesAnswer> saveChangesAnswers;
    std::deque<bool> yesNoAnswers;
    QStringList questions;
    SaveChangesAnswer AskSaveChanges(QWidget*, const QString&, const QString& text) override {
        questions << text;
        return NextOr(saveChangesAnswers, SaveChangesAnswer::Discard);
    }
    bool AskYesNo(QWidget*, const QString&, const QString& text) override {
        questions << text;
        return NextOr(yesNoAnswers, true);
    }

    // The font chosen from a bundle's list, by row; with none queued the list is cancelled.
    std::deque<std::optional<int>> gameFontAnswers;
    std::vector<QList<QStringList>> gameFontRequests;
    std::optional<int> AskGameFont(QWidget*, const QString&, const QStringList&,
                                   const QList<QStringList>& rows,
                                   const QList<QImage>& samples) override {
        gameFontRequests.push_back(rows);
        gameFontSamples = samples;
        return NextOr(gameFontAnswers, std::optional<int>());
    }

    // Generate over a game's font: with none queued the answer is Replace, as before it asked.
    QList<QImage> gameFontSamples;
    std::deque<GenerateOverGameFontAnswer> generateAnswers;
    GenerateOverGameFontAnswer AskGenerateOverGameFont(QWidget*, const QString&,
                                                       const QString& text) override {
        questions << text;
        return NextOr(generateAnswers, GenerateOverGameFontAnswer::Replace);
    }

    // Add Letters: the dialog opens on the choices it is given and shows their plan; an answer
    // queued is then chosen, planned and confirmed, and with none queued the dialog is cancelled.
    std::deque<AddLettersChoices> addLettersAnswers;
    std::vector<AddLettersChoices> addLettersRequests;
    std::vector<LetterReport> addLettersPreviews;
    std::optional<AddLettersChoices> AskAddLetters(QWidget*, const AddLettersChoices& initial,
                                                   const AddLettersPlanner& plan,
                                                   const AddLettersPictureSaver&) override {
        addLettersRequests.push_back(initial);
        addLettersPreviews.push_back(plan(initial));
        if (addLettersAnswers.empty()) {
            return std::nullopt;
        }
        AddLettersChoices answer = addLettersAnswers.front();
        addLettersAnswers.pop_front();
        addLettersPreviews.push_back(plan(answer));
        return answer;
    }

private:
    template <typename T> static T NextOr(std::deque<T>& answers, T fallback) {
        if (answers.empty()) {
            return fallback;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
    static QString Next(std::deque<QString>& answers) {
        if (answers.empty()) {
            return QString();
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace fontlathe::test
