#include "picturepath.h"

#include "pictureloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
