#include "fieldlayout.h"

#include <algorithm>

FieldLayout LayoutCells(QSize area, int cols, int rows, int frame)
{
    const int cell = std::max(0, std::min(area.width() / std::max(cols, 1), area.height() / std::max(rows, 1)));
    const QSize size(cols * cell, rows * cell);
    const auto place = [frame](int room, int length) {
        const int spare = room - length;
        return std::min(spare / 2 + frame, spare);
    };
    return {cell, QRect(QPoint(place(area.width(), size.width()), place(area.height(), size.height())), size)};
}
