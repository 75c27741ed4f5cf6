#pragma once

#include <functional>
#include <memory>

class Chooser;
class Clock;
class CreditsWindow;
class GameLibrary;
class InfoWindow;
class QString;
class QWidget;
class RowsColumnsDialog;
class RulesWindow;
class UserDialogs;

// The main window's other windows, each made at its first use and from then
// on only shown and hidden, so each opens as the player left it; making them
// all at start would hold up the first picture.
class DialogSet {
public:
    // `openAddress` opens a web address, telling the player over the given
    // window when it cannot.
    using OpenAddress = std::function<void(QWidget* over, const QString& address)>;

    DialogSet(QWidget& owner, GameLibrary& library, const Clock& clock, UserDialogs& dialogs, OpenAddress openAddress);
    ~DialogSet();

    RowsColumnsDialog& SizeDialog();
    Chooser& GameChooser();
    InfoWindow& Info();
    RulesWindow& Rules();
    CreditsWindow& Credits();

private:
    QWidget& owner_;
    GameLibrary& library_;
    const Clock& clock_;
    UserDialogs& dialogs_;
    OpenAddress openAddress_;
    RowsColumnsDialog* sizeDialog_ = nullptr;
    Chooser* chooser_ = nullptr;
    InfoWindow* info_ = nullptr;
    // Windows of their own beside the game, not children of its window.
    std::unique_ptr<RulesWindow> rules_;
    std::unique_ptr<CreditsWindow> credits_;
};
