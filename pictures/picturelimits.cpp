#include "picturelimits.h"

PictureError UnreadablePicture(const QString& path)
{
    return PictureError(QStringLiteral("Das Bild „%1“ kann nicht gelesen werden.").arg(path).toStdString());
}

PictureError UnknownKindOfPicture(const QString& path, const QStringList& kinds)
{
    const QString named = kinds.size() < 2 ? kinds.join(QString())
                                           : kinds.first(kinds.size() - 1).join(QStringLiteral(", ")) +
                                                 QStringLiteral(" und ") + kinds.last();
    return PictureError(QStringLiteral("Das Bild „%1“ kann nicht gelesen werden: das Spiel zeigt Bilder der Arten %2.")
                            .arg(path, named)
                            .toStdString());
}

PictureError PictureTooLarge(const QString& path)
{
    return PictureError(QStringLiteral("Das Bild „%1“ ist zu groß: erlaubt sind höchstens %2 Punkte je Seite "
                                       "und %3 Megapixel.")
                            .arg(path)
                            .arg(MaxPictureSide)
                            .arg(MaxPictureBytes / 4 >> 20)
                            .toStdString());
}

PictureError PictureFileTooLarge(const QString& path)
{
    return PictureError(QStringLiteral("Die Datei „%1“ ist zu groß für ein Bild: erlaubt sind höchstens %2 MB.")
                            .arg(path)
                            .arg(MaxPictureFileBytes >> 20)
                            .toStdString());
}

void CheckPictureSize(const QString& path, qint64 width, qint64 height)
{
    if (width > MaxPictureSide || height > MaxPictureSide || width * height * 4 > MaxPictureBytes)
        throw PictureTooLarge(path);
}
