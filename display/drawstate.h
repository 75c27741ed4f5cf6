#pragma once

#include "board.h"
#include "fieldlook.h"

#include <QtGlobal>

#include <array>
#include <cstdint>

// What the field surface shows right now, cell by cell, and the look it was
// painted with. A pass over a board repaints exactly the cells that would
// come out differently from what is shown, so a move repaints the cells it
// changed, an undo the cells it gives back, and moving the field the empty
// cells, whatever the board was compared with before.
class DrawState {
public:
    // Everything a painted cell depends on besides its own content.
    struct Look {
        FieldLook field;
        // The picture's QImage::cacheKey(): a new or changed picture has a new one.
        qint64 picture = 0;
    };

    DrawState() { Forget(); }

    // Nothing on the surface is known any more: the next pass paints every cell.
    void Forget();

    // Calls paint(col, row, code) for every cell of `board` that does not
    // show its content under `look` yet, row by row from the top, and
    // remembers it as shown. Returns how many cells it painted.
    template <typename Paint> int Update(const Board& board, const Look& look, Paint&& paint)
    {
        Adopt(look);
        int painted = 0;
        for (int row = 0; row < board.RowCount(); ++row)
            for (int col = 0; col < board.ColCount(); ++col) {
                const std::uint8_t code = board.At(col, row);
                std::uint8_t& shown = shown_[col][row];
                if (shown != code) {
                    paint(col, row, code);
                    shown = code;
                    ++painted;
                }
            }
        return painted;
    }

private:
    // Never a cell's content, so a forgotten cell differs from every board.
    static constexpr std::uint8_t Unknown = 0xFF;

    // Forgets what `look` changes: stones look alike wherever they lie, but
    // an empty cell shows the piece of picture under it, grid lines or not.
    void Adopt(const Look& look);
    void ForgetEmptyCells();

    std::array<std::array<std::uint8_t, Board::StorageSize>, Board::StorageSize> shown_;
    Look look_;
};
