#include "texts.h"

namespace Texts {

std::string LetsPlay(const std::string& gameName)
{
    if (gameName.empty())
        return "Spielen wir ...";
    return "Spielen wir \"" + gameName + "\" ...";
}

EndTexts EndOfGame(int stonesLeft)
{
    if (stonesLeft <= 0)
        return {true, "Game Over !!!", "Du hast das Spiel gewonnen !", "Du hast gewonnen !!!"};
    const std::string count = std::to_string(stonesLeft);
    if (stonesLeft == 1)
        return {false, "Game Over !!!", "Verloren! 1 Stein ist übrig geblieben.",
                "1 übriger Stein. Verloren !!!"};
    return {false, "Game Over !!!", "Verloren! " + count + " Steine sind übrig geblieben.",
            count + " übrige Steine. Verloren !!!"};
}

} // namespace Texts
