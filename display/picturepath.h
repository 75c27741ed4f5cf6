#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Where the picture of a stored path is found: the path itself, else its
// bare file name in the current folder, beside the program, or in the
// program's data folder (../share/plimmerlo from the program). A game stored
// on another computer (or with Windows paths) thus still finds a picture of
// the same name. Where none of them is a file, the same folders, the stored
// path's own first, are searched once more without regard to letter case,
// as Windows would find the file. Empty when nothing is found.
QString FindPicture(const QString& stored);

// The black picture that stands in for a missing one.
QImage MissingPicture();

// The background picture of a stored name, found as FindPicture finds it;
// the missing picture when there is none. A name that did not lead to its
// file in its own folder is kept by its bare file name from then on. Throws
// PictureError for a file that cannot be shown.
QImage LoadBackgroundPicture(QString& name, QSize room);

// The file-name part of a stored picture path. Paths may come from Windows
// ("C:\Bilder\zoo.jpg") as well as from this system, so a backslash and a
// drive's colon separate as a slash does.
QString BareFileName(const QString& path);

// Fits a long path into a label: everything between the first separator and
// the file name becomes "..", written with that separator, so
// C:\Bilder\Tiere\zoo.jpg shows as C:\..\zoo.jpg and /home/lena/zoo.jpg as
// /../zoo.jpg.
QString ShortPath(const QString& path);

// The size a picture is stretched to in a preview area: the area's width,
// or its height when the picture is taller than wide, the other side in
// proportion, cut towards zero. An empty picture gives an empty size.
QSize PreviewSize(QSize picture, QSize area);
// The size a picture is shown at: its own when it fits into `room` (any
// size fits an invalid room), otherwise the largest that fits with the
// picture's proportions kept, yet never less than one pixel either way.
QSize FittedSize(QSize picture, QSize room);
