#include "support/fixedclock.h"
#include "game.h"
#include "positions.h"

#include <gtest/gtest.h>

TEST(Board, KnownSeedFillsKnownBoard)
{
    FixedClock clock;
    clock.ms = 1000;
    Game game(clock);
    game.SetDimensions(4, 3);
    game.SetColors(StartColors);
    game.NewGame();
    EXPECT_EQ(RowsOf(game.Board()), (std::vector<std::string>{"BYBB", "RYBB", "YYYR"}));
    // Blue and violet take the places of red and blue in the table the board is drawn from.
    game.SetColors({2, 4, 5});
    game.NewGame();
    EXPECT_EQ(RowsOf(game.Board()), (std::vector<std::string>{"YVYY", "BVYY", "VVVB"}));
}

TEST(Board, FillUsesOnlyColoursInPlayAndOnlyThePlayArea)
{
    Board board(37, 23);
    RandomSource random;
    random.Reseed(4711);
    const std::uint8_t colors[] = {3, 5};
    board.FillBoard(colors, random);
    int seen[6] = {};
    for (int col = 0; col < Board::StorageSize; ++col)
        for (int row = 0; row < Board::StorageSize; ++row) {
            if (board.InPlay(col, row))
                ++seen[board.At(col, row)];
            else
                ASSERT_EQ(board.At(col, row), 0) << col << "," << row;
        }
    EXPECT_EQ(seen[0] + seen[1] + seen[2] + seen[4], 0);
    EXPECT_GT(seen[3], 0);
    EXPECT_GT(seen[5], 0);
}

TEST(Board, OneColourFillsEveryCellWithIt)
{
    Board board(101, 101);
    RandomSource random;
    const std::uint8_t yellow[] = {4};
    board.FillBoard(yellow, random);
    EXPECT_EQ(board.StonesLeft(), 101 * 101);
    for (int col = 0; col < Board::StorageSize; ++col)
        for (int row = 0; row < Board::StorageSize; ++row)
            ASSERT_EQ(board.At(col, row), 4);
}

TEST(Board, DimensionsAreHeldToTheStorage)
{
    FixedClock clock;
    Game game(clock);
    game.SetDimensions(500, 0);
    EXPECT_EQ(game.ColCount(), 101);
    EXPECT_EQ(game.RowCount(), 1);
    game.SetDimensions(-7, 101);
    EXPECT_EQ(game.ColCount(), 1);
    EXPECT_EQ(game.RowCount(), 101);
    game.NewGame(); // and a game on them is dealt without touching outside the storage
    EXPECT_EQ(game.StonesLeft(), 101);
}
