#pragma once

#include <QString>

// Where the picture of a stored path is found: the path itself, else its
// bare file name in the current folder, beside the program, or in the
// program's data folder (../share/plimmerlo from the program). A game stored
// on another computer (or with Windows paths) thus still finds a picture of
// the same name. Where none of them is a file, the same folders, the stored
// path's own first, are searched once more without regard to letter case,
// as Windows would find the file. Empty when nothing is found.
QString FindPicture(const QString& stored);

// Where the picture of a stored name lies (empty when nowhere), found as
// FindPicture finds it, and the name the game keeps for it from then on: a
// name that did not lead to its file in its own folder is kept by its bare
// file name.
struct StoredPicture {
    QString file;
    QString name;
};
StoredPicture FindStoredPicture(const QString& stored);

// The file-name part of a stored picture path. Paths may come from Windows
// ("C:\Bilder\zoo.jpg") as well as from this system, so a backslash and a
// drive's colon separate as a slash does.
QString BareFileName(const QString& path);

// Fits a long path into a label: everything between the first separator and
// the file name becomes "..", written with that separator, so
// C:\Bilder\Tiere\zoo.jpg shows as C:\..\zoo.jpg and /home/lena/zoo.jpg as
// /../zoo.jpg.
QString ShortPath(const QString& path);
