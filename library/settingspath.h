#pragma once

#include <QString>

#include <functional>

// The settings file of an executable lies beside it: its extension replaced
// by ".ini" (or ".ini" appended, as Linux executables have none) and the
// file name in lower case, ASCII letters only. The folder keeps its letter
// case, since the file system tells cases apart.
QString SettingsPathFor(const QString& executable);

// Whether the player may make and replace files in a folder.
using FolderProbe = std::function<bool(const QString& folder)>;

// A copy the player unpacked into a folder of their own keeps its settings
// beside it, as it always did. Installed by the system, the program's folder
// is closed to the player, so the settings go to plimmerlo.ini in
// `configFolder` instead, which nothing here creates.
QString SettingsPathFor(const QString& executable, const QString& configFolder, const FolderProbe& writable);

// The settings file of the running program, for the player running it.
QString DefaultSettingsPath();
