// The settings file is read anew by every command, so its lookups must cost
// no more than one pass over the file: ten times the games, about ten times
// the time. A save is one rewrite of the file, so it costs about what a bare
// rewrite does.
#include "clock.h"
#include "gamelibrary.h"
#include "ratios.h"
#include "settingsfile.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <unistd.h>

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
    const SettingsDocument ini = SettingsFile(SettingsWithGames(games)).Read();
    const QString section = QString("Spiel%1-GAME").arg(games);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadInteger(section, "color5", 1));
}

void ListGames(benchmark::State& state, int games)
{
    const SettingsDocument ini = SettingsFile(SettingsWithGames(games)).Read();
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.SectionNames());
}

struct StoppedClock : Clock {
    std::uint32_t MillisecondsSinceMidnightUtc() const override { return 0; }
    LocalTime LocalNow() const override { return {2026, 12, 7, 12, 23, 45}; }
};

// A game of the middle of the file saved over: every key found and replaced.
void BM_SaveGame(benchmark::State& state)
{
    const StoppedClock clock;
    GameLibrary library(SettingsWithGames(1000), clock);
    Arrangement arrangement;
    for (auto _ : state)
        library.SaveGame("Spiel500", arrangement);
}

// The least any save can do: read the file and replace it whole, as safely.
void BM_RewriteFile(benchmark::State& state)
{
    const QString path = SettingsWithGames(1000);
    for (auto _ : state) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray bytes = in.readAll();
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush()
            || ::fsync(out.handle()) != 0 || !out.commit())
            std::abort();
    }
}

BENCHMARK(BM_SaveGame)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_RewriteFile)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    // The fastest of seven runs, so a busy moment of the machine does not
    // make a ratio.
    for (const int games : {10, 100, 1000}) {
        benchmark::RegisterBenchmark(("BM_ReadKey" + std::to_string(games)).c_str(), ReadKey, games)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(7);
        benchmark::RegisterBenchmark(("BM_ListGames" + std::to_string(games)).c_str(), ListGames, games)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(7);
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
    if (fastest.count("BM_SaveGame") && fastest.count("BM_RewriteFile"))
        std::printf("SaveGame: one game into 1000 / bare rewrite of the file: %.2f (goal: at most 1.5)\n",
                    fastest["BM_SaveGame"] / fastest["BM_RewriteFile"]);
    return 0;
}
