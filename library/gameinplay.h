#pragma once

#include "arrangement.h"

#include <QString>

// The game in play as one value: the arrangement on the field (its date is
// that of the latest save) and the name it is stored under, empty for the
// standard game. The main window owns it; the chooser is shown it.
struct GameInPlay {
    QString name;
    Arrangement arrangement;

    bool operator==(const GameInPlay&) const = default;
};
