#pragma once

#include <functional>

class MainWindow;

// Starts the game as the program does: the application, the real clock,
// dialogs, desktop and settings file, the main window,
// after SetUpProcess(). `beforeShow` may
// look at the window before it appears; the result is the event loop's.
int RunProgram(int argc, char* argv[], const std::function<void(MainWindow&)>& beforeShow = {});
