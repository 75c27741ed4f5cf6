#pragma once

#include <cstdint>

// Paints one cell of the field; x and y are the cell's top-left pixel.
// The redraw pass calls it only for cells it has to repaint.
class CellPainter {
public:
    virtual ~CellPainter() = default;
    virtual void PaintStone(int x, int y, std::uint8_t code) = 0;
    virtual void PaintEmptyCell(int x, int y) = 0;
};
