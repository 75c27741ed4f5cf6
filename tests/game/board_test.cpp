#include "fakes.h"

#include <gtest/gtest.h>

TEST(Board, KnownSeedFillsKnownBoard)
{
    GameRig rig;
    rig.clock.ms = 1000;
    rig.game.SetDimensions(4, 3);
    rig.view.colors = {1, 2, 4};
    rig.game.NewGame();
    EXPECT_EQ(rig.Rows(), (std::vector<std::string>{"BYBB", "RYBB", "YYYR"}));
    EXPECT_EQ(rig.Rows(rig.game.UndoBoard()), rig.Rows());
}

TEST(Board, FillUsesOnlyColoursInPlayAndOnlyThePlayArea)
{
    GameRig rig;
    rig.game.SetDimensions(37, 23);
    rig.view.colors = {3, 5};
    rig.clock.ms = 4711;
    rig.game.NewGame();
    int seen[6] = {};
    for (int col = 0; col < Game::StorageSize; ++col)
        for (int row = 0; row < Game::StorageSize; ++row) {
            const int code = rig.game.Board()[col][row];
            if (col < 37 && row < 23)
                ++seen[code];
            else
                ASSERT_EQ(code, 0) << col << "," << row;
        }
    EXPECT_EQ(seen[0] + seen[1] + seen[2] + seen[4], 0);
    EXPECT_GT(seen[3], 0);
    EXPECT_GT(seen[5], 0);
}

TEST(Board, OneColourFillsEveryCellWithIt)
{
    GameRig rig;
    rig.view.colors = {4};
    rig.game.SetDimensions(101, 101);
    rig.game.NewGame();
    EXPECT_EQ(rig.game.ColorCount(), 1);
    for (const auto& column : rig.game.Board())
        for (auto cell : column)
            ASSERT_EQ(cell, 4);
}

TEST(Board, UndoCopiesOnlyThePlayArea)
{
    GameRig rig;
    rig.view.colors = {4};
    rig.game.SetDimensions(101, 101);
    rig.game.NewGame();
    rig.ClickCell(0, 0); // one colour: the board empties, the undo board stays full
    ASSERT_EQ(rig.game.StonesLeft(), 0);

    rig.game.SetDimensions(10, 8);
    rig.game.SetCell(3, 2, 5);
    rig.game.SaveUndo();
    rig.game.SetCell(3, 2, 1);
    rig.game.RestoreUndo();
    rig.game.RestoreUndo();
    EXPECT_EQ(rig.game.Board()[3][2], 5);
    for (int col = 0; col < Game::StorageSize; ++col)
        for (int row = 0; row < Game::StorageSize; ++row) {
            const bool inPlay = col < 10 && row < 8;
            ASSERT_EQ(rig.game.UndoBoard()[col][row], inPlay ? rig.game.Board()[col][row] : 4);
            if (!inPlay) {
                ASSERT_EQ(rig.game.Board()[col][row], 0);
            }
        }
}

TEST(Board, DimensionsAreHeldToTheStorage)
{
    GameRig rig;
    rig.game.SetDimensions(500, 0);
    EXPECT_EQ(rig.game.ColCount(), 101);
    EXPECT_EQ(rig.game.RowCount(), 1);
    rig.game.SetDimensions(-7, 101);
    EXPECT_EQ(rig.game.ColCount(), 1);
    EXPECT_EQ(rig.game.RowCount(), 101);
    rig.game.NewGame(); // and a game on them is dealt without touching outside the grids
    EXPECT_EQ(rig.game.StonesLeft(), 101);
}

TEST(Board, ColorTableKeepsMenuOrderAndSkipsBadCodes)
{
    GameRig rig;
    rig.game.SetColorTable({1, 5});
    EXPECT_EQ(rig.game.ColorTable(), (Game::ColorSlots{0, 1, 5, 0, 0, 0}));
    rig.game.SetColorTable({0, 1, 2, 3, 4, 5, 9});
    EXPECT_EQ(rig.game.ColorCount(), 5);
    EXPECT_EQ(rig.game.ColorTable(), (Game::ColorSlots{0, 1, 2, 3, 4, 5}));
}
