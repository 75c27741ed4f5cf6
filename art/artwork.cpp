#include "artwork.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

QImage Artwork(const QString& resource)
{
    QImageReader reader(resource, QFileInfo(resource).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon ArtworkIcon(const QString& resource)
{
    return QIcon(QPixmap::fromImage(Artwork(resource)));
}
