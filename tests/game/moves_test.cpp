#include "fakes.h"

#include <gtest/gtest.h>

namespace {

struct MoveCase {
    const char* name;
    std::vector<std::string> before;
    int col, row;
    std::vector<std::string> after;
};

// Removes the group at (col, row) and collapses, as a click does.
std::vector<std::string> Play(GameRig& rig, const MoveCase& c)
{
    rig.Load(c.before);
    rig.game.RemoveGroup(c.col, c.row, rig.game.Board()[c.col][c.row]);
    rig.game.CollapseBoard();
    return rig.Rows();
}

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
        GameRig rig;
        EXPECT_EQ(Play(rig, c), c.after) << c.name;
    }
}

TEST(Moves, WorkedExampleStepByStep)
{
    GameRig rig;
    rig.Load({"BRYGB", "BRYYG", "RRBYG"});
    ASSERT_TRUE(rig.game.HasSameNeighbour(1, 0));
    rig.game.RemoveGroup(1, 0, 1);
    EXPECT_EQ(rig.Rows(), (std::vector<std::string>{"B.YGB", "B.YYG", "..BYG"}));
    rig.game.CollapseBoard();
    EXPECT_EQ(rig.Rows(), (std::vector<std::string>{"..YGB", ".BYYG", ".BBYG"}));
}

TEST(Moves, NeighbourTest)
{
    GameRig rig;
    rig.Load({"RB", "BG"});
    EXPECT_FALSE(rig.game.HasSameNeighbour(0, 0)); // all neighbours differ
    EXPECT_FALSE(rig.game.HasSameNeighbour(1, 0)); // the other blue touches only at a corner
    rig.Load({"RY", "BB"});
    EXPECT_TRUE(rig.game.HasSameNeighbour(0, 1));
    EXPECT_TRUE(rig.game.HasSameNeighbour(1, 1));
    rig.Load({"R", "R"});
    EXPECT_TRUE(rig.game.HasSameNeighbour(0, 0));
}

TEST(Moves, EdgeCellsDoNotSeeTheStorageBeyond)
{
    // Fill the whole storage red, then shrink the play area: the cells right
    // of and below it stay red in storage but must never be compared.
    GameRig rig;
    rig.view.colors = {1};
    rig.game.SetDimensions(101, 101);
    rig.game.NewGame();
    rig.game.SetDimensions(3, 2);
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 2; ++row)
            rig.game.SetCell(col, row, static_cast<std::uint8_t>(2 + (col + row) % 2));
    rig.game.SetCell(2, 1, 1); // bottom-right, red like the storage around it
    EXPECT_FALSE(rig.game.HasSameNeighbour(2, 1));
    rig.game.SetCell(2, 0, 1);
    EXPECT_TRUE(rig.game.HasSameNeighbour(2, 1));
    // Removing that pair must leave the storage outside untouched.
    rig.game.RemoveGroup(2, 1, 1);
    EXPECT_EQ(rig.game.Board()[3][1], 1);
    EXPECT_EQ(rig.game.Board()[2][2], 1);
    EXPECT_EQ(rig.game.Board()[2][0], 0);
}

TEST(Moves, OneColourBoardOfFullStorageEmptiesInOneClick)
{
    GameRig rig;
    rig.view.colors = {2};
    rig.game.SetDimensions(101, 101);
    rig.game.NewGame();
    rig.ClickCell(50, 50);
    EXPECT_EQ(rig.game.StonesLeft(), 0);
    EXPECT_TRUE(rig.game.GameOver());
    for (const auto& column : rig.game.Board())
        for (auto cell : column)
            ASSERT_EQ(cell, 0);
}
