#pragma once

#include "board.h"

#include <string>
#include <vector>

// Boards written as text rows, top row first: R red, B blue, G green,
// Y yellow, V violet, '.' empty.
inline Board BoardFrom(const std::vector<std::string>& rows)
{
    return Board::FromRows(rows, ".RBGYV");
}

inline std::vector<std::string> RowsOf(const Board& board)
{
    std::vector<std::string> rows;
    for (int row = 0; row < board.RowCount(); ++row) {
        std::string line;
        for (int col = 0; col < board.ColCount(); ++col)
            line += ".RBGYV"[board.At(col, row)];
        rows.push_back(line);
    }
    return rows;
}
