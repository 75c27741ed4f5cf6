#include "settingsdocument.h"
#include "support/settingserrors.h"

#include <gtest/gtest.h>

namespace {

const QByteArray MixedFile = "top=before any section\r\n"
                              "[Zoo-GAME]\r\n"
                              "Rows=18\r\n"
                              "  cols =  22  \r\n"
                              "\tgrid\t=\t1\t\r\n"
                              "; comment=no\r\n"
                              "  ;indented=no\r\n"
                              "#hash=yes\r\n"
                              "inline=;x\r\n"
                              "twice==v\r\n"
                              "quoted=\"  a b  \"\r\n"
                              "single='c'\r\n"
                              "mixed=\"d'\r\n"
                              "lone=\"\r\n"
                              "empty=\r\n"
                              "noequals\r\n"
                              "rows=99\r\n"
                              "[zoo-game]\r\n"
                              "extra=1\r\n"
                              "[ Tiere ] tail=1 ]\r\n"
                              "a=1\n"
                              "b=2\r"
                              "c=3\r\r\n"
                              "[B\xE4ume]\r\n"
                              "k\xFC=\x80\r\n"
                              "[x]y=z\r\n"
                              "[]\r\n"
                              "nameless=ja\r\n"
                              "last=no line end";

// As Windows' Notepad saves "Unicode": a byte-order mark, then two bytes a character.
QByteArray Utf16(const QString& text)
{
    QByteArray bytes("\xFF\xFE");
    for (const QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

} // namespace

TEST(SettingsDocument, ReadsValuesAsStored)
{
    const SettingsDocument ini(MixedFile);
    const char* const missing = "<default>";
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Zoo-GAME", "rows", "18"},
        {"ZOO-game", "ROWS", "18"}, // and the first of two equal keys wins
        {"Zoo-GAME", "cols", "22"},
        {"Zoo-GAME", "grid", "1"},
        {"Zoo-GAME", "; comment", missing},
        {"Zoo-GAME", ";indented", missing},
        {"Zoo-GAME", "#hash", "yes"},
        {"Zoo-GAME", "inline", ";x"},
        {"Zoo-GAME", "twice", "=v"},
        {"Zoo-GAME", "quoted", "  a b  "},
        {"Zoo-GAME", "single", "c"},
        {"Zoo-GAME", "mixed", "\"d'"},
        {"Zoo-GAME", "lone", "\""},
        {"Zoo-GAME", "empty", ""},
        {"Zoo-GAME", "noequals", missing},
        {"Zoo-GAME", "extra", missing}, // the first of two equal sections wins
        {"Zoo-GAME", "top", missing},
        {"", "top", missing}, // before the first section is no section
        {"Tiere", "a", "1"},
        {"Tiere", "b", "2"},
        {"Tiere", "c", "3"},
        {"Tiere", "tail", missing},
        {"Bäume", "kü", "€"},
        {"bÄume", "KÜ", "€"}, // letter case as Windows-1252 pairs it
        {"x", "y", missing},
        {"", "nameless", "ja"},
        {"", "last", "no line end"},
        {"Fehlt", "rows", missing},
    };
    for (const auto& [section, key, value] : cases) {
        EXPECT_EQ(ini.ReadString(QString::fromUtf8(section), QString::fromUtf8(key), missing), QString::fromUtf8(value))
            << section << " / " << key;
    }
}

TEST(SettingsDocument, IntegersAndBooleans)
{
    const SettingsDocument ini("[N]\r\n"
        "dec=18\r\nneg=-5\r\nplus=+7\r\nhex=0x1A\r\nHEX=0X1a\r\nall=0xFFFFFFFF\r\n"
        "bare=0x\r\nbadhex=0xZZ\r\nword=abc\r\ntail=12abc\r\nhuge=99999999999\r\nempty=\r\n"
        "zero=0\r\nseven=7\r\n");
    const std::pair<const char*, int> integers[] = {
        {"dec", 18},     {"neg", -5},      {"plus", 7},       {"hex", 26},    {"HEX", 26},
        {"all", -1},     {"bare", 42},     {"badhex", 42},    {"word", 42},   {"tail", 42},
        {"huge", 42},    {"empty", 42},    {"missing", 42},
    };
    for (const auto& [key, value] : integers)
        EXPECT_EQ(ini.ReadInteger("N", key, 42), value) << key;

    const std::tuple<const char*, bool, bool> booleans[] = {
        {"zero", true, false}, {"seven", false, true}, {"neg", false, true},
        {"word", true, true},  {"word", false, false}, {"missing", true, true},
    };
    for (const auto& [key, fallback, value] : booleans)
        EXPECT_EQ(ini.ReadBool("N", key, fallback), value) << key << " " << fallback;
}

TEST(SettingsDocument, WritesChangeOnlyTheirOwnLine)
{
    const std::tuple<QByteArray, const char*, const char*, const char*, QByteArray> cases[] = {
        // In place, with the key's and the section's own spelling and line end.
        {"; Kopf\n[Zoo-GAME]\n  Rows = 5 \n\nfoo=bar\r\n", "ZOO-game", "ROWS", "18",
         "; Kopf\n[Zoo-GAME]\nRows=18\n\nfoo=bar\r\n"},
        {"[A]\r\nk=1", "A", "k", "", "[A]\r\nk="},
        // A new key follows the last entry, ahead of what introduces the next section.
        {"[A]\r\nk=1\r\n; zu B\r\n\r\n[B]\r\nk=2\r\n", "a", "n", "x",
         "[A]\r\nk=1\r\nn=x\r\n; zu B\r\n\r\n[B]\r\nk=2\r\n"},
        {"[A]\n; leer\n[B]\n", "A", "n", "x", "[A]\nn=x\n; leer\n[B]\n"},
        {"top=1\r\n[A]\r\n", "A", "top", "2", "top=1\r\n[A]\r\ntop=2\r\n"},
        {"[B]\r\nk=2", "b", "n", "x", "[B]\r\nk=2\r\nn=x\r\n"},
        {"[B]", "B", "n", "x", "[B]\r\nn=x\r\n"},
        // The first of two equal sections takes it, letter case as Windows-1252 pairs it.
        {"[A]\nk=1\n[a]\nn=1\n", "A", "n", "2", "[A]\nk=1\nn=2\n[a]\nn=1\n"},
        {"[\xC4pfel-GAME]\nrows=1\n", "äpfel-GAME", "ROWS", "2", "[\xC4pfel-GAME]\nrows=2\n"},
        // A new section goes to the end, on a line of its own, its lines
        // ending as the file's first line does.
        {"[A]\r\nk=1", "C", "k", "v", "[A]\r\nk=1\r\n[C]\r\nk=v\r\n"},
        {"[A]\nk=1", "C", "k", "v", "[A]\nk=1\n[C]\nk=v\n"},
        {"[A]\rk=1\r\n", "C", "k", "v", "[A]\rk=1\r\n[C]\rk=v\r"},
        // A byte-order mark is no part of the first section's name.
        {"\xEF\xBB\xBF[C]\r\n", "C", "k", "v", "\xEF\xBB\xBF[C]\r\nk=v\r\n"},
        {"\xEF\xBB\xBF", "C", "k", "v", "\xEF\xBB\xBF[C]\r\nk=v\r\n"},
        {"", "C", "k", "v", "[C]\r\nk=v\r\n"},
        // Text is stored in Windows-1252.
        {"", "Bäume-GAME", "filename", "C:\\Bilder\\Zoo €.jpg", "[B\xE4ume-GAME]\r\nfilename=C:\\Bilder\\Zoo \x80.jpg\r\n"},
        // A value that reading would strip of its quotes or blanks gets a pair more.
        {"", "Z", "name", "\"Zoo\"", "[Z]\r\nname=\"\"Zoo\"\"\r\n"},
        {"", "Z", "name", " Zoo", "[Z]\r\nname=\" Zoo\"\r\n"},
    };
    for (const auto& [before, section, key, value, after] : cases) {
        SCOPED_TRACE(before.toStdString() + " <- " + section + " / " + key);
        SettingsDocument document(before);
        document.WriteString(QString::fromUtf8(section), QString::fromUtf8(key), QString::fromUtf8(value));
        EXPECT_EQ(document.Bytes(), after);
    }
}

TEST(SettingsDocument, AFileWindowsWroteAsUtf16IsReadAndWrittenAsUtf16)
{
    SettingsDocument document(Utf16("[OPTIONS]\nuser=Ayşe\n[Zoo-GAME]\nrows=18\n"));
    EXPECT_EQ(document.ReadString("options", "USER", ""), "Ayşe");
    EXPECT_EQ(document.SectionNames(), QStringList({"OPTIONS", "Zoo-GAME"}));
    document.WriteEntries("zoo-game", {{"rows", "20"}, {"filename", "/home/ayşe/zoo.jpg"}});
    EXPECT_EQ(document.Bytes(), Utf16("[OPTIONS]\nuser=Ayşe\n[Zoo-GAME]\nrows=20\nfilename=/home/ayşe/zoo.jpg\n"));
}

TEST(SettingsDocument, ManyEntriesAreOneWriteAsIfWrittenOneAfterTheOther)
{
    SettingsDocument document("[Zoo-GAME]\r\nextra=bleibt\r\nrows=3\r\n[B]\r\n");
    document.WriteEntries("zoo-game", {{"filename", "zoo.jpg"}, {"ROWS", "18"}, {"date", "alt"}, {"date", "neu"}});
    EXPECT_EQ(document.Bytes(), "[Zoo-GAME]\r\nextra=bleibt\r\nrows=18\r\nfilename=zoo.jpg\r\ndate=neu\r\n[B]\r\n");
}

TEST(SettingsDocument, UnusualButHarmlessNamesAndValuesReadBack)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"[Zoo-GAME", "k", "v"},
        {"Zoo-GAME", "k;", "v"},
        {"Zoo-GAME", "#k", "v"},
        {"Zoo-GAME", "k", "=;[]#"},
        {"Zoo-GAME", "k", "€ Bäume ß"},
        {"\"Zoo\"-GAME", "k", "\"Zoo\""},
        {"Zoo-GAME", "k", "'Zoo'"},
        {"Zoo-GAME", "k", "\"\""},
        {"Zoo-GAME", "k", "\t Zoo \t"},
    };
    SettingsDocument document;
    for (const auto& [section, key, value] : cases) {
        document.WriteString(QString::fromUtf8(section), QString::fromUtf8(key), QString::fromUtf8(value));
        EXPECT_EQ(document.ReadString(QString::fromUtf8(section), QString::fromUtf8(key), "-"), QString::fromUtf8(value))
            << section << " / " << key;
    }
}

