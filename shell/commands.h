#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

// Every command of the main window's menu and tool bar.
enum class Command {
    StartNewGame,
    UndoMove,
    ChooseGame,
    PlayRandomGame,
    Close,
    ChooseSize,
    ChooseBackground,
    ToggleGrid,
    SaveGame,
    RestoreGame,
    ShowRules,
    ShowInfo,
    OpenHomePage,
    OpenGamePage,
    OpenGamesPage,
    ShowCredits,
};

// The main window's menu bar and tool bar: one action per command, shared by
// its menu item and its tool button and connected once to the handler the
// window names for that command, so both run the same handler. Menu
// shortcuts are the program's own key codes; the window asks the table which
// command a key code runs, as Qt's own shortcuts cannot express them all.
class CommandTable {
public:
    using Handlers = std::vector<std::pair<Command, std::function<void()>>>;

    // Builds both bars into `window`, with `colorMenu` as the second menu,
    // and connects each command to its handler. Throws std::logic_error when
    // two items carry the same shortcut, which would leave one of them
    // unreachable, or when a command has no handler or two.
    CommandTable(QMainWindow& window, QMenu* colorMenu, const Handlers& handlers);

    QAction* Action(Command command) const { return actions_.at(command); }
    // The command whose menu item carries the shortcut `code`.
    std::optional<Command> CommandFor(int code) const;

private:
    void BuildMenus(QMainWindow& window, QMenu* colorMenu);
    void BuildToolBar(QMainWindow& window);
    void Connect(const Handlers& handlers);

    std::map<Command, QAction*> actions_;
    std::map<Command, int> shortcuts_;
};
