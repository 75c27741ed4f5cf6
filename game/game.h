#pragma once

#include "randomsource.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CellPainter;
class Clock;
class GameView;

// The rules of the game and the state of one game in play. It owns the board,
// the undo board and the random source, and drives a window it knows only
// through GameView and CellPainter.
class Game {
public:
    static constexpr int StorageSize = 101;
    static constexpr int MaxColors = 5;
    // Column first: the cells of one column lie next to each other, so a
    // column moves or falls as one block of bytes.
    using Grid = std::array<std::array<std::uint8_t, StorageSize>, StorageSize>;
    // Slots 1 to 5; slot 0 is unused so that codes and slots read alike.
    using ColorSlots = std::array<std::uint8_t, MaxColors + 1>;

    Game(const Clock& clock, GameView& view, CellPainter& painter);

    // --- board model ---
    const Grid& Board() const { return board_; }
    const Grid& UndoBoard() const { return undoBoard_; }
    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    // Any value is held to 1..101 so that a stored file saying rows=500 or
    // rows=0 can never reach outside the grids.
    void SetDimensions(int cols, int rows);
    const ColorSlots& ColorTable() const { return colorTable_; }
    int ColorCount() const { return colorCount_; }
    // Takes the colour codes in play, in menu order; invalid codes are skipped.
    void SetColorTable(const std::vector<int>& codes);
    RandomSource& Random() { return random_; }
    void ReseedFromClock();

    void ClearBoards();
    void FillBoard();
    void SaveUndo();
    void RestoreUndo();
    // Puts a stone (or 0) into the play area, for setting up a position.
    void SetCell(int col, int row, std::uint8_t code);

    // --- one move ---
    bool HasSameNeighbour(int col, int row) const;
    void RemoveGroup(int col, int row, std::uint8_t code);
    void DropAbove(int col, int row);
    void ShiftColumnsRight(int col);
    void CollapseBoard();

    // --- game flow ---
    int CellWidth() const { return cellSize_; }
    int CellHeight() const { return cellSize_; }
    void SetCellSize(int size) { cellSize_ = size < 0 ? 0 : size; }
    bool GameOver() const { return gameOver_; }
    bool IncrementalRedraw() const { return incrementalRedraw_; }
    int StonesLeft() const { return stonesLeft_; }
    const std::string& GameName() const { return gameName_; }
    void SetGameName(std::string name) { gameName_ = std::move(name); }

    void NewGame();
    void RedrawBoard();
    // A click at pixel (x, y) of the field, whatever the mouse button.
    void FieldMouseDown(int x, int y);
    void Undo();

private:
    // Takes the group at (col, row) if it may be taken; true when it was.
    bool MakeMove(int col, int row);
    bool InPlay(int col, int row) const
    {
        return col >= 0 && col < colCount_ && row >= 0 && row < rowCount_;
    }

    const Clock& clock_;
    GameView& view_;
    CellPainter& painter_;

    Grid board_{};
    Grid undoBoard_{};
    int colCount_ = 22;
    int rowCount_ = 18;
    ColorSlots colorTable_{0, 1, 2, 4, 0, 0};
    int colorCount_ = 3;
    RandomSource random_;

    int cellSize_ = 24;
    bool gameOver_ = false;
    bool incrementalRedraw_ = false;
    int stonesLeft_ = 0;
    std::string gameName_;

    // Work list of RemoveGroup: every cell enters it at most once, so the
    // play area bounds it and a one-colour board of 101 x 101 needs no
    // recursion and no allocation.
    std::array<std::uint16_t, StorageSize * StorageSize> pending_{};
};
