#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// A settings file could not be written, or a name or value was refused
// because it cannot be stored safely. what() is the German message in UTF-8,
// without a final full stop: the error box that shows it adds one.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString& message);
};

// The INI file of the settings, in Windows-1252: sections of key=value
// lines, names matched without regard to ASCII letter case.
//
// Every call opens the file, reads or writes, and releases it before
// returning; nothing is cached, so each call sees what the previous one
// wrote. A missing file, section or key is never an error. Writes go to a
// temporary file that replaces the settings file only once it is complete,
// and they leave every line they do not change byte for byte as it was.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& Path() const;

    // The stored value without surrounding blanks and without one pair of
    // matching quotes, at most 2047 characters of it; a present key with an
    // empty value gives the empty text, not the fallback.
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal, or hexadecimal after "0x"; anything else gives the fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

    // An existing key keeps its place and spelling; a new key follows the
    // last entry of its section; a new section goes to the end of the file.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // In file order, each name once; the list stops before the names would
    // fill 16384 bytes, a zero byte after each.
    QStringList SectionNames() const;
    // "key=value" for the entries of a section in file order, each key once,
    // without those whose value is empty; limited like SectionNames.
    QStringList SectionEntries(const QString& section) const;

    // Removes every section of that name: its header, its entries and the
    // lines between them. Comment lines after its last entry stay, as they
    // are as likely to introduce the next section.
    void EraseSection(const QString& section);

    // Throws SettingsError for a section, key or value that could not be
    // stored so that it reads back as it was; for a caller that must not
    // stop halfway through several writes.
    static void RefuseUnstorable(const QString& section, const QString& key, const QString& value);

private:
    QString path_;
};
