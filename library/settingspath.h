#pragma once

#include "settingsplace.h"

#include <QString>

#include <functional>

// The settings file of an executable lies beside it: its extension replaced
// by ".ini" (or ".ini" appended, as Linux executables have none) and the
// file name in lower case, ASCII letters only. The folder keeps its letter
// case, since the file system tells cases apart.
QString SettingsPathFor(const QString& executable);

// Whether the player may make the settings file at a path, or replace the
// one there.
using ReplaceProbe = std::function<bool(const QString& file)>;

// The running player's answer: the folder writable, and the file, when
// there, theirs to replace.
bool MayReplace(const QString& file);

// A copy the player unpacked into a folder of their own keeps its settings
// beside it, as it always did. Elsewhere the settings go to plimmerlo.ini in
// `configFolder` (which nothing here creates), carried over from the file
// beside the program: where the player cannot write that file, and under the
// system's prefixes /usr and /opt, which the game never writes, not even as
// root.
SettingsPlace SettingsPlaceFor(const QString& executable, const QString& configFolder, const ReplaceProbe& replaceable);

// The settings of the running program, for the player running it.
SettingsPlace DefaultSettingsPlace();
