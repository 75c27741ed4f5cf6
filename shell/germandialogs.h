#pragma once

#include "userdialogs.h"

// The real dialogs, with German captions and buttons whatever the desktop's language.
class GermanDialogs : public UserDialogs {
public:
    using UserDialogs::ShowError;
    bool Confirm(QWidget* parent, const QString& text) override;
    bool AskWarning(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text, const QString& button) override;
    void ShowWarning(QWidget* parent, const QString& text) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    void ShowTitledError(QWidget* parent, const QString& text) override;
    QString ChoosePicture(QWidget* parent, const QString& current, PictureOrder& order) override;
    int RunModal(QDialog& dialog) override;
};
