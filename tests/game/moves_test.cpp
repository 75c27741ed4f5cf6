#include "support/fixedclock.h"
#include "game.h"
#include "positions.h"

#include <gtest/gtest.h>

namespace {

struct MoveCase {
    const char* name;
    std::vector<std::string> before;
    int col, row;
    std::vector<std::string> after;
};

} // namespace

TEST(Moves, RemoveAndCollapse)
{
    const std::vector<MoveCase> cases = {
        {"worked example", {"BRYGB", "BRYYG", "RRBYG"}, 1, 0, {"..YGB", ".BYYG", ".BBYG"}},
        {"single column falls in order", {"R", "G", "G", "B", "G"}, 0, 1, {".", ".", "R", "B", "G"}},
        {"two adjacent empty columns move the rest by two", {"BRRG", "BRRG"}, 1, 0, {"..BG", "..BG"}},
        {"empty column at the left edge stays", {".RRB", ".GYB"}, 1, 0, {"...B", ".GYB"}},
        {"rightmost column emptied", {"BGRR", "YVRR"}, 3, 1, {"..BG", "..YV"}},
        {"corner contact is no connection", {"RB", "BR"}, 0, 0, {".B", "BR"}},
        {"group winds round a corner", {"RRR", "BBR", "RRR"}, 0, 0, {"...", "...", ".BB"}},
    };
    for (const auto& c : cases) {
        Board board = BoardFrom(c.before);
        board.RemoveGroup(c.col, c.row, board.At(c.col, c.row));
        board.CollapseBoard();
        EXPECT_EQ(RowsOf(board), c.after) << c.name;
    }
}

TEST(Moves, WorkedExampleStepByStep)
{
    Board board = BoardFrom({"BRYGB", "BRYYG", "RRBYG"});
    ASSERT_TRUE(board.HasSameNeighbour(1, 0));
    board.RemoveGroup(1, 0, 1);
    EXPECT_EQ(RowsOf(board), (std::vector<std::string>{"B.YGB", "B.YYG", "..BYG"}));
    board.CollapseBoard();
    EXPECT_EQ(RowsOf(board), (std::vector<std::string>{"..YGB", ".BYYG", ".BBYG"}));
    EXPECT_EQ(board.StonesLeft(), 11);
    EXPECT_TRUE(board.HasMove());
}

TEST(Moves, NeighbourTestAndWhetherAnyMoveIsLeft)
{
    const Board apart = BoardFrom({"RB", "BG"});
    EXPECT_FALSE(apart.HasSameNeighbour(0, 0)); // all neighbours differ
    EXPECT_FALSE(apart.HasSameNeighbour(1, 0)); // the other blue touches only at a corner
    EXPECT_FALSE(apart.HasMove());
    const Board pair = BoardFrom({"RY", "BB"});
    EXPECT_TRUE(pair.HasSameNeighbour(0, 1));
    EXPECT_TRUE(pair.HasSameNeighbour(1, 1));
    EXPECT_TRUE(pair.HasMove());
    EXPECT_TRUE(BoardFrom({"R", "R"}).HasSameNeighbour(0, 0));
    EXPECT_FALSE(BoardFrom({"..", ".."}).HasMove()); // empty cells are no move
}

TEST(Moves, EdgeCellsDoNotSeeTheStorageBeyond)
{
    // The storage right of and below the play area holds 0 like an empty
    // cell; comparing with it would pair an empty edge cell with nothing.
    const Board board = BoardFrom({"R.", "BG", "Y."});
    EXPECT_FALSE(board.HasSameNeighbour(1, 0));
    EXPECT_FALSE(board.HasSameNeighbour(1, 2));
    EXPECT_TRUE(BoardFrom({"..", ".."}).HasSameNeighbour(1, 1)); // the test compares values only
}

TEST(Moves, OneColourBoardOfFullStorageEmptiesInOneClick)
{
    FixedClock clock;
    Game game(clock);
    game.SetColors({2});
    game.SetDimensions(101, 101);
    game.NewGame();
    game.Click(50, 50);
    EXPECT_EQ(game.StonesLeft(), 0);
    EXPECT_TRUE(game.GameOver());
    EXPECT_EQ(game.Board(), Board(101, 101));
}
