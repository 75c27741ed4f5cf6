#include "artwork.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>

QImage Artwork(const QString& resource)
{
    QImageReader reader(resource, QFileInfo(resource).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap ArtworkPixmap(const QString& resource)
{
    const QFileInfo file(resource);
    const QString dense = file.path() + '/' + file.completeBaseName() + "@2x." + file.suffix();
    if (qGuiApp->devicePixelRatio() < 2 || !QFile::exists(dense))
        return QPixmap::fromImage(Artwork(resource));
    QPixmap pixmap = QPixmap::fromImage(Artwork(dense));
    pixmap.setDevicePixelRatio(2);
    return pixmap;
}

QIcon ArtworkIcon(const QString& resource)
{
    return QIcon(QPixmap::fromImage(Artwork(resource)));
}
