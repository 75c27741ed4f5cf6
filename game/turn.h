#pragma once

#include "texts.h"

#include <optional>
#include <string>

// What a new game, a click or an undo did, for the window to show. The
// board itself stays with the game: the window repaints whatever of it
// differs from what the field shows.
struct Turn {
    // For the message panel; empty leaves the panel as it is.
    std::string message;
    // The announcement over the field, when the game is over after a click.
    std::optional<Texts::EndTexts> ending;
};
