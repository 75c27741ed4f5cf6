#pragma once

#include "userdialogs.h"

// The real dialogs, with German captions and buttons whatever the desktop's language.
class GermanDialogs : public UserDialogs {
public:
    bool Confirm(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    QString ChoosePicture(QWidget* parent, const QString& current) override;
};
