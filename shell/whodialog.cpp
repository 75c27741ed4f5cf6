#include "whodialog.h"

#include "pictureloader.h"

#include <QLabel>
#include <QMouseEvent>

TWhoForm::TWhoForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("WhoForm");
    setWindowTitle("Der Programmierer");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setToolTip("Klick auf das Bild und ich verschwinde wieder");

    Bild = new QLabel(this);
    Bild->setObjectName("Bild");
    Bild->setPixmap(QPixmap::fromImage(LoadPicture(":/pictures/credits.jpg")));
    Bild->adjustSize();
    // The picture passes its clicks on to the window, so both hide it.
    Bild->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(Bild->size());
    move(294, 152);
}

void TWhoForm::ShowInFront()
{
    show();
    raise();
    activateWindow();
}

void TWhoForm::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        BildClick();
}

void TWhoForm::BildClick()
{
    hide();
}
