#pragma once

#include <QString>

#include <utility>

// Where the settings are kept. `file` is the player's own settings file,
// which every change writes. `carriedFrom` is a settings file the player
// cannot change, such as one beside a copy of the game on a read-only
// stick: it is read while `file` does not exist, and its text becomes the
// start of `file` at the first change, so no stored game seems lost.
struct SettingsPlace {
    // Not explicit: a bare path is a place that carries nothing over.
    SettingsPlace(QString file, QString carriedFrom = {})
        : file(std::move(file)), carriedFrom(std::move(carriedFrom))
    {
    }

    QString file;
    QString carriedFrom;
};
