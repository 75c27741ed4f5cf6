#pragma once

#include "clock.h"

#include <QString>

#include <array>

class IniFile;

// The arrangement a stored game holds: picture, dimensions, grid and the
// colours that take part. The board itself is never stored; every game is
// dealt afresh.
struct StoredGame {
    QString backgroundFile;
    int rows = 18;
    int cols = 22;
    bool grid = true;
    // For the colour codes 1 to 5 (index 0 is red): 1 takes part, 0 not.
    std::array<int, 5> colors{};
    QString date;
};

namespace StoredGames {

// Reads the game of `section`; whatever the section lacks keeps its value
// from `current`, except the date and the colours, which default to empty
// and 0. Rows and columns are held to 1..101 and colour values to 0 or 1,
// so a hand-edited file can never reach outside the board or the icons.
StoredGame Read(const IniFile& ini, const QString& section, const StoredGame& current);
// Writes the game's keys into `section` in their fixed order; other keys
// of the section stay.
void Write(IniFile& ini, const QString& section, const StoredGame& game);

// The date and time as the settings file records them: the short date and
// the long time of the locale, the time left out at exactly midnight.
QString DateTimeText(const Clock::LocalTime& now);
// The stamp of a saved game: the first 14 characters of the above.
QString DateStamp(const Clock::LocalTime& now);

} // namespace StoredGames
