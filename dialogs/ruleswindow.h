#pragma once

#include <QWidget>

// The rules window: the game explained in short blocks of text and pictures
// on a scrolling page. It does not block the game, and closing it only hides
// it, so it comes back as the player left it.
class RulesWindow : public QWidget {
    Q_OBJECT
public:
    explicit RulesWindow(QWidget* parent = nullptr);

    // Shows the window if it is hidden and brings it to the front.
    void ShowInFront();
};
