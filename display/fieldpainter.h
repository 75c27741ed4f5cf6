#pragma once

#include "drawstate.h"

#include <QImage>
#include <QPoint>

#include <cstdint>

class Board;

// Paints cells onto the field surface: stones as raised squares, empty cells
// as the piece of background picture under them, sunken in a grid when the
// grid is on. Pixels are written directly, so they come out exactly as
// stated whatever the platform's antialiasing.
class FieldPainter {
public:
    explicit FieldPainter(const QImage& background);

    // The surface the cells are painted on, RGB32, shown 1:1.
    const QImage& Surface() const { return surface_; }
    // A fresh black surface of the given size, on which nothing is painted yet.
    void ResetSurface(int width, int height);
    void SetCellSize(int size) { cellSize_ = size; }
    void SetShowGrid(bool on) { showGrid_ = on; }
    // Where the surface's pixel (0, 0) lies on the background picture.
    void SetFieldOffset(QPoint offset) { offset_ = offset; }

    // Brings the surface up to `board`, repainting only what differs from
    // what it shows; how many cells that took.
    int Paint(const Board& board);

    // x and y are the cell's top-left pixel; code is 1 to 5.
    void PaintStone(int x, int y, std::uint8_t code);
    void PaintEmptyCell(int x, int y);

private:
    void FillRect(int x, int y, int width, int height, QRgb color);

    const QImage& background_;
    QImage surface_;
    DrawState drawn_;
    int cellSize_ = 0;
    bool showGrid_ = true;
    QPoint offset_;
};
