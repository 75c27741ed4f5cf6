#include "infowindow.h"

#include "artwork.h"
#include "formwidgets.h"

#include "webaddresses.h"
#include "windowkit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

const QColor LinkPurple(128, 0, 128);
const QColor LinkRed(255, 0, 0);
const QColor Grey(174, 174, 174);

void SetTextColor(QLabel* label, const QColor& color)
{
    WindowKit::SetColor(label, QPalette::WindowText, color);
}

QLabel* GreyLine(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    return FormWidgets::Label(parent, text, geometry, false, Grey, name);
}

} // namespace

InfoWindow::InfoWindow(OpenHomePage openHomePage, QWidget* parent)
    : QDialog(parent), openHomePage_(std::move(openHomePage))
{
    setObjectName("InfoForm");
    setWindowTitle("Info - 01.12.2001");
    setWindowFlags(WindowKit::DialogFlags());
    setFixedSize(450, 323);
    WindowKit::UseDesignLook(*this);
    WindowKit::SetColor(this, QPalette::Window, QColor(224, 224, 224));

    picture_ = new QLabel(this);
    picture_->setObjectName("Image");
    picture_->setPixmap(ArtworkPixmap(":/pictures/info.png"));
    picture_->setGeometry(0, 0, 450, 300);
    picture_->setToolTip("Klick mit der Maus drauf und dann geht es weiter ....");

    link_ = new QLabel(WebAddresses::HomePage, this);
    link_->setObjectName("LinkLabel");
    QFont bold = font();
    bold.setBold(true);
    link_->setFont(bold);
    // Sized to its caption, so the host's name can change without cutting it.
    link_->adjustSize();
    link_->move(216, 232);
    link_->setCursor(Qt::PointingHandCursor);
    SetTextColor(link_, LinkPurple);

    // The picture and the link change the link's colour as the mouse moves
    // over them, not only while a button is held.
    for (QLabel* label : {picture_, link_}) {
        label->setMouseTracking(true);
        label->installEventFilter(this);
    }

    auto* label1 = GreyLine(this, "Label1", "", QRect(16, 294, 423, 13));
    label1->setWordWrap(true);
    GreyLine(this, "Label2", "Dezember 2001 – ein Spiel von Lotte und Paul Grumbeck", QRect(24, 308, 401, 13));

    // Made in tab order: the web button first.
    // Enter clicks the button that has the focus.
    using WindowKit::EnterClicks;
    webButton_ = WindowKit::Button(this, "Button1", "Zur Grumbeck ins Internet", {16, 264, 150, 25},
                                   EnterClicks::FocusedButton);
    connect(webButton_, &QPushButton::clicked, this, [this] {
        openHomePage_(this);
        reject();
    });

    playButton_ = WindowKit::Button(this, "Button2", "Weiter zum Spiel", {280, 264, 150, 25},
                                    EnterClicks::FocusedButton);
    playButton_->setDefault(true);
    connect(playButton_, &QPushButton::clicked, this, &QDialog::accept);

    // Qt would hand the first focus to the default button; the window starts
    // on the first button in tab order instead, and from then on keeps the
    // button the player last moved to.
    webButton_->setFocus();
}

void InfoWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Its border is the game window's, which is up already.
    WindowKit::CenterOnScreen(*this, parentWidget());
}

// Escape means the first cancel button, and that is the web link, not
// "back to the game": both ways lead on, the link opens the home page too.
void InfoWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        webButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// There is no "mouse left the link": the link stays red until the mouse
// moves over the picture again. A click on the picture goes on to the game.
bool InfoWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        SetTextColor(link_, watched == link_ ? LinkRed : LinkPurple);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            if (watched == link_)
                openHomePage_(this);
            else
                reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
