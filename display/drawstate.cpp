#include "drawstate.h"

void DrawState::Forget()
{
    for (auto& column : shown_)
        column.fill(Unknown);
}

void DrawState::Adopt(const Look& look)
{
    if (look.field.cellSize != look_.field.cellSize || look.field.ratio != look_.field.ratio)
        Forget();
    else if (look.field.offset != look_.field.offset || look.field.showGrid != look_.field.showGrid
             || look.picture != look_.picture)
        ForgetEmptyCells();
    look_ = look;
}

void DrawState::ForgetEmptyCells()
{
    for (auto& column : shown_)
        for (std::uint8_t& shown : column)
            if (shown == 0)
                shown = Unknown;
}
