#include "commands.h"

#include "artwork.h"
#include "icon.h"
#include "keycodes.h"

#include <QAction>
#include <QFrame>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <stdexcept>
#include <vector>

namespace {

// A menu item; a caption of nullptr is a separator.
struct MenuItem {
    const char* name;
    const char* caption = nullptr;
    Command command = Command::Close;
    int shortcut = 0;
    std::optional<Icon> icon = std::nullopt;
};

struct TopMenu {
    const char* name;
    const char* caption;
    std::vector<MenuItem> items;
};

using K = Command;

// The menus in menu order; the colour menu goes between the first two.
const std::vector<TopMenu> Menus = {
    {"menu_main", "&Spiel", {
        {"menu_start", "Neu Starten", K::StartNewGame, KeyCodes::F(2), Icon::Play},
        {"menu_back", "Rückgängig machen", K::UndoMove, KeyCodes::Alt | KeyCodes::Backspace, Icon::Undo},
        {"N3"},
        {"menu_loadgame", "Spiel Auswählen ...", K::ChooseGame, 0, Icon::StackOfGames},
        {"menu_random", "Zufälliges Spiel Spielen", K::PlayRandomGame, 0, Icon::Die},
        {"N2"},
        {"menu_close", "Und Tschüss !!!", K::Close, KeyCodes::F(10)},
    }},
    {"menu_options", "&Einstellungen", {
        {"menu_table", "&Spalten && Zeilen ...", K::ChooseSize, KeyCodes::F(3), Icon::Grid},
        {"menu_image", "&Hintergrundbild ...", K::ChooseBackground, 0, Icon::Landscape},
        {"menu_grid", "Gitternetz Anzeigen", K::ToggleGrid},
        {"N1"},
        {"menu_save", "Speichern", K::SaveGame, KeyCodes::Alt | 'S', Icon::Diskette},
        // Alt+Backspace is undo's alone; the menu showed it here too, where it never worked.
        {"menu_reload", "Wiederherstellen", K::RestoreGame},
    }},
    {"Hilfe1", "&Hilfe", {
        {"menu_rules", "Spielregeln", K::ShowRules, KeyCodes::F(1), Icon::QuestionMark},
        {"N4"},
        {"menu_info", "Über dieses Spiel ...", K::ShowInfo},
        {"N5"},
        {"menu_go", "Zur Grumbeck ins Internet", K::OpenHomePage, 0, Icon::Emblem},
        {"menu_plimmerlo", "Zu Plimmerlo im Internet", K::OpenGamePage, 0, Icon::Board},
        {"menu_games", "Zu den Spielen im Internet", K::OpenGamesPage, 0, Icon::Smiley},
        {"N6"},
        {"menu_who", "Wer hat das gemacht?", K::ShowCredits, 0, Icon::Figure},
    }},
};

// The tool bar, left to right: a button with its hint and command, a
// separator (empty hint) or the spacer (no hint).
struct ToolButton {
    const char* name;
    const char* hint;
    Command command = Command::Close;
};

const std::vector<ToolButton> ToolButtons = {
    {"GrumbeckToolButton", "Hier geht es zur Grumbeck ins Internet ...", K::OpenHomePage},
    {"ToolButton12", ""},
    {"ToolButton1", "Neustart", K::StartNewGame},
    {"ToolButton2", "Zurück", K::UndoMove},
    {"ToolButton6", ""},
    {"ToolButton9", "Spiel Aussuchen", K::ChooseGame},
    {"RandomToolButton", "Zufälliges Spiel", K::PlayRandomGame},
    {"ToolButton7", ""},
    {"ToolButton4", "Bild Laden", K::ChooseBackground},
    {"ToolButton3", "Zeilen & Spalten ...", K::ChooseSize},
    {"ToolButton10", ""},
    {"ToolButton5", "Einstellungen Sichern ...", K::SaveGame},
    {"Panel1", nullptr},
    {"ToolButton8", ""},
    {"HelpToolButton", "Spielregeln", K::ShowRules},
};

QWidget* FixedWidthSpacer(QWidget* parent, const char* name, int width, bool line)
{
    QWidget* spacer = line ? new QFrame(parent) : new QWidget(parent);
    if (line)
        static_cast<QFrame*>(spacer)->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    spacer->setObjectName(name);
    spacer->setFixedWidth(width);
    return spacer;
}

} // namespace

