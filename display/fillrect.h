#pragma once

#include <QImage>

#include <algorithm>

// Fills the part of the rectangle that lies on `image`, an RGB32 surface,
// and nothing outside it. The pixels are written directly, so they come out
// exactly as stated whatever the platform's antialiasing.
inline void FillRect(QImage& image, int x, int y, int width, int height, QRgb color)
{
    const int left = std::max(x, 0);
    const int right = std::min(x + width, image.width());
    const int top = std::max(y, 0);
    const int bottom = std::min(y + height, image.height());
    for (int row = top; row < bottom && left < right; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + left, line + right, color);
    }
}
