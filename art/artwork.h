#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The program's own pictures and icons (":/icons/...", ":/pictures/..."),
// read as the kind their name says. Left to guess, Qt would load every
// image plugin installed to ask each whether it reads the file, which costs
// a start of the game more than all its windows take to build.
QImage Artwork(const QString& resource);
QIcon ArtworkIcon(const QString& resource);

// A window's picture, drawn for the screens it is shown on: from its "@2x"
// twin, drawn at twice the resolution, where a screen has two or more
// device pixels a point (a 150 % desktop rounds to that too).
QPixmap ArtworkPixmap(const QString& resource);