CommandTable::CommandTable(QMainWindow& window, QMenu* colorMenu, const Handlers& handlers)
{
    BuildMenus(window, colorMenu);
    BuildToolBar(window);
    Connect(handlers);
}

void CommandTable::Connect(const Handlers& handlers)
{
    std::map<Command, int> handled;
    for (const auto& [command, handler] : handlers) {
        if (!actions_.contains(command) || ++handled[command] > 1)
            throw std::logic_error("a command without its menu item, or with two handlers");
        QObject::connect(actions_.at(command), &QAction::triggered, actions_.at(command), handler);
    }
    if (handled.size() != actions_.size())
        throw std::logic_error("a menu item without a handler");
}

void CommandTable::BuildMenus(QMainWindow& window, QMenu* colorMenu)
{
    for (const TopMenu& top : Menus) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(top.caption));
        menu->setObjectName(top.name);
        menu->menuAction()->setObjectName(top.name);
        for (const MenuItem& item : top.items) {
            QAction* action = item.caption ? menu->addAction(QString::fromUtf8(item.caption)) : menu->addSeparator();
            action->setObjectName(item.name);
            if (!item.caption)
                continue;
            if (item.shortcut) {
                for (const auto& [command, taken] : shortcuts_)
                    if (taken == item.shortcut)
                        throw std::logic_error("two menu items share the shortcut " + KeyCodes::ShortcutText(item.shortcut).toStdString());
                // Shown only: the window runs it through CommandFor.
                action->setText(action->text() + '\t' + KeyCodes::ShortcutText(item.shortcut));
            }
            if (item.icon)
                action->setIcon(ArtworkIcon(IconResource(*item.icon)));
            actions_[item.command] = action;
            shortcuts_[item.command] = item.shortcut;
        }
        if (top.name == Menus.front().name)
            window.menuBar()->addMenu(colorMenu);
    }
    Action(Command::ToggleGrid)->setCheckable(true);
    Action(Command::ToggleGrid)->setChecked(true);
}

void CommandTable::BuildToolBar(QMainWindow& window)
{
    QToolBar* toolBar = window.addToolBar("ToolBar1");
    toolBar->setObjectName("ToolBar1");
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->layout()->setContentsMargins(0, 0, 0, 0);
    toolBar->layout()->setSpacing(0);
    for (const ToolButton& button : ToolButtons) {
        if (!button.hint || !*button.hint) {
            toolBar->addWidget(FixedWidthSpacer(toolBar, button.name, button.hint ? 8 : 81, button.hint != nullptr));
            continue;
        }
        QAction* action = Action(button.command);
        action->setToolTip(QString::fromUtf8(button.hint));
        toolBar->addAction(action);
        QWidget* widget = toolBar->widgetForAction(action);
        widget->setObjectName(button.name);
        widget->setFixedSize(23, 22);
    }
    // The main window lays tool bars out by their size hint, not by a fixed
    // height, so the bar reaches its 25 pixels through its margins.
    const int extra = std::max(0, 25 - toolBar->sizeHint().height());
    toolBar->layout()->setContentsMargins(0, extra / 2, 0, extra - extra / 2);
}

std::optional<Command> CommandTable::CommandFor(int code) const
{
    if ((code & 0xFF) == 0)
        return std::nullopt;
    for (const auto& [command, shortcut] : shortcuts_)
        if (shortcut == code)
            return command;
    return std::nullopt;
}