TEST(SettingsDocument, ErasesAllOfASectionButTheLinesAfterItsLastEntry)
{
    const std::tuple<QByteArray, const char*, QByteArray> cases[] = {
        {"[A]\r\nk=1\r\n[B]\r\nk=2\r\n", "a", "[B]\r\nk=2\r\n"},
        {"x=0\r\n[A]\r\n; darin\r\nk=1\r\n; zu B\r\n\r\n[B]\r\n", "A", "x=0\r\n; zu B\r\n\r\n[B]\r\n"},
        {"[A]\nk=1\n[B]\nk=2\n[a]\nk=3\n", "A", "[B]\nk=2\n"},
        {"[A]\n[a]\nk=3\n[B]\n", "A", "[B]\n"},
        {"[B]\r\nk=2\r\n[A]\r\nk=1", "A", "[B]\r\nk=2\r\n"},
        {"[A]", "A", ""},
        {"[A]\r\nk=1\r\n", "B", "[A]\r\nk=1\r\n"},
    };
    for (const auto& [before, section, after] : cases) {
        SCOPED_TRACE(before.toStdString() + " - " + section);
        SettingsDocument document(before);
        document.EraseSection(section);
        EXPECT_EQ(document.Bytes(), after);
    }
}

TEST(SettingsDocument, ListsSectionsAndEntriesInFileOrder)
{
    const SettingsDocument ini("[OPTIONS]\r\ngamename=Zoo\r\n"
                               "[Zoo-GAME]\r\nfilename=zoo.jpg\r\ndate=\r\n rows = 18 \r\n;cols=1\r\nROWS=20\r\nq=\"\"\r\ngrid=1\r\n"
                               "[ -GAME ]\r\n"
                               "[zoo-game]\r\nx=1\r\n"
                               "[B\xE4ume]\r\n[b\xC4UME]");
    EXPECT_EQ(ini.SectionNames(), QStringList({"OPTIONS", "Zoo-GAME", "-GAME", "Bäume"}));
    EXPECT_EQ(ini.SectionEntries("ZOO-GAME"), QStringList({"filename=zoo.jpg", "rows=18", "grid=1"}));
    EXPECT_TRUE(ini.SectionEntries("-GAME").isEmpty());
    EXPECT_TRUE(ini.SectionEntries("Fehlt").isEmpty());
}

