#pragma once

#include "arrangement.h"
#include "pictureorder.h"
#include "settingsfile.h"

#include <QString>
#include <QStringList>

#include <optional>

class Clock;

// What reading the settings gives the game in play.
struct SettingsReading {
    // The "user" of the settings, shown in the caption; empty when unknown.
    QString userName;
    // The game now in play; empty for the standard game.
    QString gameName;
    // Whether it is stored under that name: not when it has no date.
    bool stored = false;
    Arrangement arrangement;
};

// What the chooser shows of a stored game: its texts as they stand in the
// file, and its colours as the game would read them.
struct GamePreview {
    QString picture;
    QString rows;
    QString cols;
    QString date;
    ColorSelection colors;
};

// The stored games of the settings file: reading the game in play, the
// chooser's list and previews, and every command that writes. Each write is
// one transaction of the file: whole or not at all, and a refused name or
// value writes nothing.
class GameLibrary {
public:
    GameLibrary(SettingsPlace settings, const Clock& clock);

    // The game named `gameName`, or the one recorded in the file when it is
    // empty. What its section lacks keeps its value from `current`, except
    // the date and the colours; a game without a date counts as the
    // standard game. Rows and columns are held to 1..101, so a hand-edited
    // file can never reach outside the board.
    SettingsReading ReadSettings(const QString& gameName, const Arrangement& current) const;
    // The names to list, sorted without regard to letter case, "(Standard)"
    // for the standard game; nothing when the file holds fewer than two
    // sections.
    std::optional<QStringList> GameNames() const;
    GamePreview Preview(const QString& name) const;
    // The games the dice may load, in file order: every stored game but the
    // standard one; none in a file of fewer than two sections.
    QStringList RandomGameCandidates() const;

    // Stores the arrangement as the game `name` and records it as the game
    // in play; the stamp of this moment, as stored.
    QString SaveGame(const QString& name, const Arrangement& arrangement);
    // Records the game in play and the time of closing.
    void WriteOptions(const QString& gameName);
    // The picture dialog's order, kept with the options; by name until the
    // player chooses another.
    PictureOrder ReadPictureOrder() const;
    void WritePictureOrder(PictureOrder order);
    // The copy gets every key of the old game that has a value, and `date`.
    void CopyGame(const QString& oldName, const QString& newName, const QString& date);
    void EraseGame(const QString& name);
    // A copy and the erasing of the old game in one change of the file.
    void RenameGame(const QString& oldName, const QString& newName, const QString& date);

    // Throws SettingsError with the reason when a game of that name could
    // not be stored so that it reads back as typed.
    static void CheckName(const QString& name);

    // The date and time as the settings file records them, in the form its
    // stored games hold whatever the desktop's language, so that every
    // locale can store it: dd.MM.yy hh:mm:ss, the time left out at exactly
    // midnight.
    static QString DateTimeText(const Clock& clock);
    // Today's date alone, in that form.
    static QString DateText(const Clock& clock);
    // The stamp of a saved game: the first 14 characters of the above.
    static QString DateStamp(const Clock& clock);

private:
    SettingsFile file_;
    const Clock& clock_;
};
