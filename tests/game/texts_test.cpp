#include "texts.h"

#include <gtest/gtest.h>

TEST(Texts, TheGamesTexts)
{
    const struct {
        const char* what;
        std::string shown;
        const char* expected;
    } table[] = {
        {"won, headline", Texts::EndOfGame(0).headline, "Game Over !!!"},
        {"won, detail", Texts::EndOfGame(0).detail, "Du hast das Spiel gewonnen !"},
        {"won, panel", Texts::EndOfGame(0).panel, "Du hast gewonnen !!!"},
        {"one left, headline", Texts::EndOfGame(1).headline, "Game Over !!!"},
        {"one left, detail", Texts::EndOfGame(1).detail, "Verloren! 1 Stein ist übrig geblieben."},
        {"one left, panel", Texts::EndOfGame(1).panel, "1 übriger Stein. Verloren !!!"},
        {"two left, detail", Texts::EndOfGame(2).detail, "Verloren! 2 Steine sind übrig geblieben."},
        {"two left, panel", Texts::EndOfGame(2).panel, "2 übrige Steine. Verloren !!!"},
        {"many left, without separators", Texts::EndOfGame(10201).panel, "10201 übrige Steine. Verloren !!!"},
        {"no name", Texts::LetsPlay(""), "Spielen wir ..."},
        {"a name, quoted without extra space", Texts::LetsPlay("Zoo"), "Spielen wir \"Zoo\" ..."},
    };
    for (const auto& [what, shown, expected] : table)
        EXPECT_EQ(shown, expected) << what;
    EXPECT_TRUE(Texts::EndOfGame(0).won);
    EXPECT_FALSE(Texts::EndOfGame(1).won);
}
