#include "settingspath.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

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

TEST(SettingsPath, BesideTheProgramOnlyWhereThePlayerMayWriteAndNeverInTheSystem)
{
    QStringList asked;
    const auto writable = [&asked](const QString& file) { asked << file; return !file.startsWith("/media/stick/"); };
    const QString config = "/home/kind/.config/plimmerlo";
    const auto place = [&](const char* executable) {
        const SettingsPlace found = SettingsPlaceFor(executable, config, writable);
        return found.file + " <- " + found.carriedFrom;
    };
    EXPECT_EQ(place("/home/kind/Plimmerlo"), "/home/kind/plimmerlo.ini <- ");
    EXPECT_EQ(place("/media/stick/plimmerlo"), config + "/plimmerlo.ini <- /media/stick/plimmerlo.ini");
    // Root may write there, but the files belong to the system's packages.
    EXPECT_EQ(place("/usr/games/plimmerlo"), config + "/plimmerlo.ini <- /usr/games/plimmerlo.ini");
    EXPECT_EQ(place("/opt/Spiele/Plimmerlo"), config + "/plimmerlo.ini <- /opt/Spiele/plimmerlo.ini");
    EXPECT_EQ(place("plimmerlo"), "plimmerlo.ini <- ");
    EXPECT_EQ(asked, QStringList({"/home/kind/plimmerlo.ini", "/media/stick/plimmerlo.ini", "plimmerlo.ini"}));
}

TEST(SettingsPath, DefaultIsBesideTheRunningProgram)
{
    EXPECT_EQ(DefaultSettingsPlace().file, QCoreApplication::applicationDirPath() + "/library_tests.ini");
}
