#include "board.h"

#include <algorithm>
#include <cstring>

Board::Board(int cols, int rows)
    : colCount_(FitToStorage(cols)), rowCount_(FitToStorage(rows))
{
}

Board Board::FromRows(const std::vector<std::string>& rows, std::string_view letters)
{
    Board board(rows.empty() ? 0 : int(rows.front().size()), int(rows.size()));
    for (int row = 0; row < board.rowCount_; ++row)
        for (int col = 0; col < board.colCount_; ++col) {
            const std::size_t code = letters.find(rows[row].at(col));
            board.cells_[col][row] = code == std::string_view::npos ? 0 : static_cast<std::uint8_t>(code);
        }
    return board;
}

void Board::FillBoard(std::span<const std::uint8_t> colors, RandomSource& random)
{
    if (colors.empty())
        return; // nothing to draw from; the colour menu never lets this happen
    const auto count = static_cast<std::uint32_t>(colors.size());
    for (int row = 0; row < rowCount_; ++row)
        for (int col = 0; col < colCount_; ++col)
            cells_[col][row] = colors[random.DrawBelow(count)];
}

bool Board::HasSameNeighbour(int col, int row) const
{
    const std::uint8_t v = cells_[col][row];
    return (col > 0 && cells_[col - 1][row] == v)
        || (col < colCount_ - 1 && cells_[col + 1][row] == v)
        || (row > 0 && cells_[col][row - 1] == v)
        || (row < rowCount_ - 1 && cells_[col][row + 1] == v);
}

void Board::RemoveGroup(int col, int row, std::uint8_t code)
{
    // A work list instead of recursion, so a one-colour board of 101 x 101
    // cannot run out of stack. Cells are emptied as they are listed, so none
    // is listed twice and the list never holds more than the play area; it
    // lives on the stack, uninitialised, so a move allocates nothing.
    std::array<std::uint16_t, StorageSize * StorageSize> pending;
    std::size_t top = 0;
    cells_[col][row] = 0;
    pending[top++] = static_cast<std::uint16_t>(col * StorageSize + row);
    auto take = [&](int c, int r) {
        if (InPlay(c, r) && cells_[c][r] == code) {
            cells_[c][r] = 0;
            pending[top++] = static_cast<std::uint16_t>(c * StorageSize + r);
        }
    };
    while (top > 0) {
        const int cell = pending[--top];
        const int c = cell / StorageSize;
        const int r = cell % StorageSize;
        take(c - 1, r);
        take(c + 1, r);
        take(c, r - 1);
        take(c, r + 1);
    }
}

void Board::DropAbove(int col, int row)
{
    std::memmove(&cells_[col][1], &cells_[col][0], row);
    cells_[col][0] = 0;
}

void Board::ShiftColumnsRight(int col)
{
    for (int k = col; k >= 1; --k)
        std::memcpy(cells_[k].data(), cells_[k - 1].data(), rowCount_);
    std::memset(cells_[0].data(), 0, rowCount_);
}

void Board::CollapseBoard()
{
    // Gravity first, in every column, so that the emptiness test of the
    // second phase sees the settled columns.
    for (int col = 0; col < colCount_; ++col)
        for (int row = 0; row < rowCount_; ++row)
            if (cells_[col][row] == 0)
                DropAbove(col, row);

    // Each shift touches only the columns left of the one tested, so the
    // columns still to come are tested as gravity left them.
    for (int col = 0; col < colCount_; ++col) {
        const auto& column = cells_[col];
        if (std::all_of(column.begin(), column.begin() + rowCount_, [](std::uint8_t cell) { return cell == 0; }))
            ShiftColumnsRight(col);
    }
}

int Board::StonesLeft() const
{
    int stones = 0;
    for (int col = 0; col < colCount_; ++col)
        stones += rowCount_ - static_cast<int>(std::count(cells_[col].begin(), cells_[col].begin() + rowCount_, 0));
    return stones;
}

bool Board::HasMove() const
{
    for (int col = 0; col < colCount_; ++col)
        for (int row = 0; row < rowCount_; ++row)
            if (cells_[col][row] != 0 && HasSameNeighbour(col, row))
                return true;
    return false;
}
