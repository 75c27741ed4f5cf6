#pragma once

#include <QWidget>

// The rules window: the game explained in short blocks of text and pictures
// on a scrolling page. It does not block the game, and closing it only hides
// it, so it comes back as the player left it.
class RulesWindow : public QWidget {
    Q_OBJECT
public:
    // It opens over `game` the first time, and from then on where the player left it.
    explicit RulesWindow(const QWidget* game = nullptr);

    // Shows the window if it is hidden and brings it to the front.
    void ShowInFront();

private:
    const QWidget* game_;
};
