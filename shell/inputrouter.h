#pragma once

#include <QObject>

class CommandTable;
class QWidget;

// What the player hands the main window besides clicks. A menu shortcut
// runs its command, ahead of Qt's own shortcuts and of the menu bar's access
// keys (Alt+S saves rather than opening the "Spiel" menu), also from the
// windows beside the game while no modal window is open; any other key of
// the game's window is reported by its Windows key code when pressed and
// when released. Other keys of other windows, and every key while a menu is
// open, are left to them. A single local file dropped on the window is
// reported by its path.
class InputRouter : public QObject {
    Q_OBJECT
public:
    InputRouter(QWidget& window, const CommandTable& commands);
    ~InputRouter() override;

signals:
    void pressed(int key);
    void released(int key);
    void dropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    const CommandTable& commands_;
};
