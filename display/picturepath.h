#pragma once

#include <QString>

// Where the picture of a stored path is found: the path itself, else its
// bare file name in the current folder, else that name beside the program.
// A game stored on another computer (or with Windows paths) thus still finds
// a picture of the same name. Empty when none of them is a file.
QString FindPicture(const QString& stored);
