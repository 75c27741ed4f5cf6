#include "settingspath.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

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

SettingsPlace SettingsPlaceFor(const QString& executable, const QString& configFolder, const FolderProbe& writable)
{
    const QString beside = SettingsPathFor(executable);
    const QString folder = QFileInfo(beside).path();
    // Every write replaces the whole file through a new one made beside it,
    // so a settings file found in a closed folder could be read but never
    // saved: each save and each close would end in an error box.
    if (!IsSystemFolder(folder) && writable(folder))
        return beside;
    return {configFolder + "/plimmerlo.ini", beside};
}

SettingsPlace DefaultSettingsPlace()
{
    return SettingsPlaceFor(QCoreApplication::applicationFilePath(),
                            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/plimmerlo",
                            [](const QString& folder) { return QFileInfo(folder).isWritable(); });
}
