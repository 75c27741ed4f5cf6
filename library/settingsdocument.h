#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The settings file's text in memory, with the rules by which Windows reads
// and writes such INI files: sections of key=value lines in Windows-1252
// (or in UTF-16 with its byte-order mark, when the file begins with one),
// section and key names matched without regard to letter case, the first of
// two equal names winning. A command reads the file once into a document,
// makes all its changes here, and the file is replaced once (SettingsFile).
// Every line a change does not touch stays byte for byte as it was.
class SettingsDocument {
public:
    using Entries = QList<std::pair<QString, QString>>;

    // Reading sees this many characters of a value, as settings files have
    // always been read, so no longer value is written.
    static constexpr qsizetype ValueChars = 2047;

    SettingsDocument() = default;
    explicit SettingsDocument(QByteArray bytes);

    // The file's bytes, in the file's own character set.
    QByteArray Bytes() const;

    // The stored value without surrounding blanks and without one pair of
    // matching quotes, at most ValueChars characters of it; a present key with an
    // empty value gives the empty text, not the fallback.
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal, or hexadecimal after "0x"; anything else gives the fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

    // In file order, each name once; the list stops before the names would
    // fill 16384 bytes, a zero byte after each.
    QStringList SectionNames() const;
    // "key=value" for the entries of a section in file order, each key once,
    // without those whose value is empty; limited like SectionNames.
    QStringList SectionEntries(const QString& section) const;

    // Writes the entries into the section as one change, as if written one
    // after the other: an existing key keeps its place and spelling, a new
    // key follows the last entry of its section, a new section goes to the
    // end. Throws SettingsError, changing nothing, when a name or value
    // could not be stored so that it reads back as it was.
    void WriteEntries(const QString& section, const Entries& entries);
    void WriteString(const QString& section, const QString& key, const QString& value);

    // Removes every section of that name: its header, its entries and the
    // lines between them. Comment lines after its last entry stay, as they
    // are as likely to introduce the next section.
    void EraseSection(const QString& section);

    // Throws SettingsError for a section name that could not be stored so
    // that it reads back as it was.
    static void CheckSection(const QString& section);

private:
    QByteArray bytes_;
    // Whether the file is UTF-16; its text is then held here as UTF-8.
    bool unicode_ = false;
};
