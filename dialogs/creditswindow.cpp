#include "creditswindow.h"

#include "pictureloader.h"

#include <QLabel>
#include <QMouseEvent>

CreditsWindow::CreditsWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("WhoForm");
    setWindowTitle("Der Programmierer");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setToolTip("Klick auf das Bild und ich verschwinde wieder");

    auto* picture = new QLabel(this);
    picture->setObjectName("Bild");
    picture->setPixmap(QPixmap::fromImage(LoadPicture(":/pictures/credits.jpg")));
    picture->adjustSize();
    // The picture passes its clicks on to the window, so both hide it.
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(picture->size());
    move(294, 152);
}

void CreditsWindow::ShowInFront()
{
    show();
    raise();
    activateWindow();
}

void CreditsWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        hide();
}
