#pragma once

#include "cellpainter.h"

#include <QImage>
#include <QPoint>

class Game;

// Paints cells onto the field surface: stones as raised squares, empty cells
// as the piece of background picture under them, sunken in a grid when the
// grid is on. Pixels are written directly, so they come out exactly as
// stated whatever the platform's antialiasing.
class FieldPainter : public CellPainter {
public:
    FieldPainter(const Game& game, const QImage& background);

    // The surface the cells are painted on, RGB32, shown 1:1.
    const QImage& Surface() const { return surface_; }
    // A fresh black surface of the given size, as every new game needs.
    void ResetSurface(int width, int height);
    void SetShowGrid(bool on) { showGrid_ = on; }
    // Where the surface's pixel (0, 0) lies on the background picture.
    void SetFieldOffset(QPoint offset) { offset_ = offset; }

    void PaintStone(int x, int y, std::uint8_t code) override;
    void PaintEmptyCell(int x, int y) override;

private:
    void FillRect(int x, int y, int width, int height, QRgb color);

    const Game& game_;
    const QImage& background_;
    QImage surface_;
    bool showGrid_ = true;
    QPoint offset_;
};
