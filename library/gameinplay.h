#pragma once

#include "arrangement.h"

#include <QString>

// The game in play as one value: the arrangement on the field (its date is
// that of the latest save) and the name it is stored under, empty for the
// standard game. The main window owns it; the chooser is shown it.
struct GameInPlay {
    QString name;
    // Whether the file holds the game in play under `name`. A game read
    // without a date, a recorded name that names no game and a game the
    // chooser erased are not stored: their empty name is not the standard
    // game's, so a change of the standard game does not concern them.
    bool stored = false;
    Arrangement arrangement;

    bool operator==(const GameInPlay&) const = default;
};
