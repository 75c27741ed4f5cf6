// The settings file is read anew by every routine, so its lookups must cost
// no more than one pass over the file: ten times the games, about ten times
// the time.
#include "inifile.h"
#include "ratios.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

QTemporaryDir folder;

// A settings file of `games` stored games, as saving writes them.
QString SettingsWithGames(int games)
{
    const QString path = folder.filePath(QString("games%1.ini").arg(games));
    QByteArray text = "[OPTIONS]\r\ngamename=Spiel1\r\nfirstgame=07.12.26 12:40:05\r\n";
    for (int game = 1; game <= games; ++game) {
        text += "[Spiel" + QByteArray::number(game) + "-GAME]\r\n"
                "filename=C:\\Bilder\\zoo.jpg\r\ndate=07.12.26 12:23\r\nrows=18\r\ncols=22\r\n"
                "grid=1\r\ncolor1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=1\r\ncolor5=0\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        std::abort();
    return path;
}

// The last game's last key: the longest way through the file.
void ReadKey(benchmark::State& state, int games)
{
    const IniFile ini(SettingsWithGames(games));
    const QString section = QString("Spiel%1-GAME").arg(games);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadInteger(section, "color5", 1));
}

void ListGames(benchmark::State& state, int games)
{
    const IniFile ini(SettingsWithGames(games));
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.SectionNames());
}

} // namespace

int main(int argc, char** argv)
{
    // The fastest of three runs, so a busy moment of the machine does not
    // make a ratio.
    for (const int games : {10, 100, 1000}) {
        benchmark::RegisterBenchmark(("BM_ReadKey" + std::to_string(games)).c_str(), ReadKey, games)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(3);
        benchmark::RegisterBenchmark(("BM_ListGames" + std::to_string(games)).c_str(), ListGames, games)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(3);
    }
    std::map<std::string, double> fastest;
    if (!RunBenchmarks(argc, argv, fastest))
        return 1;
    for (const char* name : {"ReadKey", "ListGames"}) {
        const std::string big = std::string("BM_") + name + "1000";
        const std::string small = std::string("BM_") + name + "100";
        if (fastest.count(big) && fastest.count(small))
            std::printf("%s: 1000 games / 100 games: %.2f (goal: at most 12)\n", name,
                        fastest[big] / fastest[small]);
    }
    return 0;
}
