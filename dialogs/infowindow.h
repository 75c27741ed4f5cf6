#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

// The info window: the game's picture, a link to the maker's home page and
// two ways on, to the web or to the game. Shown modally; every way of closing
// it lets the game go on, so nobody reads its result.
class InfoWindow : public QDialog {
    Q_OBJECT
public:
    // Opens the maker's home page, telling the player over the given window
    // when it cannot.
    using OpenHomePage = std::function<void(QWidget* over)>;

    explicit InfoWindow(OpenHomePage openHomePage, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    OpenHomePage openHomePage_;
    QLabel* picture_ = nullptr;
    QLabel* link_ = nullptr;
    QPushButton* webButton_ = nullptr;
    QPushButton* playButton_ = nullptr;
};
