#pragma once

#include <QObject>

class CommandTable;
class QWidget;

// The keys of the main window: a menu shortcut runs its command, ahead of
// Qt's own shortcuts and of the menu bar's access keys (Alt+S saves rather
// than opening the "Spiel" menu); any other key is reported by its Windows
// key code when pressed and when released. Keys meant for a modal dialog
// are left to it.
class KeyRouter : public QObject {
    Q_OBJECT
public:
    KeyRouter(QWidget& window, const CommandTable& commands);
    ~KeyRouter() override;

signals:
    void pressed(int key);
    void released(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    const CommandTable& commands_;
};
