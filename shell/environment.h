#pragma once

#include "settingsplace.h"

class Clock;
class DesktopOpener;
class UserDialogs;

// What the program needs of the world around it. The program hands in the
// real ones; tests hand in stand-ins and a settings file of their own.
struct Environment {
    const Clock& clock;
    UserDialogs& dialogs;
    DesktopOpener& desktop;
    SettingsPlace settingsPath;
};
