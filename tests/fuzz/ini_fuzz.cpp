// Any bytes as a settings file: everything listed reads back as listed, and
// a write lands where it was aimed without disturbing any other section.

#include "scratch.h"
#include "settingsdocument.h"
#include "settingserror.h"
#include "windows1252.h"

#include <cstddef>
#include <cstdint>

namespace {

// Names match without regard to letter case, as in the file; whatever was
// listed can be encoded again.
bool SameName(const QString& a, const QString& b)
{
    // A file in UTF-16 may name a section in characters Windows-1252 lacks.
    return a == b
           || Windows1252::SameText(Windows1252::Encode(a).value_or("\x01a"), Windows1252::Encode(b).value_or("\x01b"));
}

QString KeyOf(const QString& entry)
{
    return entry.left(entry.indexOf(u'='));
}

struct Section {
    QString name;
    QStringList entries;
};

// Everything the service lists, each entry also read on its own: the two
// ways of finding a key must agree.
QList<Section> Listing(const SettingsDocument& ini)
{
    QList<Section> sections;
    for (const QString& name : ini.SectionNames()) {
        Section section{name, ini.SectionEntries(name)};
        for (const QString& entry : section.entries) {
            const QString key = KeyOf(entry);
            const QString value = entry.mid(key.size() + 1);
            const QString read = ini.ReadString(name, key, QStringLiteral("\x01none"));
            if (read != value)
                Fail("a listed entry reads otherwise:", name + " / " + entry + " / " + read);
            if (ini.ReadBool(name, key, false) != (ini.ReadInteger(name, key, 0) != 0))
                Fail("a flag disagrees with its number:", entry);
        }
        sections.append(section);
    }
    return sections;
}

QStringList Without(QStringList entries, const QString& key)
{
    entries.removeIf([&](const QString& entry) { return SameName(KeyOf(entry), key); });
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SettingsDocument ini(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QList<Section> before = Listing(ini);

    // The target is drawn from the input itself, so that a saved input
    // repeats the same write: a listed section or a new one, a listed key or
    // a new one.
    const unsigned pick = size ? data[size - 1] : 0;
    const qsizetype sectionIndex = qsizetype(pick % (before.size() + 1));
    const QString section = sectionIndex < before.size() ? before[sectionIndex].name : QStringLiteral("Neu-GAME");
    const QStringList entries = sectionIndex < before.size() ? before[sectionIndex].entries : QStringList();
    const qsizetype keyIndex = qsizetype(size % (entries.size() + 1));
    const QString key = keyIndex < entries.size() ? KeyOf(entries[keyIndex]) : QStringLiteral("Schlüssel");
    const QString value = QStringLiteral("Wert \"ä\" € 0x7");

    try {
        ini.WriteString(section, key, value);
    } catch (const SettingsError& error) {
        // Whatever was read from the file can be written back into it.
        Fail("a write was refused:", section + " / " + key + ": " + QString::fromUtf8(error.what()));
    }
    if (ini.ReadString(section, key, {}) != value)
        Fail("the written key does not read back:", section + " / " + key);

    const QList<Section> after = Listing(ini);
    // A new section can only join the end of the list.
    if (after.size() < before.size() || after.size() > before.size() + 1)
        Fail("the number of sections changed by more than one");
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (after[i].name != before[i].name)
            Fail("a section was renamed or moved:", before[i].name + " -> " + after[i].name);
        if (SameName(before[i].name, section)) {
            if (Without(after[i].entries, key) != Without(before[i].entries, key))
                Fail("another key of the written section changed:", section);
        } else if (after[i].entries != before[i].entries) {
            Fail("another section changed:", before[i].name);
        }
    }
    if (after.size() > before.size() && !SameName(after.last().name, section))
        Fail("an unexpected section appeared:", after.last().name);
    return 0;
}
