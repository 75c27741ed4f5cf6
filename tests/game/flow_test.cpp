#include "fakes.h"
#include "texts.h"

#include <gtest/gtest.h>

TEST(Flow, NewGameRunsItsStepsInOrderAndPaintsEveryCell)
{
    GameRig rig;
    rig.game.SetDimensions(12, 9);
    rig.game.NewGame();
    EXPECT_EQ(rig.view.steps, (std::vector<std::string>{"layout", "colors", "message now"}));
    EXPECT_EQ(rig.view.messages, (std::vector<std::string>{"Geduld, Ich mische ...", "Spielen wir ..."}));
    EXPECT_EQ(rig.painter.painted.size(), 12u * 9u);
    EXPECT_EQ(rig.painter.Cells().size(), 12u * 9u);
    EXPECT_EQ(rig.painter.painted.front(), std::make_pair(0, 0));
    EXPECT_EQ(rig.painter.painted[1], std::make_pair(10, 0)); // row by row, left to right
    EXPECT_EQ(rig.painter.painted.back(), std::make_pair(110, 80));
    EXPECT_TRUE(rig.game.IncrementalRedraw());
    EXPECT_EQ(rig.view.busyDepth, 0);
    EXPECT_EQ(rig.game.StonesLeft(), 12 * 9);
}

TEST(Flow, NewGameNamesTheStoredGame)
{
    GameRig rig;
    rig.game.SetGameName("Zoo");
    rig.game.NewGame();
    EXPECT_EQ(rig.view.messages.back(), "Spielen wir \"Zoo\" ...");
}

TEST(Flow, SameTimeOfDayDealsSameBoard)
{
    GameRig a, b;
    a.clock.ms = b.clock.ms = 45296789;
    a.game.NewGame();
    b.game.NewGame();
    EXPECT_EQ(a.Rows(), b.Rows());
    b.clock.ms += 1;
    b.game.NewGame();
    EXPECT_NE(a.Rows(), b.Rows());
}

TEST(Flow, MoveRepaintsExactlyTheChangedCells)
{
    GameRig rig;
    rig.Start({"BRYGB", "BRYYG", "RRBYG"});
    rig.ClickCell(1, 0);
    EXPECT_EQ(rig.Rows(), (std::vector<std::string>{"..YGB", ".BYYG", ".BBYG"}));
    // Cells whose content changed: (0,0) B->., (1,0) R->., (0,1) B->., (1,1) R->B,
    // (0,2) R->., (1,2) R->B. Unchanged cells are left alone.
    const std::set<std::pair<int, int>> expected = {{0, 0}, {10, 0}, {0, 10}, {10, 10}, {0, 20}, {10, 20}};
    EXPECT_EQ(rig.painter.Cells(), expected);
    EXPECT_EQ(rig.painter.painted.size(), expected.size());
    EXPECT_EQ(rig.game.StonesLeft(), 11);
    EXPECT_FALSE(rig.game.GameOver());
    EXPECT_EQ(rig.Rows(rig.game.UndoBoard()), (std::vector<std::string>{"BRYGB", "BRYYG", "RRBYG"}));
}

TEST(Flow, ClickThatTakesNothingChangesNothing)
{
    GameRig rig;
    rig.Start({"RRB", "GYB", "..B"});
    rig.ClickCell(0, 0); // a real move first
    const auto board = rig.Rows();
    const auto undo = rig.Rows(rig.game.UndoBoard());
    rig.painter.painted.clear();

    rig.ClickCell(1, 2); // lone yellow
    rig.ClickCell(0, 0); // empty cell
    rig.game.FieldMouseDown(-5, 3);      // beside the field
    rig.game.FieldMouseDown(3, 10 * 40); // below the field
    EXPECT_EQ(rig.Rows(), board);
    EXPECT_EQ(rig.Rows(rig.game.UndoBoard()), undo);
    EXPECT_TRUE(rig.painter.painted.empty());
    EXPECT_TRUE(rig.view.messages.empty());

    rig.game.Undo(); // still returns to the position before the real move
    EXPECT_EQ(rig.Rows(), (std::vector<std::string>{"RRB", "GYB", "..B"}));
}

