#include "storedgame.h"

#include "inifile.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace StoredGames {

namespace {

const char* const ColorKeys[] = {"color1", "color2", "color3", "color4", "color5"};

} // namespace

StoredGame Read(const IniFile& ini, const QString& section, const StoredGame& current)
{
    StoredGame game;
    game.backgroundFile = ini.ReadString(section, "filename", current.backgroundFile);
    game.rows = std::clamp(ini.ReadInteger(section, "rows", current.rows), 1, 101);
    game.cols = std::clamp(ini.ReadInteger(section, "cols", current.cols), 1, 101);
    game.grid = ini.ReadBool(section, "grid", current.grid);
    game.date = ini.ReadString(section, "date", QString());
    for (int i = 0; i < 5; ++i)
        game.colors[i] = (ini.ReadInteger(section, ColorKeys[i], 0) & 0xFF) != 0 ? 1 : 0;
    return game;
}

void Write(IniFile& ini, const QString& section, const StoredGame& game)
{
    ini.WriteString(section, "filename", game.backgroundFile);
    ini.WriteString(section, "date", game.date);
    ini.WriteInteger(section, "rows", game.rows);
    ini.WriteInteger(section, "cols", game.cols);
    ini.WriteBool(section, "grid", game.grid);
    for (int i = 0; i < 5; ++i)
        ini.WriteInteger(section, ColorKeys[i], game.colors[i]);
}

QString DateTimeText(const Clock::LocalTime& now)
{
    const QLocale locale;
    const QTime time(now.hour, now.minute, now.second);
    QString text = locale.toString(QDate(now.year, now.month, now.day), QLocale::ShortFormat);
    if (time != QTime(0, 0))
        // Qt's long time names the time zone; the settings file never did.
        text += ' ' + locale.toString(time, locale.timeFormat(QLocale::LongFormat)
                                                  .remove(QRegularExpression("\\s*t+")));
    return text;
}

QString DateStamp(const Clock::LocalTime& now)
{
    return DateTimeText(now).left(14);
}

} // namespace StoredGames
