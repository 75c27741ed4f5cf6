#pragma once

#include <QDialog>

class DesktopOpener;
class QLabel;
class QPushButton;
class UserDialogs;

// The info window: the game's picture, a link to the maker's home page and
// two ways on, to the web or to the game. Shown modally; every way of closing
// it lets the game go on, so nobody reads its result.
class TInfoForm : public QDialog {
    Q_OBJECT
public:
    TInfoForm(DesktopOpener& desktop, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ImageClick();
    void ImageMouseMove();
    void LinkLabelClick();
    void LinkLabelMouseMove();
    void Button1Click();
    void OpenHomePage();

    DesktopOpener& desktop_;
    UserDialogs& dialogs_;
    QLabel* Image = nullptr;
    QLabel* LinkLabel = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};
