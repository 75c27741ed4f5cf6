#pragma once

#include "userdialogs.h"

#include <QDialog>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>

// Answers questions from a script and remembers what it was shown.
struct ScriptedDialogs : UserDialogs {
    std::deque<bool> answers;
    QStringList questions; // confirmations and warning questions alike
    QStringList errors;
    QStringList errorButtons;
    QStringList warnings;
    QStringList messages;
    QStringList titledErrors;
    QString pictureToChoose;

    using UserDialogs::ShowError;
    bool Confirm(QWidget*, const QString& text) override { return Answer(text); }
    bool AskWarning(QWidget*, const QString& text) override { return Answer("Warnung: " + text); }
    void ShowError(QWidget*, const QString& text, const QString& button) override
    {
        errors << text;
        errorButtons << button;
    }
    void ShowWarning(QWidget*, const QString& text) override { warnings << text; }
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    void ShowTitledError(QWidget*, const QString& text) override { titledErrors << text; }
    // The order the picture dialog was shown in, and the one the player
    // leaves it in where a test says.
    PictureOrder pictureOrderShown = PictureOrder::ByName;
    std::optional<PictureOrder> pictureOrderLeft;
    QString ChoosePicture(QWidget*, const QString&, PictureOrder& order) override
    {
        pictureOrderShown = order;
        order = pictureOrderLeft.value_or(order);
        return pictureToChoose;
    }

    // Plays the player's part in the program's own dialogs; without a
    // script every dialog is cancelled. A script that never ran would let
    // its test pass without having checked anything, so that fails.
    std::function<int(QDialog&)> onModal;
    int modalsShown = 0;
    int RunModal(QDialog& dialog) override
    {
        ++modalsShown;
        return onModal ? onModal(dialog) : QDialog::Rejected;
    }
    ~ScriptedDialogs() override
    {
        if (onModal && modalsShown == 0)
            ADD_FAILURE() << "a dialog was scripted but never shown";
    }

    bool Answer(const QString& question)
    {
        questions << question;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
