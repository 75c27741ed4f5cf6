#pragma once

#include "colorselection.h"
#include "game.h"

#include <QString>

// What a stored game holds: the picture, the size of the board, the grid and
// the colours that take part. The board itself is never stored; every game
// is dealt afresh. A default-made arrangement is the one the game starts
// with when nothing is stored.
struct Arrangement {
    QString picture = QStringLiteral("schule.bmp");
    int rows = Game::DefaultRows;
    int cols = Game::DefaultCols;
    bool grid = true;
    ColorSelection colors;
    // The stamp of the latest save; empty for a game that was never saved.
    QString date;

    bool operator==(const Arrangement&) const = default;
};
