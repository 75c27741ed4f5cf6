#include "picturepath.h"

#include "pictureloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

QString FindPicture(const QString& stored)
{
    if (stored.isEmpty())
        return {};
    const QString bare = BareFileName(stored);
    for (const QString& candidate : {stored, bare, QDir(QCoreApplication::applicationDirPath()).filePath(bare)}) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

QImage MissingPicture()
{
    QImage picture(500, 400, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

QImage LoadBackgroundPicture(QString& name, QSize room)
{
    const QString found = FindPicture(name);
    if (found != name)
        name = BareFileName(name);
    return found.isEmpty() ? MissingPicture() : LoadPicture(found, room);
}

QString ShortPath(const QString& path)
{
    const qsizetype nameStart = path.size() - BareFileName(path).size();
    QString folder = path.left(nameStart);
    const auto separator = std::find_if(folder.begin(), folder.end(), [](QChar c) { return c == u'\\' || c == u'/'; });
    if (separator != folder.end())
        folder = folder.left(separator - folder.begin() + 1) + ".." + *separator;
    return folder + path.mid(nameStart);
}
