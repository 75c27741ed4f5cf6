#include "picturepath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// The folder part of a stored path, separator included; empty for a bare name.
QString FolderOf(const QString& path)
{
    return path.left(path.size() - BareFileName(path).size());
}

// A file in `folder` (the current one when empty) whose name is `name`
// but for letter case; the first in name order when several are.
QString FileNamedAlike(const QString& folder, const QString& name)
{
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.isEmpty() ? entry : dir.filePath(entry);
    return {};
}

} // namespace

QString FindPicture(const QString& stored)
{
    if (stored.isEmpty())
        return {};
    if (QFileInfo(stored).isFile())
        return stored;
    const QString bare = BareFileName(stored);
    if (bare.isEmpty())
        return {};
    const QString program = QCoreApplication::applicationDirPath();
    const QString folders[] = {QString(), program, program + "/../share/plimmerlo"};
    for (const QString& folder : folders) {
        const QString candidate = folder.isEmpty() ? bare : QDir(folder).filePath(bare);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    const QString own = FolderOf(stored);
    if (!own.isEmpty())
        if (QString found = FileNamedAlike(own, bare); !found.isEmpty())
            return found;
    for (const QString& folder : folders)
        if (QString found = FileNamedAlike(folder, bare); !found.isEmpty())
            return found;
    return {};
}

StoredPicture FindStoredPicture(const QString& stored)
{
    const QString found = FindPicture(stored);
    const bool moved = found != stored && (found.isEmpty() || FolderOf(found) != FolderOf(stored));
    return {found, moved ? BareFileName(stored) : stored};
}

QString BareFileName(const QString& path)
{
    qsizetype start = path.size();
    while (start > 0 && path[start - 1] != u'\\' && path[start - 1] != u'/' && path[start - 1] != u':')
        --start;
    return path.mid(start);
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
