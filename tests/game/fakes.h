#pragma once

#include "cellpainter.h"
#include "clock.h"
#include "game.h"
#include "gameview.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

struct FixedClock : Clock {
    std::uint32_t ms = 0;
    LocalTime local{2026, 12, 7, 12, 23, 45};
    std::uint32_t MillisecondsSinceMidnightUtc() const override { return ms; }
    LocalTime LocalNow() const override { return local; }
};

// Records what the game asks of its window; the layout gives a fixed cell size.
struct RecordingView : GameView {
    Game* game = nullptr;
    int cellSize = 10;
    std::vector<int> colors{1, 2, 4};
    bool answerYes = false;
    int questions = 0;
    std::vector<int> endMessages;
    std::vector<std::string> messages;
    std::vector<std::string> steps; // the order of the calls that NewGame makes
    int busyDepth = 0;

    void LayoutField() override
    {
        steps.push_back("layout");
        game->SetCellSize(cellSize);
    }
    void RebuildColorTable() override
    {
        steps.push_back("colors");
        game->SetColorTable(colors);
    }
    void SetBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void ShowMessage(const std::string& text, bool immediately) override
    {
        messages.push_back(text);
        if (immediately)
            steps.push_back("message now");
    }
    bool AskPlayAgain() override
    {
        ++questions;
        return answerYes;
    }
    void ShowEndMessage(int stonesLeft) override { endMessages.push_back(stonesLeft); }
};

// Remembers the cells (by top-left pixel) that were painted since the last clear.
struct RecordingPainter : CellPainter {
    std::vector<std::pair<int, int>> painted;
    void PaintStone(int x, int y, std::uint8_t) override { painted.emplace_back(x, y); }
    void PaintEmptyCell(int x, int y) override { painted.emplace_back(x, y); }
    std::set<std::pair<int, int>> Cells() const { return {painted.begin(), painted.end()}; }
};

// A game wired to the recording fakes, with positions written as text rows:
// R red, B blue, G green, Y yellow, V violet, '.' empty.
struct GameRig {
    FixedClock clock;
    RecordingView view;
    RecordingPainter painter;
    Game game{clock, view, painter};

    GameRig() { view.game = &game; }

    void Load(const std::vector<std::string>& rows)
    {
        game.SetDimensions(static_cast<int>(rows.at(0).size()), static_cast<int>(rows.size()));
        game.ClearBoards();
        for (int row = 0; row < game.RowCount(); ++row)
            for (int col = 0; col < game.ColCount(); ++col)
                game.SetCell(col, row, CodeOf(rows[row][col]));
    }

    // A position in play as if dealt: undo equals it, the redraw pass has
    // judged it, and nothing painted so far is remembered.
    void Start(const std::vector<std::string>& rows)
    {
        game.NewGame();
        Load(rows);
        game.SaveUndo();
        game.RedrawBoard();
        painter.painted.clear();
        view.messages.clear();
    }

    void ClickCell(int col, int row)
    {
        game.FieldMouseDown(col * view.cellSize + view.cellSize / 2, row * view.cellSize + 1);
    }

    std::vector<std::string> Rows(const Game::Grid& grid) const
    {
        std::vector<std::string> rows;
        for (int row = 0; row < game.RowCount(); ++row) {
            std::string line;
            for (int col = 0; col < game.ColCount(); ++col)
                line += ".RBGYV"[grid[col][row]];
            rows.push_back(line);
        }
        return rows;
    }
    std::vector<std::string> Rows() const { return Rows(game.Board()); }

    static std::uint8_t CodeOf(char c)
    {
        const std::string letters = ".RBGYV";
        return static_cast<std::uint8_t>(letters.find(c));
    }
};
