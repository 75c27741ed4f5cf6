#pragma once

#include "board.h"
#include "colorselection.h"
#include "randomsource.h"
#include "turn.h"

#include <string>

class Clock;

// One game in play: the board, the board before the last move, the colours
// and size of the next deal, and the random source that shuffles it. Which
// stored game it is, the window knows; each step of play returns a Turn and
// leaves the showing of it to the window.
class Game {
public:
    // The board a game is dealt on when nothing else is asked for.
    static constexpr int DefaultCols = 22;
    static constexpr int DefaultRows = 18;

    explicit Game(const Clock& clock);

    // `::Board` names the type where the accessor of the same name hides it.
    const ::Board& Board() const { return board_; }

    // The size of the next deal, held to what a board can store.
    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    void SetDimensions(int cols, int rows);
    // The colours of the next deal.
    void SetColors(const ColorSelection& colors) { colors_ = colors; }
    RandomSource& Random() { return random_; }

    // True when no stone on the board may be taken, an empty board too.
    bool GameOver() const { return gameOver_; }
    int StonesLeft() const { return stonesLeft_; }

    // Reseeds from the clock and deals a fresh board of the size and colours
    // set, so a deal depends only on the time of day it starts. The turn's
    // message names the game, `gameName` (empty for the standard game).
    Turn NewGame(const std::string& gameName = {});
    // Puts `board` in play as a fresh deal, with nothing to undo.
    Turn Deal(const ::Board& board);
    // A click on the cell (col, row), whatever the mouse button: takes its
    // group if it may be taken, and announces the end when the game is over.
    Turn Click(int col, int row);
    // Back to the position before the last move that took something (after
    // a deal, the fresh board); a second undo repeats it.
    Turn Undo();

private:
    void ReseedFromClock();
    void Judge();

    const Clock& clock_;
    ::Board board_;
    ::Board undoBoard_;
    int colCount_ = DefaultCols;
    int rowCount_ = DefaultRows;
    ColorSelection colors_ = StartColors;
    RandomSource random_;
    bool gameOver_ = false;
    int stonesLeft_ = 0;
};
