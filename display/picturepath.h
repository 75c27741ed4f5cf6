#pragma once

#include <QString>

// Where the picture of a stored path is found: the path itself, else its
// bare file name in the current folder, else that name beside the program.
// A game stored on another computer (or with Windows paths) thus still finds
// a picture of the same name. Empty when none of them is a file.
QString FindPicture(const QString& stored);

#include <QImage>

// The black picture that stands in for a missing one.
QImage MissingPicture();

// The background picture of a stored name, found as FindPicture finds it;
// the missing picture when there is none. A name that did not lead to its
// file straight away is kept by its bare file name from then on. Decoded
// for `room` as LoadPicture decodes. Throws PictureError for a file that
// cannot be shown.
QImage LoadBackgroundPicture(QString& name, QSize room);

// Fits a long path into a label: everything between the first separator and
// the file name becomes "..", written with that separator, so
// C:\Bilder\Tiere\zoo.jpg shows as C:\..\zoo.jpg and /home/lena/zoo.jpg as
// /../zoo.jpg.
QString ShortPath(const QString& path);
