#pragma once

#include "drawstate.h"
#include "fieldlook.h"

#include <QImage>

#include <cstdint>

class Board;

// Paints cells onto the field surface: stones as raised squares, empty cells
// as the piece of background picture under them, sunken in a grid when the
// grid is on. Pixels are written directly, so they come out exactly as
// stated whatever the platform's antialiasing. Cell size, grid and offset
// are read from the look its owner keeps, at every paint.
class FieldPainter {
public:
    // `background` is RGB32 (other formats show black in empty cells).
    FieldPainter(const QImage& background, const FieldLook& look);

    // The surface the cells are painted on, RGB32, shown 1:1 on the screen's
    // device pixels (its devicePixelRatio is the look's ratio).
    const QImage& Surface() const { return surface_; }
    // A fresh black surface of the given size in points, on which nothing is
    // painted yet.
    void ResetSurface(int width, int height);

    // Brings the surface up to `board`, repainting only what differs from
    // what it shows; how many cells that took.
    int Paint(const Board& board);

    // x and y are the cell's top-left point; code is 1 to 5.
    void PaintStone(int x, int y, std::uint8_t code);
    void PaintEmptyCell(int x, int y);

private:
    // Fills a rectangle given in points, each point a block of device pixels.
    void Fill(int x, int y, int width, int height, QRgb color);

    const QImage& background_;
    const FieldLook& look_;
    QImage surface_;
    DrawState drawn_;
};
