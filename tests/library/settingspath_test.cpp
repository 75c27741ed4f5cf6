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

TEST(SettingsPath, BesideTheProgramOnlyWhereThePlayerMayWrite)
{
    QStringList asked;
    const auto writable = [&asked](const QString& folder) { asked << folder; return folder != "/usr/lib/plimmerlo"; };
    const QString config = "/home/kind/.config/plimmerlo";
    EXPECT_EQ(SettingsPathFor("/opt/Spiele/Plimmerlo", config, writable), "/opt/Spiele/plimmerlo.ini");
    EXPECT_EQ(SettingsPathFor("/usr/lib/plimmerlo/plimmerlo", config, writable), config + "/plimmerlo.ini");
    EXPECT_EQ(SettingsPathFor("plimmerlo", config, writable), "plimmerlo.ini");
    EXPECT_EQ(asked, QStringList({"/opt/Spiele", "/usr/lib/plimmerlo", "."}));
}

TEST(SettingsPath, DefaultIsBesideTheRunningProgram)
{
    EXPECT_EQ(DefaultSettingsPath(), QCoreApplication::applicationDirPath() + "/library_tests.ini");
}
