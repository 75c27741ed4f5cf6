#include "texts.h"

#include <gtest/gtest.h>

TEST(Texts, EndOfGameForWinAndLoss)
{
    const auto won = Texts::EndOfGame(0);
    EXPECT_TRUE(won.won);
    EXPECT_EQ(won.headline, "Game Over !!!");
    EXPECT_EQ(won.detail, "Du hast das Spiel gewonnen !");
    EXPECT_EQ(won.panel, "Du hast gewonnen !!!");

    const auto one = Texts::EndOfGame(1);
    EXPECT_FALSE(one.won);
    EXPECT_EQ(one.headline, "Game Over !!!");
    EXPECT_EQ(one.detail, "Verloren! 1 Stein ist übrig geblieben.");
    EXPECT_EQ(one.panel, "1 übriger Stein. Verloren !!!");

    const auto two = Texts::EndOfGame(2);
    EXPECT_EQ(two.detail, "Verloren! 2 Steine sind übrig geblieben.");
    EXPECT_EQ(two.panel, "2 übrige Steine. Verloren !!!");

    EXPECT_EQ(Texts::EndOfGame(10201).panel, "10201 übrige Steine. Verloren !!!"); // no separators
}

TEST(Texts, LetsPlayQuotesTheNameWithoutExtraSpace)
{
    EXPECT_EQ(Texts::LetsPlay(""), "Spielen wir ...");
    EXPECT_EQ(Texts::LetsPlay("Zoo"), "Spielen wir \"Zoo\" ...");
}
