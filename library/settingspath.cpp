#include "settingspath.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

QString SettingsPathFor(const QString& executable)
{
    const qsizetype nameStart = executable.lastIndexOf(u'/') + 1;
    QString name = executable.sliced(nameStart);
    // A leading dot marks a hidden file, not an extension.
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0)
        name.truncate(dot);
    name += u".ini";
    for (QChar& c : name) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return executable.first(nameStart) + name;
}

namespace {

// Folders of the installed system, which belong to its package manager.
bool IsSystemFolder(const QString& folder)
{
    for (const QString& prefix : {QStringLiteral("/usr"), QStringLiteral("/opt")})
        if (folder == prefix || folder.startsWith(prefix + u'/'))
            return true;
    return false;
}

} // namespace

bool MayReplace(const QString& file)
{
    const QByteArray name = QFile::encodeName(file);
    const QByteArray folder = QFile::encodeName(QFileInfo(file).path());
    struct stat folderStatus = {}, fileStatus = {};
    if (::access(folder.constData(), W_OK | X_OK) != 0 || ::stat(folder.constData(), &folderStatus) != 0)
        return false;
    if (::stat(name.constData(), &fileStatus) != 0)
        return errno == ENOENT;
    // In a folder with the sticky bit, such as a shared one, only the owner
    // of a file (or of the folder) may replace it, whatever its bits say.
    const uid_t player = ::geteuid();
    const bool othersInShared = (folderStatus.st_mode & S_ISVTX) && player != 0 && fileStatus.st_uid != player
                                && folderStatus.st_uid != player;
    return !othersInShared && ::access(name.constData(), W_OK) == 0;
}

SettingsPlace SettingsPlaceFor(const QString& executable, const QString& configFolder, const ReplaceProbe& replaceable)
{
    const QString beside = SettingsPathFor(executable);
    const QString folder = QFileInfo(beside).path();
    // Every write replaces the whole file through a new one made beside it,
    // so a settings file the player cannot replace could be read but never
    // saved: each save and each close would end in an error box.
    if (!IsSystemFolder(folder) && replaceable(beside))
        return beside;
    return {configFolder + "/plimmerlo.ini", beside};
}

SettingsPlace DefaultSettingsPlace()
{
    return SettingsPlaceFor(QCoreApplication::applicationFilePath(),
                            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/plimmerlo",
                            MayReplace);
}
