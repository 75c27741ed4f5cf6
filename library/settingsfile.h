#pragma once

#include "settingsdocument.h"
#include "settingsplace.h"

#include <QString>

#include <chrono>
#include <functional>

// The settings file on disk. Reading takes the file as it is; a change is
// one transaction: under a lock beside the file it is read, changed in
// memory and replaced once, whole, or not at all. So a failure leaves the
// old file byte for byte, and two running copies of the game that save at
// the same moment both keep their saves.
class SettingsFile {
public:
    explicit SettingsFile(SettingsPlace place, std::chrono::milliseconds lockWait = std::chrono::seconds(5));

    // A missing file, or one that cannot be read or is no file (a folder,
    // a pipe, a device, or too large), reads as an empty one;
    // while the player's file is missing, the file it is carried from is read.
    SettingsDocument Read() const;
    // Runs `change` on the file's current text (the carried one while the
    // player's file is missing) and replaces the player's file when it
    // changed. Throws SettingsError when the lock cannot be had
    // within the wait, or the file (or the carried one) cannot be read, or
    // the player's file cannot be written; an error thrown by `change`
    // leaves the file as it was.
    void Change(const std::function<void(SettingsDocument&)>& change);

private:
    QString path_;
    QString carriedFrom_;
    std::chrono::milliseconds lockWait_;
};
