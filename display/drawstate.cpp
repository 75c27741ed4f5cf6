#include "drawstate.h"

void DrawState::Forget()
{
    for (auto& column : shown_)
        column.fill(Unknown);
}

void DrawState::Adopt(const Look& look)
{
    if (look.cellSize != look_.cellSize)
        Forget();
    else if (look.offset != look_.offset || look.grid != look_.grid || look.picture != look_.picture)
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
