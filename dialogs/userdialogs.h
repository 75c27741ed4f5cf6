#pragma once

#include "pictureorder.h"

#include <QString>

class QDialog;
class QWidget;

// Every place where the program waits for the player's answer. Tests put a
// scripted stand-in here; the program shows real German dialogs.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // Yes/No questions, in a confirmation ("Bestätigung") or a warning
    // ("Warnung") box; true for Yes.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    virtual bool AskWarning(QWidget* parent, const QString& text) = 0;
    // An error box ("Fehler") with one button, "OK" unless named.
    virtual void ShowError(QWidget* parent, const QString& text, const QString& button) = 0;
    void ShowError(QWidget* parent, const QString& text) { ShowError(parent, text, QStringLiteral("OK")); }
    // A warning box with an OK button.
    virtual void ShowWarning(QWidget* parent, const QString& text) = 0;
    // A plain box with an OK button, titled with the application's title.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // An error box with an OK button, titled with the application's title:
    // how a command that could not write the settings file ends.
    virtual void ShowTitledError(QWidget* parent, const QString& text) = 0;
    // The open-picture dialog, preset to `current` and shown in `order`,
    // which comes back as the player left it; the chosen file's full path,
    // or an empty text when the player cancels.
    virtual QString ChoosePicture(QWidget* parent, const QString& current, PictureOrder& order) = 0;
    // Shows one of the program's own dialogs modally; its result code.
    virtual int RunModal(QDialog& dialog) = 0;
};
