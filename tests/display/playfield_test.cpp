#include "playfield.h"

#include "board.h"
#include "imageview.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage Black(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

} // namespace

TEST(PlayField, SquareCellsCentredWithTheFrameRightAndBelow)
{
    PlayField field;
    field.show();
    auto* panel = field.findChild<QWidget*>("GamePanel");
    auto* cells = field.findChild<QWidget*>("Field");
    field.SetPicture(Black(500, 400));
    EXPECT_EQ(field.minimumSize(), QSize(500, 400));
    field.resize(500, 400); // as the window's layout does
    EXPECT_EQ(field.findChild<QWidget*>("DummyImage")->geometry(), QRect(0, 0, 500, 400));
    field.SetShowGrid(true);
    field.LayoutField(22, 18);
    EXPECT_EQ(cells->width(), 22 * 22);
    EXPECT_EQ(panel->geometry(), QRect(8, 2, 488, 400));
    EXPECT_EQ(cells->geometry(), QRect(2, 2, 484, 396));
    EXPECT_EQ(field.Surface().size(), QSize(484, 396));

    // Without the grid the panel loses its frame; the cells lie 2 pixels further up and left.
    field.SetShowGrid(false);
    field.LayoutField(22, 18);
    EXPECT_EQ(panel->geometry(), QRect(8, 2, 484, 396));
    EXPECT_EQ(cells->geometry(), QRect(0, 0, 484, 396));

    field.NudgeField(Qt::RightArrow);
    field.NudgeField(Qt::RightArrow);
    field.NudgeField(Qt::UpArrow);
    EXPECT_EQ(panel->pos(), QPoint(24, -6)); // without limit, off the picture too
}

TEST(PlayField, PressesAreToldByTheirCellEachPressOfADoubleClickToo)
{
    PlayField field;
    field.SetPicture(Black(500, 400));
    field.resize(500, 400);
    field.LayoutField(22, 18);
    field.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    auto* cells = field.findChild<ImageView*>("Field");
    QSignalSpy pressed(&field, &PlayField::cellPressed);
    QTest::mouseClick(cells, Qt::RightButton, {}, QPoint(43, 22));
    // Through the window, as a real double-click comes: the second press is a double-click event.
    QTest::mouseDClick(field.windowHandle(), Qt::LeftButton, {}, cells->mapTo(&field, QPoint(44, 0)));
    const QList<QVariant> cell11{1, 1}, cell20{2, 0};
    EXPECT_EQ(pressed, QList<QList<QVariant>>({cell11, cell20, cell20}));

    // Cells of no pixels name no cell, so a press cannot divide by their size.
    field.SetPicture(Black(15, 12));
    field.resize(15, 12);
    field.LayoutField(22, 18);
    EXPECT_EQ(cells->width(), 0);
    emit cells->pressed(0, 0);
    EXPECT_EQ(pressed.size(), 3);
}

TEST(PlayField, PictureFitsTheRoomAndTheFieldIsCentredOnTheWholeArea)
{
    PlayField field;
    field.SetPicture(Black(3000, 2000), QSize(1270, 900));
    EXPECT_EQ(field.Picture().size(), QSize(1270, 846));
    field.SetPicture(Black(120, 90), QSize(1270, 900));
    field.resize(400, 90); // as a window wider than the picture does
    field.LayoutField(22, 18);
    EXPECT_EQ(field.findChild<QWidget*>("GamePanel")->x(), 145);

    // Any kind of picture becomes the field's own, so empty cells show it.
    QImage indexed = Black(120, 90).convertToFormat(QImage::Format_Indexed8);
    indexed.setColor(0, qRgb(10, 200, 30));
    field.SetPicture(indexed);
    field.resize(120, 90);
    field.SetShowGrid(false);
    field.LayoutField(10, 10);
    field.Paint(Board(10, 10));
    EXPECT_EQ(field.Surface().pixel(50, 40), qRgb(10, 200, 30));
}

