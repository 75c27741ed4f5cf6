#pragma once

#include <QString>

class QWidget;

// Every place where the program waits for the player's answer. Tests put a
// scripted stand-in here; the program shows real German dialogs.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A Yes/No question in a confirmation box; true for Yes.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // An error box with an OK button.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // The open-picture dialog, preset to `current`; the chosen file's full
    // path, or an empty text when the player cancels.
    virtual QString ChoosePicture(QWidget* parent, const QString& current) = 0;
};
