#include "fieldpainter.h"
#include "icon.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <set>

TEST(Art, EveryIconIsThereAndDrawn)
{
    std::set<QRgb> firstPixels;
    for (int i = 0; i < IconCount; ++i) {
        const QString path = IconResource(Icon(i));
        const QImage icon(path);
        ASSERT_FALSE(icon.isNull()) << path.toStdString();
        EXPECT_EQ(icon.size(), QSize(16, 16)) << i;
        int visible = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                visible += qAlpha(icon.pixel(x, y)) > 0;
        EXPECT_GT(visible, 20) << i;
    }
    // The fallback picture's icon is an opaque black square, pixel for pixel.
    const QImage black(IconResource(Icon::BlackSquare));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(black.pixel(x, y), qRgba(0, 0, 0, 255));
}

TEST(Art, CheckedColourIconsDifferFromPlainOnes)
{
    for (int code = 1; code <= 5; ++code)
        EXPECT_NE(QImage(IconResource(ColorIcon(code, false))), QImage(IconResource(ColorIcon(code, true)))) << code;
}

TEST(Art, DefaultBackgroundIsASchoolPictureOfItsSize)
{
    QImageReader reader(PLIMMERLO_ART_DIR "/schule.bmp");
    EXPECT_EQ(reader.format(), "bmp");
    const QImage picture = reader.read();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(535, 330));
    EXPECT_GT(picture.convertToFormat(QImage::Format_Indexed8).colorCount(), 16); // not a flat fill
}

// The rules show the player a corner of the field; its stones must be the
// ones the game paints, or the pictures teach colours the game does not have.
TEST(Art, TheBoardPictureShowsTheGamesStones)
{
    constexpr int Cell = 24;
    const QImage picture = QImage(":/pictures/boardcorner.png").convertToFormat(QImage::Format_RGB32);
    const QImage none;
    const FieldLook look{Cell, true, {}};
    FieldPainter painter(none, look);
    painter.ResetSurface(5 * Cell, Cell);
    for (int code = 1; code <= 5; ++code)
        painter.PaintStone((code - 1) * Cell, 0, std::uint8_t(code));
    // The cells wholly inside the picture; the field starts at (8, 8).
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const QImage cell = picture.copy(8 + col * Cell, 8 + row * Cell, Cell, Cell);
            int matches = 0;
            for (int code = 1; code <= 5; ++code)
                matches += cell == painter.Surface().copy((code - 1) * Cell, 0, Cell, Cell);
            EXPECT_EQ(matches, 1) << col << ", " << row;
        }
}

// A 200 % screen gets each window picture from its twin, the same picture
// drawn at twice the resolution: its stones are the game's, each point a
// block of four pixels.
TEST(Art, EveryWindowPictureHasATwinOfTwiceItsResolution)
{
    for (const char* name : {"info.png", "credits.jpg", "boardcorner.png", "boardcleared.png", "colourmenu.png"}) {
        const QString picture = QString(":/pictures/") + name;
        const QString twin = QString(picture).replace(".", "@2x.");
        EXPECT_EQ(QImage(twin).size(), QImage(picture).size() * 2) << name;
    }
    const QImage corner = QImage(":/pictures/boardcorner.png").convertToFormat(QImage::Format_RGB32);
    const QImage dense = QImage(":/pictures/boardcorner@2x.png").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(dense.copy(16, 16, 96, 96), corner.copy(8, 8, 48, 48).scaled(96, 96));
}
