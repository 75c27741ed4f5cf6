#pragma once

#include <string>

// Every text the game flow shows the player, in one place (UTF-8).
namespace Texts {

inline const std::string Shuffling = "Geduld, Ich mische ...";
inline const std::string Undone = "Du hast es rückgängig gemacht ...";
inline const std::string PlayAgainQuestion =
    "Das Spiel ist zu Ende. Möchtest Du es noch einmal spielen?";

std::string LetsPlay(const std::string& gameName);

// The announcement at the end of a game.
struct EndTexts {
    bool won;
    std::string headline;
    std::string detail;
    std::string panel; // the message panel's sentence
};

EndTexts EndOfGame(int stonesLeft);

} // namespace Texts
