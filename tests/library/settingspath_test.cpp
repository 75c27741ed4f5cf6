#include "settingspath.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <ostream>

TEST(SettingsPath, BesideTheExecutableWithALowerCaseName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/spiele/plimmerlo", "/opt/spiele/plimmerlo.ini"},
        {"/opt/Spiele/Plimmerlo", "/opt/Spiele/plimmerlo.ini"}, // the folder keeps its case
        {"/opt/spiele/PLIMMERLO.EXE", "/opt/spiele/plimmerlo.ini"},
        {"/opt/spiele/mein.spiel.bin", "/opt/spiele/mein.spiel.ini"}, // only the last extension
        {"/opt/v1.2/Plimmerlo", "/opt/v1.2/plimmerlo.ini"},            // a dot in the folder is none
        {"/opt/spiele/.Plimmerlo", "/opt/spiele/.plimmerlo.ini"},       // a hidden file has none
        {"/opt/spiele/ÄRGER-Spiel", "/opt/spiele/Ärger-spiel.ini"},     // ASCII letters only
        {"plimmerlo", "plimmerlo.ini"},
    };
    for (const auto& [executable, settings] : cases)
        EXPECT_EQ(SettingsPathFor(QString::fromUtf8(executable)), QString::fromUtf8(settings)) << executable;
}

static bool operator==(const SettingsPlace& a, const SettingsPlace& b)
{
    return a.file == b.file && a.carriedFrom == b.carriedFrom;
}

static void PrintTo(const SettingsPlace& place, std::ostream* out)
{
    *out << place.file.toStdString() << " <- " << place.carriedFrom.toStdString();
}

TEST(SettingsPath, BesideTheProgramOnlyWhereThePlayerMayWriteAndNeverInTheSystem)
{
    QStringList asked;
    const auto writable = [&asked](const QString& folder) { asked << folder; return folder != "/media/stick"; };
    const QString config = "/home/kind/.config/plimmerlo/plimmerlo.ini";
    const std::pair<const char*, SettingsPlace> cases[] = {
        {"/home/kind/Spiele/Plimmerlo", {"/home/kind/Spiele/plimmerlo.ini"}},
        {"plimmerlo", {"plimmerlo.ini"}},
        {"/media/stick/plimmerlo", {config, "/media/stick/plimmerlo.ini"}},
        // Root may write there, but the files belong to the system's packages.
        {"/usr/games/plimmerlo", {config, "/usr/games/plimmerlo.ini"}},
        {"/opt/Spiele/Plimmerlo", {config, "/opt/Spiele/plimmerlo.ini"}},
        {"/usr2/plimmerlo", {"/usr2/plimmerlo.ini"}},
    };
    for (const auto& [executable, place] : cases)
        EXPECT_EQ(SettingsPlaceFor(executable, "/home/kind/.config/plimmerlo", writable), place) << executable;
    EXPECT_EQ(asked, QStringList({"/home/kind/Spiele", ".", "/media/stick", "/usr2"}));
}

TEST(SettingsPath, DefaultIsBesideTheRunningProgram)
{
    EXPECT_EQ(DefaultSettingsPlace(), SettingsPlace(QCoreApplication::applicationDirPath() + "/library_tests.ini"));
}
