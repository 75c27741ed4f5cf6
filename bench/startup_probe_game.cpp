// The game's start-up exactly as the program does it, ended at the first paint.
#include "mainwindow.h"
#include "program.h"
#include "startup_probe.h"

#include <memory>

int main(int argc, char* argv[])
{
    std::unique_ptr<QuitAfterFirstPaint> probe;
    const int result = RunProgram(argc, argv, [&](MainWindow& form) { probe = std::make_unique<QuitAfterFirstPaint>(form); });
    PrintPeakRss();
    return result;
}
