#pragma once

#include <QString>

#include <stdexcept>

// A settings file could not be written, or a name or value was refused
// because it cannot be stored safely. what() is the German message in UTF-8,
// without a final full stop: the error box that shows it adds one.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString& message) : std::runtime_error(message.toStdString()) {}
};
