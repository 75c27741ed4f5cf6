#include "game.h"

#include "cellpainter.h"
#include "clock.h"
#include "gameview.h"
#include "texts.h"

#include <algorithm>
#include <cstring>

Game::Game(const Clock& clock, GameView& view, CellPainter& painter)
    : clock_(clock), view_(view), painter_(painter)
{
}

void Game::SetDimensions(int cols, int rows)
{
    colCount_ = std::clamp(cols, 1, StorageSize);
    rowCount_ = std::clamp(rows, 1, StorageSize);
}

void Game::SetColorTable(const std::vector<int>& codes)
{
    colorTable_.fill(0);
    colorCount_ = 0;
    for (int code : codes)
        if (code >= 1 && code <= MaxColors && colorCount_ < MaxColors)
            colorTable_[++colorCount_] = static_cast<std::uint8_t>(code);
}

void Game::ReseedFromClock()
{
    random_.Reseed(clock_.MillisecondsSinceMidnightUtc());
}

void Game::ClearBoards()
{
    board_ = {};
    undoBoard_ = {};
}

void Game::FillBoard()
{
    if (colorCount_ < 1)
        return; // nothing to draw from; the colour menu never lets this happen
    for (int row = 0; row < rowCount_; ++row)
        for (int col = 0; col < colCount_; ++col)
            board_[col][row] = colorTable_[random_.DrawBelow(colorCount_) + 1];
}

void Game::SaveUndo()
{
    for (int col = 0; col < colCount_; ++col)
        std::memcpy(undoBoard_[col].data(), board_[col].data(), rowCount_);
}

void Game::RestoreUndo()
{
    for (int col = 0; col < colCount_; ++col)
        std::memcpy(board_[col].data(), undoBoard_[col].data(), rowCount_);
}

void Game::SetCell(int col, int row, std::uint8_t code)
{
    if (InPlay(col, row))
        board_[col][row] = code;
}

bool Game::HasSameNeighbour(int col, int row) const
{
    const std::uint8_t v = board_[col][row];
    return (col > 0 && board_[col - 1][row] == v)
        || (col < colCount_ - 1 && board_[col + 1][row] == v)
        || (row > 0 && board_[col][row - 1] == v)
        || (row < rowCount_ - 1 && board_[col][row + 1] == v);
}

void Game::RemoveGroup(int col, int row, std::uint8_t code)
{
    // Cells are emptied as they are put on the work list, so none is listed
    // twice and the list never holds more than the play area.
    std::size_t top = 0;
    board_[col][row] = 0;
    pending_[top++] = static_cast<std::uint16_t>(col * StorageSize + row);
    auto take = [&](int c, int r) {
        if (InPlay(c, r) && board_[c][r] == code) {
            board_[c][r] = 0;
            pending_[top++] = static_cast<std::uint16_t>(c * StorageSize + r);
        }
    };
    while (top > 0) {
        const int cell = pending_[--top];
        const int c = cell / StorageSize;
        const int r = cell % StorageSize;
        take(c - 1, r);
        take(c + 1, r);
        take(c, r - 1);
        take(c, r + 1);
    }
}

void Game::DropAbove(int col, int row)
{
    std::memmove(&board_[col][1], &board_[col][0], row);
    board_[col][0] = 0;
}

void Game::ShiftColumnsRight(int col)
{
    for (int k = col; k >= 1; --k)
        std::memcpy(board_[k].data(), board_[k - 1].data(), rowCount_);
    std::memset(board_[0].data(), 0, rowCount_);
}

void Game::CollapseBoard()
{
    // Gravity first, in every column, so that the emptiness test of the
    // second phase sees the settled columns.
    for (int col = 0; col < colCount_; ++col)
        for (int row = 0; row < rowCount_; ++row)
            if (board_[col][row] == 0)
                DropAbove(col, row);

    // Each shift touches only the columns left of the one tested, so the
    // columns still to come are tested as gravity left them.
    for (int col = 0; col < colCount_; ++col) {
        const auto& column = board_[col];
        if (std::all_of(column.begin(), column.begin() + rowCount_,
                        [](std::uint8_t cell) { return cell == 0; }))
            ShiftColumnsRight(col);
    }
}

void Game::NewGame()
{
    view_.SetBusy(true);
    incrementalRedraw_ = false;
    ReseedFromClock();
    view_.LayoutField();
    ClearBoards();
    view_.RebuildColorTable();
    view_.ShowMessage(Texts::Shuffling, true);
    FillBoard();
    SaveUndo();
    RedrawBoard();
    incrementalRedraw_ = true;
    view_.SetBusy(false);
    view_.ShowMessage(Texts::LetsPlay(gameName_));
}

void Game::RedrawBoard()
{
    view_.SetBusy(true);
    stonesLeft_ = 0;
    bool found = false;
    for (int row = 0; row < rowCount_; ++row) {
        const int y = row * cellSize_;
        for (int col = 0; col < colCount_; ++col) {
            const std::uint8_t code = board_[col][row];
            const bool changed = !incrementalRedraw_ || code != undoBoard_[col][row];
            if (code == 0) {
                if (changed)
                    painter_.PaintEmptyCell(col * cellSize_, y);
                continue;
            }
            if (!found && HasSameNeighbour(col, row))
                found = true;
            if (changed)
                painter_.PaintStone(col * cellSize_, y, code);
            ++stonesLeft_;
        }
    }
    gameOver_ = !found;
    view_.SetBusy(false);
}

void Game::FieldMouseDown(int x, int y)
{
    if (gameOver_ && view_.AskPlayAgain()) {
        NewGame();
        return;
    }
    // A field without pixels (cell size 0) or a click beside the cells
    // cannot name a cell; it is ignored rather than divided by zero.
    if (cellSize_ > 0 && x >= 0 && y >= 0 && MakeMove(x / cellSize_, y / cellSize_))
        RedrawBoard();
    if (gameOver_)
        view_.ShowEndMessage(stonesLeft_);
}

bool Game::MakeMove(int col, int row)
{
    if (!InPlay(col, row) || board_[col][row] == 0 || !HasSameNeighbour(col, row))
        return false;
    SaveUndo();
    RemoveGroup(col, row, board_[col][row]);
    CollapseBoard();
    return true;
}

void Game::Undo()
{
    RestoreUndo();
    incrementalRedraw_ = false;
    RedrawBoard();
    incrementalRedraw_ = true;
    view_.ShowMessage(Texts::Undone);
}
