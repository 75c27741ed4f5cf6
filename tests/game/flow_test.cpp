#include "support/fixedclock.h"
#include "game.h"
#include "positions.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::string>;

struct GameRig {
    FixedClock clock;
    Game game{clock};

    // A position in play as if dealt.
    explicit GameRig(const Rows& rows = {"R"}) { game.Deal(BoardFrom(rows)); }
    Rows Board() const { return RowsOf(game.Board()); }
};

} // namespace

TEST(Flow, NewGameDealsAFreshBoardAndNamesTheGame)
{
    GameRig rig;
    rig.game.SetDimensions(12, 9);
    Turn turn = rig.game.NewGame();
    EXPECT_EQ(turn.message, "Spielen wir ...");
    EXPECT_FALSE(turn.ending);
    EXPECT_EQ(rig.game.StonesLeft(), 12 * 9);
    const Board dealt = rig.game.Board();
    rig.game.Undo(); // nothing to undo yet
    EXPECT_EQ(rig.game.Board(), dealt);

    EXPECT_EQ(rig.game.NewGame("Zoo").message, "Spielen wir \"Zoo\" ...");
}

TEST(Flow, SameTimeOfDayDealsSameBoard)
{
    GameRig a, b;
    a.clock.ms = b.clock.ms = 45296789;
    a.game.NewGame();
    b.game.NewGame();
    EXPECT_EQ(a.Board(), b.Board());
    b.clock.ms += 1;
    b.game.NewGame();
    EXPECT_NE(a.Board(), b.Board());
}

TEST(Flow, MoveTakesTheGroupAndKeepsThePositionBefore)
{
    GameRig rig({"BRYGB", "BRYYG", "RRBYG"});
    const Turn turn = rig.game.Click(1, 0);
    EXPECT_EQ(rig.Board(), (Rows{"..YGB", ".BYYG", ".BBYG"}));
    EXPECT_EQ(rig.game.StonesLeft(), 11);
    EXPECT_FALSE(rig.game.GameOver());
    EXPECT_TRUE(turn.message.empty());
    EXPECT_FALSE(turn.ending);
    rig.game.Undo();
    EXPECT_EQ(rig.Board(), (Rows{"BRYGB", "BRYYG", "RRBYG"}));
}

TEST(Flow, ClickThatTakesNothingChangesNothing)
{
    GameRig rig({"RRB", "GYB", "..B"});
    rig.game.Click(0, 0); // a real move first
    const Board board = rig.game.Board();

    const std::pair<int, int> nothingToTake[] = {{1, 2}, {0, 0}, {-1, 1}, {1, 3}, {3, 0}}; // lone, empty, beside
    for (auto [col, row] : nothingToTake) {
        const Turn turn = rig.game.Click(col, row);
        EXPECT_TRUE(turn.message.empty() && !turn.ending) << col << "," << row;
    }
    EXPECT_EQ(rig.game.Board(), board);

    rig.game.Undo(); // still returns to the position before the real move
    EXPECT_EQ(rig.Board(), (Rows{"RRB", "GYB", "..B"}));
}

TEST(Flow, UndoRepeatsTheSamePosition)
{
    GameRig rig({"RRB", "GYB", "GYB"});
    rig.game.Undo(); // right after the deal: the same board
    EXPECT_EQ(rig.Board(), (Rows{"RRB", "GYB", "GYB"}));
    rig.game.Click(2, 0);
    EXPECT_EQ(rig.game.Undo().message, "Du hast es rückgängig gemacht ...");
    rig.game.Undo();
    EXPECT_EQ(rig.Board(), (Rows{"RRB", "GYB", "GYB"}));
    EXPECT_EQ(rig.game.StonesLeft(), 9);
}

TEST(Flow, WinningMoveAnnouncesAndUndoResumesPlay)
{
    GameRig rig({"RR"});
    const Turn won = rig.game.Click(0, 0);
    EXPECT_TRUE(rig.game.GameOver());
    EXPECT_EQ(rig.game.StonesLeft(), 0);
    ASSERT_TRUE(won.ending);
    EXPECT_TRUE(won.ending->won);
    EXPECT_EQ(won.message, "Du hast gewonnen !!!");

    EXPECT_FALSE(rig.game.Undo().ending);
    EXPECT_FALSE(rig.game.GameOver());
    EXPECT_TRUE(rig.game.Click(1, 0).ending);
}

TEST(Flow, LosingMoveCountsTheStonesLeft)
{
    GameRig rig({"GRRB"});
    const Turn lost = rig.game.Click(1, 0);
    EXPECT_EQ(rig.Board(), (Rows{"..GB"}));
    ASSERT_TRUE(lost.ending);
    EXPECT_FALSE(lost.ending->won);
    EXPECT_EQ(lost.message, "2 übrige Steine. Verloren !!!");
}

TEST(Flow, DealWithoutMoveIsEndedButAnnouncedOnlyAtTheNextClick)
{
    GameRig rig;
    EXPECT_FALSE(rig.game.Deal(BoardFrom({"RB", "BR"})).ending);
    EXPECT_TRUE(rig.game.GameOver());
    const Turn click = rig.game.Click(0, 0);
    ASSERT_TRUE(click.ending);
    EXPECT_EQ(click.ending->detail, "Verloren! 4 Steine sind übrig geblieben.");
    EXPECT_EQ(rig.Board(), (Rows{"RB", "BR"}));
}
