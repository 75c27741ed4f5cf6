#pragma once

#include <QWidget>

// The credits window: a picture of the programmer that goes away when the
// player clicks it. It does not block the game.
class CreditsWindow : public QWidget {
    Q_OBJECT
public:
    // It opens over `game` the first time, and from then on where the player left it.
    explicit CreditsWindow(const QWidget* game = nullptr);

    // Shows the window if it is hidden and brings it to the front.
    void ShowInFront();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QWidget* game_;
};
