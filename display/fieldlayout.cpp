#include "fieldlayout.h"

#include <algorithm>

FieldLayout LayoutCells(QSize area, int cols, int rows)
{
    const int cell = std::max(0, std::min(area.width() / std::max(cols, 1), area.height() / std::max(rows, 1)));
    const QSize size(cols * cell, rows * cell);
    return {cell, QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size)};
}
