#include "fieldpainter.h"

#include "board.h"
#include "fillrect.h"
#include "makecolor.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

struct StoneShades {
    QRgb face, light, dark;
};

constexpr StoneShades Shades(std::uint32_t face, std::uint32_t light, std::uint32_t dark)
{
    return {ToRgb(face), ToRgb(light), ToRgb(dark)};
}

// Indexed by colour code; code 0 (empty) never reaches PaintStone.
constexpr std::array<StoneShades, 6> StoneColors = {{
    Shades(0, 0, 0),
    Shades(MakeColor(200, 32, 32), MakeColor(232, 32, 32), MakeColor(168, 32, 32)),  // red
    Shades(MakeColor(70, 90, 210), MakeColor(70, 90, 255), MakeColor(70, 90, 170)),  // blue
    Shades(MakeColor(32, 170, 32), MakeColor(32, 190, 32), MakeColor(32, 150, 32)),  // green
    Shades(MakeColor(180, 180, 32), MakeColor(200, 200, 32), MakeColor(160, 160, 32)), // yellow
    Shades(MakeColor(180, 32, 180), MakeColor(200, 32, 200), MakeColor(160, 32, 160)), // violet
}};

constexpr QRgb GridLight = ToRgb(MakeColor(200, 200, 200));
constexpr QRgb GridDark = ToRgb(MakeColor(32, 32, 32));
constexpr QRgb Black = ToRgb(MakeColor(0, 0, 0));

} // namespace

FieldPainter::FieldPainter(const QImage& background, const FieldLook& look) : background_(background), look_(look)
{
}

void FieldPainter::ResetSurface(int width, int height)
{
    const int ratio = look_.ratio;
    surface_ = QImage(std::max(width, 0) * ratio, std::max(height, 0) * ratio, QImage::Format_RGB32);
    surface_.setDevicePixelRatio(ratio);
    surface_.fill(Black);
    drawn_.Forget();
}

void FieldPainter::Fill(int x, int y, int width, int height, QRgb color)
{
    const int ratio = look_.ratio;
    FillRect(surface_, x * ratio, y * ratio, width * ratio, height * ratio, color);
}

int FieldPainter::Paint(const Board& board)
{
    const int size = look_.cellSize;
    return drawn_.Update(board, {look_, background_.cacheKey()}, [this, size](int col, int row, std::uint8_t code) {
        if (code == 0)
            PaintEmptyCell(col * size, row * size);
        else
            PaintStone(col * size, row * size, code);
    });
}

void FieldPainter::PaintStone(int x, int y, std::uint8_t code)
{
    const int size = look_.cellSize;
    const StoneShades& shades = StoneColors[code < StoneColors.size() ? code : 0];
    Fill(x + 1, y + 1, size - 2, size - 2, shades.face);
    Fill(x, y, 1, size, shades.light);
    Fill(x, y, size, 1, shades.light);
    Fill(x + size - 1, y + 1, 1, size - 1, shades.dark);
    Fill(x + 1, y + size - 1, size - 1, 1, shades.dark);
}

void FieldPainter::PaintEmptyCell(int x, int y)
{
    const int size = look_.cellSize;
    // The picture's own device pixels, where the surface and the picture
    // have as many a point.
    const int ratio = look_.ratio;
    const QPoint offset = look_.offset * ratio;
    const QRect cell(x * ratio, y * ratio, size * ratio, size * ratio);
    const QRect target = cell.translated(offset).intersected(background_.rect()).translated(-offset)
                             .intersected(surface_.rect());
    // Where the field has been moved off the picture, the cell shows the
    // black of the play-field area around it.
    if (target != cell)
        Fill(x, y, size, size, Black);
    if (!target.isEmpty() && background_.format() == QImage::Format_RGB32) {
        const int sourceX = target.x() + offset.x();
        for (int row = target.top(); row <= target.bottom(); ++row)
            std::memcpy(surface_.scanLine(row) + target.x() * 4,
                        background_.constScanLine(row + offset.y()) + sourceX * 4,
                        static_cast<std::size_t>(target.width()) * 4);
    }
    if (!look_.showGrid)
        return;
    Fill(x + size - 1, y + 1, 1, size - 1, GridLight);
    Fill(x + 1, y + size - 1, size - 1, 1, GridLight);
    Fill(x, y, 1, size, GridDark);
    Fill(x, y, size, 1, GridDark);
}
