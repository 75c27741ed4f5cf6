#include "game.h"

#include "clock.h"

#include <array>
#include <cstdint>
#include <span>

Game::Game(const Clock& clock) : clock_(clock)
{
}

void Game::SetDimensions(int cols, int rows)
{
    colCount_ = Board::FitToStorage(cols);
    rowCount_ = Board::FitToStorage(rows);
}

void Game::ReseedFromClock()
{
    random_.Reseed(clock_.MillisecondsSinceMidnightUtc());
}

Turn Game::NewGame(const std::string& gameName)
{
    // Nothing may draw between the reseeding and the fill.
    ReseedFromClock();
    // The colours in menu order: a board depends on the order of this table.
    std::array<std::uint8_t, ColorSelection::Count> table{};
    std::size_t count = 0;
    for (int code = 1; code <= ColorSelection::Count; ++code)
        if (colors_.Has(code))
            table[count++] = static_cast<std::uint8_t>(code);
    ::Board fresh(colCount_, rowCount_);
    fresh.FillBoard(std::span(table).first(count), random_);
    Deal(fresh);
    return {Texts::LetsPlay(gameName), {}};
}

Turn Game::Deal(const ::Board& board)
{
    board_ = board;
    undoBoard_ = board;
    Judge();
    return {};
}

Turn Game::Click(int col, int row)
{
    if (board_.InPlay(col, row) && board_.At(col, row) != 0 && board_.HasSameNeighbour(col, row)) {
        undoBoard_ = board_;
        board_.RemoveGroup(col, row, board_.At(col, row));
        board_.CollapseBoard();
        Judge();
    }
    // Also after a click that took nothing: a click on a finished game
    // shows its result once more.
    if (!gameOver_)
        return {};
    const Texts::EndTexts ending = Texts::EndOfGame(stonesLeft_);
    return {ending.panel, ending};
}

Turn Game::Undo()
{
    board_ = undoBoard_;
    Judge();
    return {Texts::Undone, {}};
}

void Game::Judge()
{
    stonesLeft_ = board_.StonesLeft();
    gameOver_ = !board_.HasMove();
}
