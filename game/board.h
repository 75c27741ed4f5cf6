#pragma once

#include "randomsource.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The stones in play: a grid of colour codes (0 for an empty cell, 1 to 5 a
// stone), column 0 at the left, row 0 at the top. A plain value: copying it
// is the undo, comparing two tells what a move changed.
//
// The storage is always 101 x 101, the most a stored game can ask for, so no
// board ever allocates; cells outside the play area stay 0 for good, which
// makes two boards equal exactly when their play areas are.
class Board {
public:
    static constexpr int StorageSize = 101;
    // Any count of columns or rows held to 1..101, so that a stored file
    // saying rows=500 or rows=0 can never reach outside the storage.
    static constexpr int FitToStorage(int count) { return std::clamp(count, 1, StorageSize); }

    // The counts a player can choose in the rows-and-columns dialog; a
    // stored game may hold any count the storage takes.
    struct CountRange {
        int least, most;
    };
    static constexpr CountRange ChoosableCols{10, 99};
    static constexpr CountRange ChoosableRows{8, 99};

    // An empty board of no cells, as before the first deal.
    Board() = default;
    // An empty play area, its size fitted to the storage.
    Board(int cols, int rows);

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    bool InPlay(int col, int row) const { return col >= 0 && col < colCount_ && row >= 0 && row < rowCount_; }
    std::uint8_t At(int col, int row) const { return cells_[col][row]; }
    // A position written as text rows of equal length, top row first: each
    // character's place in `letters` is its cell's code, so letters[0]
    // stands for an empty cell, as does a character not in `letters`.
    static Board FromRows(const std::vector<std::string>& rows, std::string_view letters);

    // Every cell of the play area drawn at random from `colors`, row by row
    // from the top, each row left to right: the order of draws that makes a
    // board depend only on the seed, the size and the colours.
    void FillBoard(std::span<const std::uint8_t> colors, RandomSource& random);

    bool HasSameNeighbour(int col, int row) const;
    // Empties the group of `code` that holds (col, row), and (col, row) itself.
    void RemoveGroup(int col, int row, std::uint8_t code);
    // Stones fall within their columns, then empty columns close to the right.
    void CollapseBoard();

    int StonesLeft() const;
    // Whether some stone has a same-coloured neighbour, i.e. may be taken.
    bool HasMove() const;

    bool operator==(const Board&) const = default;

private:
    void DropAbove(int col, int row);
    void ShiftColumnsRight(int col);

    int colCount_ = 0;
    int rowCount_ = 0;
    // Column first: the cells of one column lie next to each other, so a
    // column moves or falls as one block of bytes.
    std::array<std::array<std::uint8_t, StorageSize>, StorageSize> cells_{};
};
