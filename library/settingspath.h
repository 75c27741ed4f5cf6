#pragma once

#include <QString>

// The settings file of an executable lies beside it: its extension replaced
// by ".ini" (or ".ini" appended, as Linux executables have none) and the
// file name in lower case, ASCII letters only. The folder keeps its letter
// case, since the file system tells cases apart.
QString SettingsPathFor(const QString& executable);

// The settings file of the running program.
QString DefaultSettingsPath();
