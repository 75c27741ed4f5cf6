#include "creditswindow.h"

#include <QImageReader>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

TEST(CreditsWindow, ShowsTheProgrammerFromAJpeg)
{
    CreditsWindow form;
    EXPECT_EQ(form.windowTitle(), "Der Programmierer");
    EXPECT_EQ(form.size(), QSize(150, 200));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.toolTip(), "Klick auf das Bild und ich verschwinde wieder");
    auto* picture = form.findChild<QLabel*>("Bild");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->geometry(), QRect(0, 0, 150, 200));
    EXPECT_EQ(picture->pixmap().size(), QSize(150, 200));
    EXPECT_EQ(QImageReader(":/pictures/credits.jpg").format(), "jpeg");
}

TEST(CreditsWindow, AClickAnywhereOnThePictureHidesIt)
{
    CreditsWindow form;
    auto* picture = form.findChild<QLabel*>("Bild");
    for (const QPoint at : {QPoint(75, 100), QPoint(1, 1), QPoint(148, 198)}) {
        form.ShowInFront();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(picture, Qt::LeftButton, {}, at);
        EXPECT_FALSE(form.isVisible()) << at.x() << "," << at.y();
    }
}
