#pragma once

#include <string>

// What the game flow needs of the window around it.
class GameView {
public:
    virtual ~GameView() = default;
    // Sizes the field for the current dimensions and hands the cell size back
    // through Game::SetCellSize.
    virtual void LayoutField() = 0;
    // Hands the colours in play to Game::SetColorTable.
    virtual void RebuildColorTable() = 0;
    virtual void SetBusy(bool busy) = 0;
    // Writes to the message panel; `immediately` repaints it before returning,
    // for texts that must be seen while a long step follows.
    virtual void ShowMessage(const std::string& text, bool immediately = false) = 0;
    // The Yes/No question after the end of a game; true for Yes.
    virtual bool AskPlayAgain() = 0;
    virtual void ShowEndMessage(int stonesLeft) = 0;
};
