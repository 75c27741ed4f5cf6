#pragma once

#include <QObject>

#include <array>
#include <optional>

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
inline constexpr int CommandCount = int(Command::ShowCredits) + 1;

// The main window's menu bar and tool bar: one action per command, shared by
// its menu item and its tool button, so both run the same handler. Menu
// shortcuts are the program's own key codes; the window asks the table which
// command a key code runs, as Qt's own shortcuts cannot express them all.
class CommandTable {
public:
    // Builds both bars into `window`, with `colorMenu` as the second menu.
    // Throws std::logic_error when two items carry the same shortcut, which
    // would leave one of them unreachable.
    CommandTable(QMainWindow& window, QMenu* colorMenu);

    QAction* Action(Command command) const { return actions_[int(command)]; }
    // The command whose menu item carries the shortcut `code`.
    std::optional<Command> CommandFor(int code) const;

private:
    void BuildMenus(QMainWindow& window, QMenu* colorMenu);
    void BuildToolBar(QMainWindow& window);

    std::array<QAction*, CommandCount> actions_{};
    std::array<int, CommandCount> shortcuts_{};
};
