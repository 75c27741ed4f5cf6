#include "fieldpainter.h"
#include "makecolor.h"

#include "game/positions.h"

#include <gtest/gtest.h>

TEST(MakeColor, PacksRedLowAndWrapsEachComponent)
{
    EXPECT_EQ(MakeColor(266, 0, 0), MakeColor(10, 0, 0));
    EXPECT_EQ(MakeColor(200, 32, 32), 200u + 32u * 256u + 32u * 65536u);
    EXPECT_EQ(MakeColor(0, 0, 256 + 7), 7u * 65536u);
    EXPECT_EQ(ToRgb(MakeColor(1, 2, 3)), qRgb(1, 2, 3));
}

namespace {

// A picture in which every pixel tells where it lies.
QImage Landmarks(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    return image;
}

struct PainterRig {
    QImage background = Landmarks(300, 200);
    FieldLook look;
    FieldPainter painter{background, look};

    explicit PainterRig(int cellSize)
    {
        look.cellSize = cellSize;
        painter.ResetSurface(10 * cellSize, 5 * cellSize);
    }
    QRgb At(int x, int y) const { return painter.Surface().pixel(x, y); }
};

} // namespace

TEST(FieldPainter, StoneIsARaisedSquareInItsThreeShades)
{
    PainterRig rig(24);
    rig.painter.PaintStone(48, 24, 1); // red, column 2, row 1
    const QRgb face = qRgb(200, 32, 32), light = qRgb(232, 32, 32), dark = qRgb(168, 32, 32);
    for (int y = 24; y < 48; ++y)
        for (int x = 48; x < 72; ++x) {
            QRgb expected = face;
            if (x == 48 || y == 24)
                expected = light;
            else if (x == 71 || y == 47)
                expected = dark;
            ASSERT_EQ(rig.At(x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(rig.At(71, 24), light);  // top-right corner
    EXPECT_EQ(rig.At(48, 47), light);  // bottom-left corner
    EXPECT_EQ(rig.At(47, 24), qRgb(0, 0, 0)); // nothing outside the cell
    EXPECT_EQ(rig.At(72, 47), qRgb(0, 0, 0));
    EXPECT_EQ(rig.At(60, 48), qRgb(0, 0, 0));
}

TEST(FieldPainter, EveryColourHasItsShades)
{
    PainterRig rig(8);
    const QRgb faces[] = {qRgb(200, 32, 32), qRgb(70, 90, 210), qRgb(32, 170, 32), qRgb(180, 180, 32), qRgb(180, 32, 180)};
    const QRgb lights[] = {qRgb(232, 32, 32), qRgb(70, 90, 255), qRgb(32, 190, 32), qRgb(200, 200, 32), qRgb(200, 32, 200)};
    const QRgb darks[] = {qRgb(168, 32, 32), qRgb(70, 90, 170), qRgb(32, 150, 32), qRgb(160, 160, 32), qRgb(160, 32, 160)};
    for (int code = 1; code <= 5; ++code) {
        const int x = code * 8;
        rig.painter.PaintStone(x, 8, static_cast<std::uint8_t>(code));
        EXPECT_EQ(rig.At(x + 3, 11), faces[code - 1]) << code;
        EXPECT_EQ(rig.At(x, 11), lights[code - 1]) << code;
        EXPECT_EQ(rig.At(x + 7, 15), darks[code - 1]) << code;
    }
}

TEST(FieldPainter, TwoPixelStoneHasNoFace)
{
    PainterRig rig(2);
    rig.painter.PaintStone(2, 2, 3);
    const QRgb light = qRgb(32, 190, 32), dark = qRgb(32, 150, 32);
    EXPECT_EQ(rig.At(2, 2), light);
    EXPECT_EQ(rig.At(3, 2), light);
    EXPECT_EQ(rig.At(2, 3), light);
    EXPECT_EQ(rig.At(3, 3), dark);
}

TEST(FieldPainter, EmptyCellShowsThePictureUnderIt)
{
    PainterRig rig(24);
    rig.look.showGrid = false;
    rig.look.offset = QPoint(10, 7);
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 10; ++col)
            rig.painter.PaintEmptyCell(col * 24, row * 24);
    // No seam anywhere: the whole field is the picture from (10, 7) on.
    EXPECT_EQ(rig.painter.Surface(), rig.background.copy(10, 7, 240, 120));

    rig.look.offset = QPoint(18, 7); // the field moved 8 pixels right
    rig.painter.PaintEmptyCell(24, 0);
    EXPECT_EQ(rig.At(24, 0), rig.background.pixel(18 + 24, 7));
    EXPECT_EQ(rig.At(47, 23), rig.background.pixel(18 + 47, 7 + 23));
}

TEST(FieldPainter, GridCellIsSunken)
{
    PainterRig rig(24);
    rig.look.showGrid = true;
    rig.look.offset = QPoint(2, 2);
    rig.painter.PaintEmptyCell(24, 24);
    const QRgb light = qRgb(200, 200, 200), dark = qRgb(32, 32, 32);
    for (int i = 0; i < 24; ++i) {
        ASSERT_EQ(rig.At(24 + i, 24), dark) << i;      // top
        ASSERT_EQ(rig.At(24, 24 + i), dark) << i;      // left
    }
    for (int i = 1; i < 24; ++i) {
        ASSERT_EQ(rig.At(47, 24 + i), light) << i;     // right, below its top pixel
        ASSERT_EQ(rig.At(24 + i, 47), light) << i;     // bottom, right of its left pixel
    }
    EXPECT_EQ(rig.At(47, 24), dark);
    EXPECT_EQ(rig.At(24, 47), dark);
    EXPECT_EQ(rig.At(47, 47), light);
    for (int y = 25; y < 47; ++y)
        for (int x = 25; x < 47; ++x)
            ASSERT_EQ(rig.At(x, y), rig.background.pixel(x + 2, y + 2));
}

TEST(FieldPainter, CellsOffThePictureShowBlack)
{
    PainterRig rig(24);
    rig.look.showGrid = false;
    rig.look.offset = QPoint(-30, 190); // partly left of and below the picture
    rig.painter.PaintEmptyCell(0, 0);
    rig.painter.PaintEmptyCell(24, 0);
    EXPECT_EQ(rig.At(0, 0), qRgb(0, 0, 0));          // x -30, left of the picture
    EXPECT_EQ(rig.At(29, 9), qRgb(0, 0, 0));         // x -1
    EXPECT_EQ(rig.At(30, 9), rig.background.pixel(0, 199));
    EXPECT_EQ(rig.At(30, 10), qRgb(0, 0, 0));        // y 200, below the picture
    rig.look.offset = QPoint(100000, -100000); // far away: no crash, all black
    rig.painter.PaintEmptyCell(48, 48);
    EXPECT_EQ(rig.At(60, 60), qRgb(0, 0, 0));
}

namespace {

// What the field must show: a painter that has shown nothing yet paints
// every cell of the board afresh.
QImage FreshPainting(const QImage& picture, const Board& board, int cellSize, QPoint offset, bool grid)
{
    const FieldLook look{cellSize, grid, offset};
    FieldPainter fresh(picture, look);
    fresh.ResetSurface(board.ColCount() * cellSize, board.RowCount() * cellSize);
    fresh.Paint(board);
    return fresh.Surface();
}

int CellsThatDiffer(const Board& a, const Board& b, bool emptyOnly = false)
{
    int count = 0;
    for (int col = 0; col < a.ColCount(); ++col)
        for (int row = 0; row < a.RowCount(); ++row)
            count += emptyOnly ? a.At(col, row) == 0 : a.At(col, row) != b.At(col, row);
    return count;
}

} // namespace

TEST(FieldPainter, RepaintsExactlyTheCellsThatWouldShowDifferently)
{
    PainterRig rig(24);
    rig.look.offset = QPoint(10, 7);
    const Board dealt = BoardFrom({"RRBGYVRRBG", "RGBGYVRYBG", "RRBBYVGRBB", "YRBGYVRRVG", "RRBGYVRRBG"});
    EXPECT_EQ(rig.painter.Paint(dealt), 50); // a fresh surface shows nothing yet
    EXPECT_EQ(rig.painter.Paint(dealt), 0);

    Board moved = dealt;
    moved.RemoveGroup(0, 0, 1);
    moved.CollapseBoard();
    EXPECT_EQ(rig.painter.Paint(moved), CellsThatDiffer(dealt, moved));
    EXPECT_EQ(rig.painter.Surface(), FreshPainting(rig.background, moved, 24, QPoint(10, 7), true));

    // A moved field: only the empty cells show the picture, now another piece of it.
    rig.look.offset = QPoint(18, -1);
    EXPECT_EQ(rig.painter.Paint(moved), CellsThatDiffer(moved, moved, true));
    EXPECT_EQ(rig.painter.Surface(), FreshPainting(rig.background, moved, 24, QPoint(18, -1), true));

    // Undo gives back just the cells the move took, wherever the field lies.
    EXPECT_EQ(rig.painter.Paint(dealt), CellsThatDiffer(dealt, moved));
    EXPECT_EQ(rig.painter.Surface(), FreshPainting(rig.background, dealt, 24, QPoint(18, -1), true));

    // A new picture or grid changes the empty cells; a new cell size every cell.
    rig.look.showGrid = false;
    EXPECT_EQ(rig.painter.Paint(moved), CellsThatDiffer(dealt, moved));
    EXPECT_EQ(rig.painter.Surface(), FreshPainting(rig.background, moved, 24, QPoint(18, -1), false));
    rig.background = Landmarks(300, 200).mirrored();
    EXPECT_EQ(rig.painter.Paint(moved), CellsThatDiffer(moved, moved, true));
    rig.look.cellSize = 12;
    EXPECT_EQ(rig.painter.Paint(moved), 50);
}