TEST(SettingsDocument, ListsStopWhereTheirBuffersWouldOverflow)
{
    // 15 bytes and a zero byte per name: 1024 names fill the 16384 bytes.
    QByteArray sections;
    QByteArray keys = "[Keys]\r\n";
    for (int i = 0; i < 1025; ++i) {
        const QByteArray name = QByteArray::number(i).rightJustified(15, 'n');
        sections += '[' + name + "]\r\n";
        keys += name + (i == 0 ? "=\r\n" : "=v\r\n"); // an empty value takes its room too
    }
    const SettingsDocument ini(sections + keys);
    const QStringList names = ini.SectionNames();
    ASSERT_EQ(names.size(), 1024);
    EXPECT_EQ(names.back(), "nnnnnnnnnnn1023");
    const QStringList entries = ini.SectionEntries("Keys");
    ASSERT_EQ(entries.size(), 1023);
    EXPECT_EQ(entries.back(), "nnnnnnnnnnn1023=v");
}

TEST(SettingsDocument, LongValuesAndBigFilesAreCutNotChoked)
{
    // Reading sees 2047 characters of a value, so no longer one is written.
    SettingsDocument ini;
    ini.WriteString("A", "long", QString(2047, u'x'));
    EXPECT_EQ(ErrorOf([&] { ini.WriteString("A", "long", QString(2048, u'x')); }),
              "Ein gespeicherter Text darf höchstens 2047 Zeichen lang sein");
    EXPECT_EQ(ini.ReadString("A", "long", ""), QString(2047, u'x'));
    const QByteArray longValue(100000, 'x');
    ini = SettingsDocument("[A]\r\nlong=" + longValue + "\r\n");
    EXPECT_EQ(ini.ReadString("A", "long", ""), longValue.left(2047));
    EXPECT_EQ(ini.SectionEntries("A"), QStringList("long=" + longValue.left(2047)));

    // 10 MB: a section of many lines, then one that is a single line.
    QByteArray big = "[Many]\r\n";
    while (big.size() < 5'000'000)
        big += "key" + QByteArray::number(big.size()) + "=value\r\n";
    big += "[Zoo-GAME]\r\nrows=18\r\n[One]\r\nk=" + QByteArray(5'000'000, 'y');
    SettingsDocument large(big);
    EXPECT_EQ(large.ReadInteger("Zoo-GAME", "rows", 0), 18);
    EXPECT_EQ(large.ReadString("One", "k", ""), QString(2047, u'y'));
    EXPECT_EQ(large.SectionNames(), QStringList({"Many", "Zoo-GAME", "One"}));
    large.WriteString("zoo-game", "rows", "20");
    EXPECT_EQ(large.Bytes().size(), big.size());
    EXPECT_EQ(large.ReadInteger("Zoo-GAME", "rows", 0), 20);
}

