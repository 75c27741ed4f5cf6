#include "fieldlayout.h"

#include <gtest/gtest.h>

TEST(FieldLayout, SquareCellsCentredOnTheArea)
{
    struct Case {
        QSize area;
        int cols, rows;
        int frame;
        int cell;
        QRect cells;
    };
    const Case cases[] = {
        {{500, 400}, 22, 18, 0, 22, {8, 2, 484, 396}},  // the black fallback picture
        {{500, 400}, 22, 18, 2, 22, {10, 4, 484, 396}}, // framed: 2 right and below
        {{535, 330}, 30, 20, 0, 16, {27, 5, 480, 320}}, // w 17, h 16: the smaller wins
        {{535, 330}, 22, 18, 2, 18, {71, 5, 396, 324}},
        {{400, 400}, 20, 20, 0, 20, {0, 0, 400, 400}},  // equal quotients
        {{16, 16}, 22, 18, 0, 0, {8, 8, 0, 0}},         // too small: no cells at all
        {{9000, 20}, 101, 101, 0, 0, {4500, 10, 0, 0}},
        // Framed cells that fill the area, or nearly, move back into it.
        {{44, 36}, 22, 18, 2, 2, {0, 0, 44, 36}},
        {{45, 38}, 22, 18, 2, 2, {1, 2, 44, 36}},
    };
    for (const Case& c : cases) {
        const FieldLayout layout = LayoutCells(c.area, c.cols, c.rows, c.frame);
        EXPECT_EQ(layout.cellSize, c.cell) << c.area.width() << "x" << c.area.height();
        EXPECT_EQ(layout.cells, c.cells) << c.area.width() << "x" << c.area.height();
    }
}
