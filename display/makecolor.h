#pragma once

#include <QRgb>

#include <cstdint>

// The colour value of the game's texts: red in the low byte, then green,
// then blue. Each component is taken modulo 256 so none spills into the next.
constexpr std::uint32_t MakeColor(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red & 0xFF) | static_cast<std::uint32_t>(green & 0xFF) << 8
        | static_cast<std::uint32_t>(blue & 0xFF) << 16;
}

// The same colour as a pixel of an RGB32 surface.
constexpr QRgb ToRgb(std::uint32_t color)
{
    return 0xFF000000u | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}
