#pragma once

#include <functional>

class MainWindow;

// What the process needs before anything else runs. A write beyond the
// limit on a file's size that a shell or a service may set fails then like
// one on a full disk: the save is refused with its message and the old
// settings file stays, where the signal would kill the game without a word.
void SetUpProcess();

// Starts the game as the program does: the application, the real clock,
// dialogs, desktop and settings file, the main window,
// after SetUpProcess(). `beforeShow` may
// look at the window before it appears; the result is the event loop's.
int RunProgram(int argc, char* argv[], const std::function<void(MainWindow&)>& beforeShow = {});
