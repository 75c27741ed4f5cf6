#pragma once

#include <QString>

// How stored games are named in the settings file: each game is a section
// "<name>-GAME"; the standard game has the empty name, shown as "(Standard)".
namespace GameSections {

inline const QString StandardName = QStringLiteral("(Standard)");
inline const QString Suffix = QStringLiteral("-GAME");
inline const QString Options = QStringLiteral("OPTIONS");

// Removes leading and trailing characters below code 33, as every name
// taken from the player is.
QString Trimmed(const QString& name);
// The section of a game; "(Standard)", spelled exactly so, is the empty name.
QString SectionOf(const QString& gameName);
// Whether two names are one game: their sections are equal as the settings
// file compares them, letter case aside. A name that the file cannot hold
// is no stored game's name.
bool SameName(const QString& a, const QString& b);
// Whether two texts are equal but for letter case, as the chooser's list
// finds an entry: "(standard)" is the entry "(Standard)".
bool SameText(const QString& a, const QString& b);
// Whether a section is a stored game: "-GAME" from its second character on.
bool IsGame(const QString& section);
// The name a game section shows: the section less its last five
// characters, and "(Standard)" for "-GAME" itself.
QString NameOf(const QString& section);

} // namespace GameSections
