#include "ruleswindow.h"

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Block {
    const char* name;
    int top;
    const char* text = nullptr;  // of the block's own label, or of the label beside its picture
    const char* textLabel = nullptr;
    const char* picture = nullptr;
    QSize pictureSize = {};
};

// The page as the player reads it, top to bottom.
const Block Page[] = {
    {"Label12", 8, "Wie kann man das Spiel spielen ?"},
    {"Label3", 28, ""},
    {"Label2", 44, "Man muss möglichst alle Steinchen wegklicken."},
    {"Label4", 65, ""},
    {"Panel5", 81,
     "Dabei kann man nur Steinchen wegklicken, wenn deren \"Nachbar\" die gleiche Farbe haben. Einzelne "
     "Steinchen lassen sich also nicht beseitigen.",
     "Label11", "Image3", {100, 100}},
    {"Label9", 193, ""},
    {"Label7", 209,
     "Wenn Steinchen unter anderen Steinchen weggeklickt werden, rutschen darüberliegende nach unten. Wenn "
     "ganze Spalten leer geräumt sind, dann rutscht alles links davon nach rechts."},
    {"Label6", 257, ""},
    {"Panel1", 273,
     "Wenn am Ende alles weggeräumt ist, hat man gewonnen. Bleiben aber Steinchen übrig, ist das Spiel "
     "verloren.",
     "Label5", "Image1", {100, 100}},
    {"Label8", 385, ""},
    {"Panel3", 401, "Klickst du auf dieses Zeichen, dann startest du ein neues Spiel.", "Label10", "Image2",
     {16, 16}},
    {"Panel7", 445,
     "Sollte dir das nicht gefallen, was du da geklickt hast, dann kannst du es mit einem Klick auf dieses "
     "Zeichen wieder rückgängig machen.",
     "Label15", "Image4", {16, 16}},
    {"Label13", 505, ""},
    {"Panel19", 529,
     "Mann kann auch andere Farben auswählen, wenn einem die Farben nicht so gefallen. Auch die Anzahl der "
     "verschiedenen Farben wird so bestimmt.",
     "Label21", "Image10", {195, 166}},
    {"Label1", 721, "Wie kann man das Spiel verändern ?"},
    {"Label14", 741, ""},
    {"Panel9", 757,
     "Du kannst dir als erstes mal ein Bild aussuchen, dass du irgendwo auf der Festplatte hast. Die Bilder "
     "sollten nicht viel größer als dein Bildschirm sein. Dateiformate können sein \"bmp\" und \"jpg\". "
     "Damit kannst du auch Bilder aus dem Internet nehmen.",
     "Label16", "Image5", {16, 16}},
    {"Panel11", 849,
     "Wahrscheinlich stimmt jetzt das Raster nicht. Die Anzahl der Spalten und Zeilen für die Steinchen "
     "kannst du hier einstellen. Das kannst du sowieso immer verändern wie du möchtest.",
     "Label17", "Image6", {16, 16}},
    {"Panel13", 929,
     "Natürlich kannst du dein neues Spiel auch sichern. Dazu einfach auf die Diskette klicken. Es erscheint "
     "ein Dialog, der dich auffordert, dem neuen Spiel ein Namen zu geben. So kannst du ganz viele Spiele "
     "selbst machen.",
     "Label18", "Image7", {16, 16}},
    {"Panel15", 1009,
     "Wenn du dir schon ein paar Spiele gemacht und auch gespeichert hast, dann kannst du die auch jederzeit "
     "laden. Wenn du auf dieses Zeichen klickst, kannst du eines deiner Spiele auswählen.",
     "Label19", "Image8", {16, 16}},
    {"Panel17", 1089,
     "Wenn man sich schon reichlich Spiele gebastelt hat, kann man sich mit einem Klick auf dem Würfel "
     "zufällig ein Spiel aussuchen lassen und gleich spielen.",
     "Label20", "Image9", {16, 16}},
};

QWidget* PageOf(const RulesWindow& window)
{
    return window.findChild<QWidget*>("BorderPanel");
}

} // namespace

TEST(RulesWindow, IsAResizableWindow)
{
    RulesWindow window;
    EXPECT_EQ(window.windowTitle(), "Hilfe für Plimmerlo");
    EXPECT_NE(window.minimumSize(), window.maximumSize());
    QWidget* page = PageOf(window);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->size(), QSize(386, 1200));
    EXPECT_EQ(page->grab().toImage().pixelColor(2, 2), QApplication::palette().color(QPalette::ToolTipBase));
}

TEST(RulesWindow, TheBlocksFollowEachOtherAsDesigned)
{
    RulesWindow window;
    QWidget* page = PageOf(window);
    ASSERT_TRUE(page);
    QList<QWidget*> order;
    for (const Block& block : Page) {
        auto* widget = page->findChild<QWidget*>(block.name, Qt::FindDirectChildrenOnly);
        ASSERT_TRUE(widget) << block.name;
        EXPECT_EQ(widget->geometry(), QRect(8, block.top, 370, widget->height())) << block.name;
        order << widget;
        const char* labelName = block.textLabel ? block.textLabel : block.name;
        auto* label = qobject_cast<QLabel*>(block.textLabel ? widget->findChild<QWidget*>(labelName) : widget);
        ASSERT_TRUE(label) << labelName;
        EXPECT_EQ(label->text(), QString::fromUtf8(block.text)) << labelName;
        if (block.picture) {
            auto* picture = widget->findChild<QLabel*>(block.picture);
            ASSERT_TRUE(picture) << block.picture;
            EXPECT_EQ(picture->pixmap().size(), block.pictureSize) << block.picture;
            EXPECT_EQ(picture->pos(), QPoint(8, 0)) << block.picture;
        }
    }
    // Nothing else on the page, and the last block ends inside it.
    EXPECT_EQ(page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly), order);
    EXPECT_LE(order.last()->geometry().bottom(), 1200 - 8);
}

TEST(RulesWindow, HeadingsStandOutAndNoTextIsCutOff)
{
    RulesWindow window;
    for (QLabel* label : PageOf(window)->findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const bool heading = label->objectName() == "Label12" || label->objectName() == "Label1";
        EXPECT_EQ(label->font().bold(), heading) << qPrintable(label->objectName());
        EXPECT_EQ(label->font().pixelSize(), heading ? 16 : 13) << qPrintable(label->objectName());
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << qPrintable(label->objectName());
        EXPECT_LE(label->mapTo(PageOf(window), QPoint(label->width(), 0)).x(), 386 - 8)
            << qPrintable(label->objectName());
    }
}

TEST(RulesWindow, OpensAtTheTopAndComesBackAsTheOneWindowAsLeft)
{
    RulesWindow window;
    window.ShowInFront();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QScrollBar* scroll = window.findChild<QScrollArea*>("ScrollBox1")->verticalScrollBar();
    EXPECT_EQ(scroll->value(), 0);
    scroll->setValue(396);
    window.resize(500, 300);
    window.close();
    EXPECT_FALSE(window.isVisible());

    window.ShowInFront();
    window.ShowInFront();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(scroll->value(), 396);
    EXPECT_EQ(window.size(), QSize(500, 300));
    int shown = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        shown += qobject_cast<RulesWindow*>(top) && top->isVisible();
    EXPECT_EQ(shown, 1);
}
