#include "game.h"

#include "clock.h"

#include <algorithm>
#include <span>

Game::Game(const Clock& clock) : clock_(clock)
{
}

void Game::SetDimensions(int cols, int rows)
{
    colCount_ = Board::FitToStorage(cols);
    rowCount_ = Board::FitToStorage(rows);
}

void Game::SetColorTable(const std::vector<int>& codes)
{
    colorTable_.fill(0);
    colorCount_ = 0;
    for (int code : codes)
        if (code >= 1 && code <= ColorSelection::Count && colorCount_ < ColorSelection::Count)
            colorTable_[++colorCount_] = static_cast<std::uint8_t>(code);
}

void Game::ReseedFromClock()
{
    random_.Reseed(clock_.MillisecondsSinceMidnightUtc());
}

Turn Game::NewGame(const std::string& gameName)
{
    // Nothing may draw between the reseeding and the fill.
    ReseedFromClock();
    ::Board fresh(colCount_, rowCount_);
    fresh.FillBoard(std::span(colorTable_).subspan(1, colorCount_), random_);
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
