#include "creditswindow.h"

#include "artwork.h"
#include "windowkit.h"

#include <QLabel>
#include <QMouseEvent>

CreditsWindow::CreditsWindow(const QWidget* game)
    : game_(game)
{
    setObjectName("WhoForm");
    setWindowTitle("Der Programmierer");
    // A window of its own, so the game comes in front of it when clicked;
    // it neither keeps the program running nor outlives the game's window.
    setWindowFlags(WindowKit::DialogFlags(Qt::Window));
    setAttribute(Qt::WA_QuitOnClose, false);
    WindowKit::UseDesignLook(*this);
    setToolTip("Klick auf das Bild und ich verschwinde wieder");

    auto* picture = new QLabel(this);
    picture->setObjectName("Bild");
    picture->setPixmap(ArtworkPixmap(":/pictures/credits.jpg"));
    picture->adjustSize();
    // The picture passes its clicks on to the window, so both hide it.
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(picture->size());
}

void CreditsWindow::ShowInFront()
{
    WindowKit::ShowInFront(*this, game_);
}

void CreditsWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        hide();
}
