#include "ruleswindow.h"

#include "artwork.h"
#include "icon.h"
#include "windowkit.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// The designed outer size is 426 x 433 with a small tool-window frame (4
// pixels a side and a 16-pixel title bar); this is what is left inside it.
constexpr QSize ClientSize(418, 409);
constexpr int PageWidth = 386;
constexpr int PageHeight = 1200;
constexpr int Border = 8;
constexpr int BlockWidth = PageWidth - 2 * Border;

enum class Kind { Heading, Text, Picture };

// One block of the page, top to bottom; a text block without text is a
// spacer. A picture block shows `picture` in a column of `column` pixels on
// the left, its text beside it.
struct Block {
    const char* name;
    Kind kind;
    int height;
    const char* text = "";
    const char* pictureName = nullptr;
    QString picture = {};
    int column = 0;
    const char* textName = nullptr;
};

const Block Blocks[] = {
    {"Label12", Kind::Heading, 20, "Wie kann man das Spiel spielen ?"},
    {"Label3", Kind::Text, 16},
    {"Label2", Kind::Text, 21, "Man muss möglichst alle Steinchen wegklicken."},
    {"Label4", Kind::Text, 16},
    {"Panel5", Kind::Picture, 112,
     "Dabei kann man nur Steinchen wegklicken, wenn deren \"Nachbar\" die gleiche Farbe haben. Einzelne "
     "Steinchen lassen sich also nicht beseitigen.",
     "Image3", ":/pictures/boardcorner.png", 129, "Label11"},
    {"Label9", Kind::Text, 16},
    {"Label7", Kind::Text, 48,
     "Wenn Steinchen unter anderen Steinchen weggeklickt werden, rutschen darüberliegende nach unten. Wenn "
     "ganze Spalten leer geräumt sind, dann rutscht alles links davon nach rechts."},
    {"Label6", Kind::Text, 16},
    {"Panel1", Kind::Picture, 112,
     "Wenn am Ende alles weggeräumt ist, hat man gewonnen. Bleiben aber Steinchen übrig, ist das Spiel "
     "verloren.",
     "Image1", ":/pictures/boardcleared.png", 129, "Label5"},
    {"Label8", Kind::Text, 16},
    {"Panel3", Kind::Picture, 44, "Klickst du auf dieses Zeichen, dann startest du ein neues Spiel.",
     "Image2", IconResource(Icon::Play), 33, "Label10"},
    {"Panel7", Kind::Picture, 60,
     "Sollte dir das nicht gefallen, was du da geklickt hast, dann kannst du es mit einem Klick auf dieses "
     "Zeichen wieder rückgängig machen.",
     "Image4", IconResource(Icon::Undo), 33, "Label15"},
    {"Label13", Kind::Text, 24},
    {"Panel19", Kind::Picture, 192,
     "Mann kann auch andere Farben auswählen, wenn einem die Farben nicht so gefallen. Auch die Anzahl der "
     "verschiedenen Farben wird so bestimmt.",
     "Image10", ":/pictures/colourmenu.png", 225, "Label21"},
    {"Label1", Kind::Heading, 20, "Wie kann man das Spiel verändern ?"},
    {"Label14", Kind::Text, 16},
    {"Panel9", Kind::Picture, 92,
     "Du kannst dir als erstes mal ein Bild aussuchen, dass du irgendwo auf der Festplatte hast. Die Bilder "
     "sollten nicht viel größer als dein Bildschirm sein. Dateiformate können sein \"bmp\" und \"jpg\". "
     "Damit kannst du auch Bilder aus dem Internet nehmen.",
     "Image5", IconResource(Icon::Landscape), 33, "Label16"},
    {"Panel11", Kind::Picture, 80,
     "Wahrscheinlich stimmt jetzt das Raster nicht. Die Anzahl der Spalten und Zeilen für die Steinchen "
     "kannst du hier einstellen. Das kannst du sowieso immer verändern wie du möchtest.",
     "Image6", IconResource(Icon::Grid), 33, "Label17"},
    {"Panel13", Kind::Picture, 80,
     "Natürlich kannst du dein neues Spiel auch sichern. Dazu einfach auf die Diskette klicken. Es "
     "erscheint ein Dialog, der dich auffordert, dem neuen Spiel ein Namen zu geben. So kannst du ganz "
     "viele Spiele selbst machen.",
     "Image7", IconResource(Icon::Diskette), 33, "Label18"},
    {"Panel15", Kind::Picture, 80,
     "Wenn du dir schon ein paar Spiele gemacht und auch gespeichert hast, dann kannst du die auch "
     "jederzeit laden. Wenn du auf dieses Zeichen klickst, kannst du eines deiner Spiele auswählen.",
     "Image8", IconResource(Icon::StackOfGames), 33, "Label19"},
    {"Panel17", Kind::Picture, 80,
     "Wenn man sich schon reichlich Spiele gebastelt hat, kann man sich mit einem Klick auf dem Würfel "
     "zufällig ein Spiel aussuchen lassen und gleich spielen.",
     "Image9", IconResource(Icon::Die), 33, "Label20"},
};

QLabel* TextLabel(QWidget* parent, const char* name, const char* text, bool heading)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont font = WindowKit::DesignFont();
    font.setPixelSize(heading ? 16 : 13);
    font.setBold(heading);
    label->setFont(font);
    return label;
}

QWidget* PictureBlock(QWidget* parent, const Block& block)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(block.name);
    const QPixmap pixmap = ArtworkPixmap(block.picture);
    auto* image = new QLabel(panel);
    image->setObjectName(block.pictureName);
    image->setPixmap(pixmap);
    image->setGeometry(QRect(QPoint(Border, 0), pixmap.deviceIndependentSize().toSize()));
    TextLabel(panel, block.textName, block.text, false)
        ->setGeometry(block.column, 0, BlockWidth - block.column, block.height);
    return panel;
}

} // namespace

RulesWindow::RulesWindow(const QWidget* game)
    : QWidget(nullptr, Qt::Window), game_(game)
{
    setObjectName("Helpwindow");
    setWindowTitle("Hilfe für Plimmerlo");
    // A window of its own, so the game comes in front of it when clicked;
    // it neither keeps the program running nor outlives the game's window.
    setAttribute(Qt::WA_QuitOnClose, false);
    WindowKit::UseDesignLook(*this);
    resize(ClientSize);

    auto* scrollBox = new QScrollArea(this);
    scrollBox->setObjectName("ScrollBox1");
    scrollBox->setBackgroundRole(QPalette::ToolTipBase);
    scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollBox);

    auto* page = new QWidget;
    page->setObjectName("BorderPanel");
    page->setFixedSize(PageWidth, PageHeight);
    page->setBackgroundRole(QPalette::ToolTipBase);
    page->setForegroundRole(QPalette::ToolTipText);
    page->setAutoFillBackground(true);
    int top = Border;
    for (const Block& block : Blocks) {
        QWidget* widget = block.kind == Kind::Picture
                              ? PictureBlock(page, block)
                              : TextLabel(page, block.name, block.text, block.kind == Kind::Heading);
        widget->setGeometry(Border, top, BlockWidth, block.height);
        top += block.height;
    }
    // Opens at the top of the page, on the first heading, so a child reads
    // from the start.
    scrollBox->setWidget(page);
}

void RulesWindow::ShowInFront()
{
    WindowKit::ShowInFront(*this, game_);
}
