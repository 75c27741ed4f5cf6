#include "settingspath.h"

#include <QCoreApplication>

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

QString DefaultSettingsPath()
{
    return SettingsPathFor(QCoreApplication::applicationFilePath());
}