TEST(PlayField, EndMessageInTheResultColourOverABlackShadow)
{
    PlayField field;
    field.show();
    const char* names[] = {"EndMessageLabel1", "EndMessageLabel2", "EndMessageLabel3", "EndMessageLabel4"};
    QLabel* label[4];
    for (int i = 0; i < 4; ++i)
        label[i] = field.findChild<QLabel*>(names[i]);
    auto colour = [](QLabel* l) { return l->palette().color(QPalette::WindowText); };

    field.ShowEndMessage(Texts::EndOfGame(0));
    EXPECT_EQ(label[0]->text(), "Game Over !!!");
    EXPECT_EQ(label[1]->text(), "Game Over !!!");
    EXPECT_EQ(label[2]->text(), "Du hast das Spiel gewonnen !");
    EXPECT_EQ(label[3]->text(), label[2]->text());
    EXPECT_EQ(colour(label[1]), QColor(0, 220, 0));
    EXPECT_EQ(colour(label[2]), QColor(0, 220, 0));
    const QPoint places[] = {{12, 12}, {10, 10}, {12, 50}, {13, 51}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(label[i]->isVisible()) << names[i];
        EXPECT_EQ(label[i]->pos(), places[i]) << names[i];
    }
    EXPECT_EQ(label[1]->font().pixelSize(), 37);
    EXPECT_TRUE(label[1]->font().bold());
    EXPECT_EQ(label[3]->font().pixelSize(), 16);
    EXPECT_EQ(label[1]->font().family(), "Arial");
    EXPECT_EQ(QFontInfo(label[1]->font()).family(), "Liberation Sans"); // Arial's metrics on Linux

    // A loss after a win leaves no green behind, and the shadows stay black.
    field.ShowEndMessage(Texts::EndOfGame(2));
    EXPECT_EQ(colour(label[1]), QColor(240, 0, 0));
    EXPECT_EQ(colour(label[2]), QColor(240, 0, 0));
    EXPECT_EQ(colour(label[0]), QColor(0, 0, 0));
    EXPECT_EQ(colour(label[3]), QColor(0, 0, 0));

    field.LayoutField(22, 18); // a new game
    for (QLabel* l : label)
        EXPECT_FALSE(l->isVisible());
}

// Run with QT_SCALE_FACTOR=2, as a 4K laptop at 200 % shows the field: the
// photo at every device pixel, the cells in points, each a block of four.
TEST(DenseScreen, PhotoAtDeviceResolutionCellsInPointsPressesFloored)
{
    PlayField field;
    ASSERT_EQ(field.DevicePixelsAPoint(), 2);
    // Columns of single device pixels, alternately black and white.
    QImage stripes(200, 160, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    field.SetPicture(stripes, QSize(100, 80));
    EXPECT_EQ(field.Picture().size(), QSize(200, 160));
    EXPECT_EQ(field.minimumSize(), QSize(100, 80));
    field.resize(100, 80);
    field.SetShowGrid(false);
    field.LayoutField(10, 8);
    field.Paint(Board::FromRows({"r........."}, ".rbgyv"));
    const QImage& surface = field.Surface();
    ASSERT_EQ(surface.size(), QSize(200, 160));
    // An empty cell shows the photo's own device pixels.
    EXPECT_NE(surface.pixel(40, 10), surface.pixel(41, 10));
    // The stone's bevel is one point: two device pixels, then its face.
    EXPECT_EQ(surface.pixel(0, 10), surface.pixel(1, 10));
    EXPECT_NE(surface.pixel(1, 10), surface.pixel(2, 10));
    EXPECT_EQ(surface.pixel(2, 10), surface.pixel(17, 10));

    // A press on the stone's last device pixel column is the stone's.
    field.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    auto* cells = field.findChild<ImageView*>("Field");
    QSignalSpy pressed(&field, &PlayField::cellPressed);
    const QPointF lastColumn(9.5, 4.5);
    QMouseEvent press(QEvent::MouseButtonPress, lastColumn, cells->mapToGlobal(lastColumn), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(cells, &press);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toInt(), 0);
}