TEST(SettingsDocument, RefusesWhatCouldForgeLinesOrComeBackAsAnotherText)
{
    const QString sectionBreak = "Ein Spielname darf keinen Zeilenumbruch enthalten";
    const QString sectionBracket = "Ein Spielname darf kein \"]\" enthalten";
    const QString keyBreak = "Ein Schlüssel darf keinen Zeilenumbruch enthalten";
    const QString keyReserved = "Ein Schlüssel darf kein \"=\" enthalten und nicht mit \";\" oder \"[\" beginnen";
    const QString valueBreak = "Ein gespeicherter Text darf keinen Zeilenumbruch enthalten";
    const std::tuple<QString, QString, QString, QString> cases[] = {
        {"Zoo\n[Evil-GAME]", "rows", "1", sectionBreak},
        {"Zoo\r-GAME", "rows", "1", sectionBreak},
        {"Zoo]x-GAME", "rows", "1", sectionBracket},
        {"Zoo-GAME", "rows\nrows", "1", keyBreak},
        {"Zoo-GAME", "a=b", "1", keyReserved},
        {"Zoo-GAME", ";rows", "1", keyReserved},
        {"Zoo-GAME", " \t[rows", "1", keyReserved},
        {"Zoo-GAME", "rows", "1\r\n[Evil-GAME]", valueBreak},
        {"Zoo-GAME", "rows", "1\r", valueBreak},
        {"Ayşe-GAME", "rows", "1", "Ein Spielname darf kein \"ş\" enthalten"},
        {"Zoo🐘-GAME", "rows", "1", "Ein Spielname darf kein \"🐘\" enthalten"},
        {"Zoo-GAME", "filename", "/home/ayşe/zoo.jpg",
         "\"/home/ayşe/zoo.jpg\" kann nicht gespeichert werden, weil es ein \"ş\" enthält"},
    };
    const QByteArray before = "; Kopf\r\n[Zoo-GAME]\r\nrows=18\r\n";
    for (const auto& [section, key, value, message] : cases) {
        SettingsDocument document(before);
        EXPECT_EQ(ErrorOf([&] { document.WriteEntries(section, {{"grid", "1"}, {key, value}}); }), message)
            << section.toStdString();
        EXPECT_EQ(document.Bytes(), before);
    }
    // Nor does a name that cannot be stored find a stored one that it resembles.
    const SettingsDocument stored("[Ay?e-GAME]\r\nrows=18\r\n");
    EXPECT_EQ(stored.ReadString("Ayşe-GAME", "rows", "-"), "-");
}
