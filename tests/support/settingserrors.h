#pragma once

#include "settingserror.h"

#include <QString>

// The message of the SettingsError that `action` throws, or "<no error>".
template <class Action>
QString ErrorOf(Action&& action)
{
    try {
        action();
    } catch (const SettingsError& error) {
        return QString::fromUtf8(error.what());
    }
    return QStringLiteral("<no error>");
}
