#include "gamesections.h"

#include <gtest/gtest.h>

TEST(GameSections, WhichSectionsAreGamesAndTheirNames)
{
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"Foo-GAME", true, "Foo"},
        {"-GAME", true, "(Standard)"},
        {"-GAMEfoo", false, ""},
        {"-GAMEfoo-GAME", false, ""}, // the first occurrence decides
        {"A-GAMEB", true, "A-"},     // the section less its last five characters
        {"OPTIONS", false, ""},
        {"Zoo-game", false, ""},
        {"Bäume-GAME", true, "Bäume"},
    };
    for (const auto& [section, isGame, name] : cases) {
        EXPECT_EQ(GameSections::IsGame(QString::fromUtf8(section)), isGame) << section;
        if (isGame) {
            EXPECT_EQ(GameSections::NameOf(QString::fromUtf8(section)), QString::fromUtf8(name)) << section;
        }
    }
}

TEST(GameSections, StandardNameAndTrimming)
{
    EXPECT_EQ(GameSections::SectionOf("(Standard)"), "-GAME");
    EXPECT_EQ(GameSections::SectionOf("(standard)"), "(standard)-GAME");
    EXPECT_EQ(GameSections::SectionOf(""), "-GAME");
    EXPECT_EQ(GameSections::SectionOf("Zoo"), "Zoo-GAME");
    EXPECT_EQ(GameSections::Trimmed(QString(" \t\r\n Zoo  Tiere \x01 ")), "Zoo  Tiere");
    EXPECT_EQ(GameSections::Trimmed(" \t "), "");
}
