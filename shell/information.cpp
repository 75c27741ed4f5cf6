#include "information.h"

#include "exec.h"
#include "webaddresses.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

const QColor LinkPurple(128, 0, 128);
const QColor LinkRed(255, 0, 0);
const QColor Grey(174, 174, 174);

void SetTextColor(QLabel* label, const QColor& color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QLabel* GreyLine(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    SetTextColor(label, Grey);
    return label;
}

} // namespace

TInfoForm::TInfoForm(DesktopOpener& desktop, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), desktop_(desktop), dialogs_(dialogs)
{
    setObjectName("InfoForm");
    setWindowTitle("Info - 01.12.2001");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(450, 323);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(palette);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);

    Image = new QLabel(this);
    Image->setObjectName("Image");
    Image->setPixmap(QPixmap(":/pictures/info.png"));
    Image->setGeometry(0, 0, 450, 300);
    Image->setToolTip("Klick mit der Maus drauf und dann geht es weiter ....");

    LinkLabel = new QLabel(WebAddresses::HomePage, this);
    LinkLabel->setObjectName("LinkLabel");
    font.setBold(true);
    LinkLabel->setFont(font);
    // Sized to its caption, so the host's name can change without cutting it.
    LinkLabel->adjustSize();
    LinkLabel->move(216, 232);
    LinkLabel->setCursor(Qt::PointingHandCursor);
    SetTextColor(LinkLabel, LinkPurple);

    // The picture and the link change the link's colour as the mouse moves
    // over them, not only while a button is held.
    for (QLabel* label : {Image, LinkLabel}) {
        label->setMouseTracking(true);
        label->installEventFilter(this);
    }

    auto* label1 = GreyLine(this, "Label1", "", QRect(16, 294, 423, 13));
    label1->setWordWrap(true);
    GreyLine(this, "Label2", "Dezember 2001 – ein Spiel von Lotte und Paul Grumbeck", QRect(24, 308, 401, 13));

    // Made in tab order: Button1 first.
    Button1 = new QPushButton("Zur Grumbeck ins Internet", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(16, 264, 150, 25);
    connect(Button1, &QPushButton::clicked, this, &TInfoForm::Button1Click);

    Button2 = new QPushButton("Weiter zum Spiel", this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(280, 264, 150, 25);
    Button2->setDefault(true);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);

    // Qt would hand the first focus to the default button; the window starts
    // on the first button in tab order instead, and from then on keeps the
    // button the player last moved to.
    Button1->setFocus();
}

void TInfoForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QRect screen = this->screen()->availableGeometry();
    move(screen.center() - rect().center());
}

// Escape means the first cancel button, and that is the web link, not
// "back to the game": both ways lead on, the link opens the home page too.
void TInfoForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button1->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TInfoForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == LinkLabel)
            LinkLabelMouseMove();
        else
            ImageMouseMove();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            if (watched == LinkLabel)
                LinkLabelClick();
            else
                ImageClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TInfoForm::ImageClick()
{
    reject();
}

// There is no "mouse left the link": the link stays red until the mouse
// moves over the picture again.
void TInfoForm::ImageMouseMove()
{
    SetTextColor(LinkLabel, LinkPurple);
}

void TInfoForm::LinkLabelMouseMove()
{
    SetTextColor(LinkLabel, LinkRed);
}

void TInfoForm::LinkLabelClick()
{
    OpenHomePage();
}

void TInfoForm::Button1Click()
{
    OpenHomePage();
    reject();
}

void TInfoForm::OpenHomePage()
{
    OpenDocument(desktop_, dialogs_, this, WebAddresses::HomePage);
}
