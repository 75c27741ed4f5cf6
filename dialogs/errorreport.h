#pragma once

#include <functional>

class QWidget;
class UserDialogs;

// Runs one command of a window. An error it raises ends the command and is
// shown over `parent`: a settings file that cannot be written in an error
// box titled with the application's title, anything else in the "Fehler"
// box. The next command then runs as usual, and no error reaches Qt's event
// loop.
void RunReportingErrors(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& command);