TEST(Flow, UndoRepaintsAllAndRepeats)
{
    GameRig rig;
    rig.Start({"RRB", "GYB", "GYB"});
    rig.ClickCell(2, 0);
    rig.painter.painted.clear();

    rig.game.Undo();
    EXPECT_EQ(rig.painter.painted.size(), 9u);
    EXPECT_EQ(rig.view.messages.back(), "Du hast es rückgängig gemacht ...");
    EXPECT_TRUE(rig.game.IncrementalRedraw());
    rig.game.Undo();
    EXPECT_EQ(rig.Rows(), (std::vector<std::string>{"RRB", "GYB", "GYB"}));
    EXPECT_EQ(rig.game.StonesLeft(), 9);
}

TEST(Flow, UndoRightAfterNewGameKeepsTheBoard)
{
    GameRig rig;
    rig.game.NewGame();
    const auto dealt = rig.Rows();
    rig.game.Undo();
    EXPECT_EQ(rig.Rows(), dealt);
    EXPECT_EQ(rig.view.messages.back(), "Du hast es rückgängig gemacht ...");
}

TEST(Flow, WinningMoveAnnouncesAndUndoResumesPlay)
{
    GameRig rig;
    rig.Start({"RR"});
    rig.ClickCell(0, 0);
    EXPECT_TRUE(rig.game.GameOver());
    EXPECT_EQ(rig.game.StonesLeft(), 0);
    EXPECT_EQ(rig.view.endMessages, std::vector<int>{0});
    EXPECT_EQ(rig.view.questions, 0);

    rig.game.Undo();
    EXPECT_FALSE(rig.game.GameOver());
    rig.ClickCell(1, 0);
    EXPECT_EQ(rig.view.endMessages, (std::vector<int>{0, 0}));
}

TEST(Flow, LosingMoveCountsTheStonesLeft)
{
    GameRig rig;
    rig.Start({"GRRB"});
    rig.ClickCell(1, 0);
    EXPECT_EQ(rig.Rows(), (std::vector<std::string>{"..GB"}));
    EXPECT_TRUE(rig.game.GameOver());
    EXPECT_EQ(rig.view.endMessages, std::vector<int>{2});
}

TEST(Flow, DealWithoutMoveIsEndedUntilTheFirstClick)
{
    GameRig rig;
    rig.Start({"RB", "BR"});
    EXPECT_TRUE(rig.game.GameOver());
    EXPECT_TRUE(rig.view.endMessages.empty());

    rig.view.answerYes = false;
    rig.ClickCell(0, 0);
    EXPECT_EQ(rig.view.questions, 1);
    EXPECT_EQ(rig.view.endMessages, std::vector<int>{4});
    EXPECT_EQ(rig.Rows(), (std::vector<std::string>{"RB", "BR"}));

    rig.ClickCell(1, 1); // No again: the same announcement once more
    EXPECT_EQ(rig.view.questions, 2);
    EXPECT_EQ(rig.view.endMessages, (std::vector<int>{4, 4}));
}

TEST(Flow, YesAfterTheEndDealsANewGameWithoutAMove)
{
    GameRig rig;
    rig.Start({"RB", "BR"});
    rig.view.answerYes = true;
    rig.view.steps.clear();
    rig.ClickCell(0, 0);
    EXPECT_EQ(rig.view.questions, 1);
    EXPECT_EQ(rig.view.steps.front(), "layout");
    EXPECT_TRUE(rig.view.endMessages.empty());
}

TEST(Flow, ZeroCellSizeIgnoresClicks)
{
    GameRig rig;
    rig.view.cellSize = 0;
    rig.game.SetDimensions(3, 1);
    rig.game.NewGame();
    rig.Load({"RRR"});
    rig.game.SaveUndo();
    rig.game.RedrawBoard();
    rig.game.FieldMouseDown(0, 0);
    EXPECT_EQ(rig.Rows(), std::vector<std::string>{"RRR"});
}

TEST(Flow, TypicalMovePaintsFarFewerCellsThanAFullPass)
{
    GameRig rig;
    rig.view.colors = {1, 2, 3, 4, 5};
    rig.game.SetDimensions(99, 99);
    rig.clock.ms = 123456;
    rig.game.NewGame();
    rig.painter.painted.clear();
    // The first takeable stone of the bottom row: a typical early move.
    for (int col = 0; col < 99; ++col)
        if (rig.game.HasSameNeighbour(col, 98)) {
            rig.ClickCell(col, 98);
            break;
        }
    EXPECT_GT(rig.painter.painted.size(), 0u);
    EXPECT_LT(rig.painter.painted.size(), 99u * 99u / 4);
}
