#include "infowindow.h"
#include "webaddresses.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct InfoRig {
    QStringList opened; // the home page, once each time the window opened it
    InfoWindow form{[this](QWidget* over) {
        EXPECT_EQ(over, &form); // a failure is told over the info window
        opened << WebAddresses::HomePage;
    }};

    template <typename T = QWidget> T* Find(const char* name) const
    {
        T* child = form.findChild<T*>(name);
        EXPECT_TRUE(child) << name;
        return child;
    }
    QLabel* Link() const { return Find<QLabel>("LinkLabel"); }
    QColor LinkColour() const { return Link()->palette().color(QPalette::WindowText); }

    void Show()
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    // Keys go where a real key press goes: to the widget with the focus.
    void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
};

const QColor Purple(128, 0, 128);
const QColor Red(255, 0, 0);

} // namespace

TEST(InfoWindow, IsBuiltAsDesigned)
{
    InfoRig rig;
    EXPECT_EQ(rig.form.windowTitle(), "Info - 01.12.2001");
    EXPECT_EQ(rig.form.size(), QSize(450, 323));
    EXPECT_EQ(rig.form.minimumSize(), rig.form.maximumSize());
    EXPECT_EQ(rig.form.palette().color(QPalette::Window), QColor(224, 224, 224));

    auto* image = rig.Find<QLabel>("Image");
    EXPECT_EQ(image->geometry(), QRect(0, 0, 450, 300));
    EXPECT_EQ(image->pixmap().size(), QSize(450, 300));
    EXPECT_EQ(image->toolTip(), "Klick mit der Maus drauf und dann geht es weiter ....");

    QLabel* link = rig.Link();
    EXPECT_EQ(link->text(), WebAddresses::HomePage);
    EXPECT_EQ(link->pos(), QPoint(216, 232));
    EXPECT_GE(link->width(), link->fontMetrics().horizontalAdvance(link->text()));
    EXPECT_TRUE(link->font().bold());
    EXPECT_EQ(rig.LinkColour(), Purple);

    auto* toWeb = rig.Find<QPushButton>("Button1");
    auto* toGame = rig.Find<QPushButton>("Button2");
    EXPECT_EQ(toWeb->text(), "Zur Grumbeck ins Internet");
    EXPECT_EQ(toWeb->geometry(), QRect(16, 264, 150, 25));
    EXPECT_EQ(toGame->text(), "Weiter zum Spiel");
    EXPECT_EQ(toGame->geometry(), QRect(280, 264, 150, 25));
    EXPECT_TRUE(toGame->isDefault());
    EXPECT_EQ(toWeb->nextInFocusChain(), toGame);

    for (const char* name : {"Label1", "Label2"})
        EXPECT_EQ(rig.Find<QLabel>(name)->palette().color(QPalette::WindowText), QColor(174, 174, 174));
    EXPECT_TRUE(rig.Find<QLabel>("Label2")->text().contains("2001"));
}

TEST(InfoWindow, EscapeOrEnterOnAFreshWindowOpensTheHomePageAndCloses)
{
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        InfoRig rig;
        rig.Show();
        EXPECT_EQ(QApplication::focusWidget(), rig.Find("Button1"));
        rig.Press(key);
        EXPECT_EQ(rig.opened, QStringList{WebAddresses::HomePage}) << key;
        EXPECT_FALSE(rig.form.isVisible()) << key;
    }
}

TEST(InfoWindow, OnContinueEnterGoesToTheGameEscapeStillToTheWebAndTheFocusStays)
{
    InfoRig rig;
    rig.Show();
    rig.Press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), rig.Find("Button2"));
    rig.Press(Qt::Key_Return);
    EXPECT_TRUE(rig.opened.isEmpty());
    EXPECT_FALSE(rig.form.isVisible());
    EXPECT_EQ(rig.form.result(), QDialog::Accepted);

    rig.Show();
    EXPECT_EQ(QApplication::focusWidget(), rig.Find("Button2"));
    rig.Press(Qt::Key_Escape);
    EXPECT_EQ(rig.opened, QStringList{WebAddresses::HomePage});
    EXPECT_FALSE(rig.form.isVisible());
}

TEST(InfoWindow, LinkTurnsRedUnderTheMouseAndPurpleOnlyOverThePicture)
{
    InfoRig rig;
    rig.Show();
    QTest::mouseMove(rig.Link(), QPoint(5, 5));
    EXPECT_EQ(rig.LinkColour(), Red);
    // No "mouse left the link": the buttons and the grey strip keep it red.
    QTest::mouseMove(rig.Find("Button2"), QPoint(10, 10));
    EXPECT_EQ(rig.LinkColour(), Red);
    QTest::mouseMove(&rig.form, QPoint(200, 315));
    EXPECT_EQ(rig.LinkColour(), Red);
    // It is still red when the window comes back.
    rig.form.hide();
    rig.Show();
    EXPECT_EQ(rig.LinkColour(), Red);
    QTest::mouseMove(rig.Find("Image"), QPoint(100, 100));
    EXPECT_EQ(rig.LinkColour(), Purple);
}

TEST(InfoWindow, TheLinkOpensTheHomePageAndStaysTheWebButtonOpensItAndCloses)
{
    InfoRig rig;
    rig.Show();
    QTest::mouseClick(rig.Link(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(rig.opened, QStringList{WebAddresses::HomePage});
    EXPECT_TRUE(rig.form.isVisible());

    QTest::mouseClick(rig.Find("Button1"), Qt::LeftButton);
    EXPECT_EQ(rig.opened.size(), 2);
    EXPECT_FALSE(rig.form.isVisible());
}

TEST(InfoWindow, AClickOnThePictureClosesWithoutOpeningAnything)
{
    InfoRig rig;
    rig.Show();
    QTest::mouseClick(rig.Find("Image"), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_FALSE(rig.form.isVisible());
    EXPECT_TRUE(rig.opened.isEmpty());
}
