#pragma once
// The tests' answers to every question the program asks the user, with a
// record of what it showed: the one double of UserDialogs for all window and
// dialog tests.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "dialogs/user_dialogs.h"

namespace test_support {

class ScriptedDialogs : public UserDialogs {
  public:
    // File dialogs: the answers in order; none left, or an empty text, cancels.
    std::deque<QString> openAnswers;
    QStringList openTitles, openFilters, openSelectedFilters;
    std::deque<QString> saveAnswers;
    std::vector<SaveFileQuestion> saveQuestions;

    // Message boxes, with the caption each was given (empty: the program's).
    QStringList errors, errorTitles, informations;

    // OK/Cancel questions: every one is answered with okCancelAnswer.
    bool okCancelAnswer = false;
    QStringList okCancelQuestions;

    // Yes/no questions: the answers in order; none left answers no.
    std::deque<bool> yesNoAnswers;
    QStringList yesNoQuestions;
    // Save/discard/cancel questions: the answers in order; none left cancels.
    std::deque<SaveChoice> saveChoices;
    QStringList saveChoiceQuestions;

    // Modal windows are not run; modalTexts records describeModal of each
    // (by default its object name).
    QStringList modalTexts;
    std::function<QString(QDialog&)> describeModal;

    QStringList openedDocuments;

    QString getOpenFileName(QWidget*, const QString& title, const QString&, const QString& filter,
                            const QString& selectedFilter) override {
        openTitles << title;
        openFilters << filter;
        openSelectedFilters << selectedFilter;
        return next(openAnswers);
    }
    QString getSaveFileName(QWidget*, const SaveFileQuestion& question) override {
        saveQuestions.push_back(question);
        return next(saveAnswers);
    }
    void showError(QWidget*, const QString& text, const QString& title = {}) override {
        errors << text;
        errorTitles << title;
    }
    void showInformation(QWidget*, const QString& text, const QString& = {}) override {
        informations << text;
    }
    bool askOkCancel(QWidget*, const QString&, const QString& text) override {
        okCancelQuestions << text;
        return okCancelAnswer;
    }
    bool askYesNo(QWidget*, const QString&, const QString& text) override {
        yesNoQuestions << text;
        return nextOr(yesNoAnswers, false);
    }
    SaveChoice askSaveDiscardCancel(QWidget*, const QString&, const QString& text) override {
        saveChoiceQuestions << text;
        return nextOr(saveChoices, SaveChoice::Cancel);
    }
    void runModal(QDialog& dialog) override {
        modalTexts << (describeModal ? describeModal(dialog) : dialog.objectName());
    }
    void openDocument(const QString& path) override { openedDocuments << path; }

  private:
    template <typename T>
    static T nextOr(std::deque<T>& answers, T none) {
        if (answers.empty()) return none;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
    static QString next(std::deque<QString>& answers) {
        if (answers.empty()) return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace test_support
