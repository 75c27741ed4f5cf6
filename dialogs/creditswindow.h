#pragma once

#include <QDialog>

// The credits window: a picture of the programmer that goes away when the
// player clicks it. It does not block the game.
class CreditsWindow : public QDialog {
    Q_OBJECT
public:
    explicit CreditsWindow(QWidget* parent = nullptr);

    // Shows the window if it is hidden and brings it to the front.
    void ShowInFront();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
