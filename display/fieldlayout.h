#pragma once

#include <QRect>
#include <QSize>

// Square cells as large as fit into the background area, and the rectangle
// of the cell area centred on it. A cell size of 0 (an area narrower than
// the columns or lower than the rows) gives an empty cell area.
struct FieldLayout {
    int cellSize;
    QRect cells;
};

FieldLayout LayoutCells(QSize area, int cols, int rows);
