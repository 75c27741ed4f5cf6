#include "inifile.h"

#include "windows1252.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <optional>

#include <unistd.h>

namespace {

// Every text of the settings file's service that the player may see.
namespace Message {
const auto WriteFailed = QStringLiteral("nach %1 kann nicht geschrieben werden");
const auto SectionLineBreak = QStringLiteral("Ein Spielname darf keinen Zeilenumbruch enthalten");
const auto SectionBracket = QStringLiteral("Ein Spielname darf kein \"]\" enthalten");
const auto KeyLineBreak = QStringLiteral("Ein Schlüssel darf keinen Zeilenumbruch enthalten");
const auto KeyReserved =
    QStringLiteral("Ein Schlüssel darf kein \"=\" enthalten und nicht mit \";\" oder \"[\" beginnen");
const auto ValueLineBreak = QStringLiteral("Ein gespeicherter Text darf keinen Zeilenumbruch enthalten");
} // namespace Message

// The buffers that settings files have always been read through: what
// did not fit was never seen, so files read the same here as they always did.
constexpr qsizetype kValueChars = 2047;
constexpr qsizetype kListBytes = 16384;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView Trimmed(QByteArrayView text)
{
    while (!text.empty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.empty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

// Only ASCII letters fold, so names match alike whatever the locale.
bool SameName(QByteArrayView a, QByteArrayView b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c; };
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// One line of the file: its text is [begin, end), its line end [end, next).
struct Line {
    enum Kind { Header, Entry, Other } kind = Other;
    QByteArrayView name; // the section of a header, the key of an entry
    QByteArrayView value; // of an entry, as it stands between the blanks
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

// Walks the lines of a file once, front to back; every lookup is one pass.
class LineReader {
public:
    explicit LineReader(QByteArrayView data) : data_(data) {}

    bool Next(Line& line)
    {
        if (pos_ >= data_.size())
            return false;
        line.begin = pos_;
        line.end = pos_;
        while (line.end < data_.size() && data_[line.end] != '\n' && data_[line.end] != '\r')
            ++line.end;
        line.next = line.end;
        if (line.next < data_.size()) {
            const bool cr = data_[line.next++] == '\r';
            if (cr && line.next < data_.size() && data_[line.next] == '\n')
                ++line.next;
        }
        pos_ = line.next;
        Classify(line);
        return true;
    }

    // Moves past the header of the next section of that name.
    bool FindSection(QByteArrayView name, Line& header)
    {
        while (Next(header)) {
            if (header.kind == Line::Header && SameName(header.name, name))
                return true;
        }
        return false;
    }

    // The next entry of the section in hand; false at its end, where the
    // following header is left to be read again.
    bool NextEntry(Line& line)
    {
        while (Next(line)) {
            if (line.kind == Line::Entry)
                return true;
            if (line.kind == Line::Header) {
                pos_ = line.begin;
                return false;
            }
        }
        return false;
    }

private:
    void Classify(Line& line) const
    {
        const QByteArrayView text = Trimmed(data_.sliced(line.begin, line.end - line.begin));
        line.kind = Line::Other;
        if (text.startsWith('[')) {
            // The header ends at its first "]"; whatever follows is ignored.
            const qsizetype close = text.indexOf(']');
            line.kind = Line::Header;
            line.name = Trimmed(text.sliced(1, (close < 0 ? text.size() : close) - 1));
        } else if (!text.startsWith(';')) {
            const qsizetype equals = text.indexOf('=');
            if (equals >= 0) {
                line.kind = Line::Entry;
                line.name = Trimmed(text.first(equals));
                line.value = Trimmed(text.sliced(equals + 1));
            }
        }
    }

    QByteArrayView data_;
    qsizetype pos_ = 0;
};

QString ValueText(QByteArrayView value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return Windows1252::Decode(value.first(std::min(value.size(), kValueChars)));
}

// Keeps the first of names equal but for letter case, until the list would
// no longer fit the buffer, each name followed by a zero byte.
class NameList {
public:
    enum Result { Added, Repeated, Full };

    Result Add(QByteArrayView name)
    {
        const QByteArray folded = name.toByteArray().toLower();
        if (seen_.contains(folded))
            return Repeated;
        bytes_ += name.size() + 1;
        if (bytes_ > kListBytes)
            return Full;
        seen_.insert(folded);
        return Added;
    }

private:
    QSet<QByteArray> seen_;
    qsizetype bytes_ = 0;
};

// The file's bytes: empty when there is no file, nothing when there is one
// that cannot be read, such as a folder.
std::optional<QByteArray> Load(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

SettingsError WriteFailed(const QString& path)
{
    return SettingsError(Message::WriteFailed.arg(path));
}

// A write must start from what is there: rewriting a file that could not
// be read would lose it.
QByteArray LoadForWriting(const QString& path)
{
    std::optional<QByteArray> data = Load(path);
    if (!data)
        throw WriteFailed(path);
    return *std::move(data);
}

// The old file stays whole until the new one is complete on disk: a crash
// or a full disk leaves either the old file or the new one.
void Save(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    // commit() alone would rename a temporary file that a full disk cut
    // short, as it overlooks a failed flush and ignores fsync's result;
    // the checks here stop it first, and the unrenamed file is removed.
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush()
        || ::fsync(file.handle()) != 0 || !file.commit())
        throw WriteFailed(path);
}

bool HasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

SettingsError::SettingsError(const QString& message) : std::runtime_error(message.toStdString()) {}

// Whatever is written must read back as the same section, key and value,
// and must never forge a line of its own.
void IniFile::RefuseUnstorable(const QString& section, const QString& key, const QString& value)
{
    if (HasLineBreak(section))
        throw SettingsError(Message::SectionLineBreak);
    if (section.contains(u']'))
        throw SettingsError(Message::SectionBracket);
    if (HasLineBreak(key))
        throw SettingsError(Message::KeyLineBreak);
    const auto firstMark = std::find_if(key.begin(), key.end(), [](QChar c) { return c != u' ' && c != u'\t'; });
    if (key.contains(u'=') || (firstMark != key.end() && (*firstMark == u';' || *firstMark == u'[')))
        throw SettingsError(Message::KeyReserved);
    if (HasLineBreak(value))
        throw SettingsError(Message::ValueLineBreak);
}


IniFile::IniFile(QString path) : path_(std::move(path)) {}

const QString& IniFile::Path() const
{
    return path_;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const
{
    const QByteArray data = Load(path_).value_or(QByteArray());
    LineReader lines(data);
    Line line;
    if (lines.FindSection(Windows1252::Encode(section), line)) {
        const QByteArray wanted = Windows1252::Encode(key);
        while (lines.NextEntry(line)) {
            if (SameName(line.name, wanted))
                return ValueText(line.value);
        }
    }
    return fallback;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const
{
    const QString text = ReadString(section, key, QString());
    bool ok = false;
    int value = 0;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        value = int(text.sliced(2).toUInt(&ok, 16)); // the 32-bit pattern: 0xFFFFFFFF is -1
    else
        value = text.toInt(&ok);
    return ok ? value : fallback;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    RefuseUnstorable(section, key, value);
    const QByteArray wantedSection = Windows1252::Encode(section);
    const QByteArray wantedKey = Windows1252::Encode(key);
    const QByteArray encodedValue = Windows1252::Encode(value);
    QByteArray data = LoadForWriting(path_);

    LineReader lines(data);
    Line line;
    qsizetype insertAt = -1;
    if (lines.FindSection(wantedSection, line)) {
        insertAt = line.next;
        while (lines.NextEntry(line)) {
            if (SameName(line.name, wantedKey)) {
                const QByteArray entry = line.name.toByteArray() + '=' + encodedValue;
                Save(path_, data.replace(line.begin, line.end - line.begin, entry));
                return;
            }
            insertAt = line.next;
        }
    }

    QByteArray addition = wantedKey + '=' + encodedValue + "\r\n";
    if (insertAt < 0) {
        insertAt = data.size();
        addition.prepend('[' + wantedSection + "]\r\n");
    }
    // Only the file's last line can lack its line end; the addition needs a
    // line of its own.
    if (insertAt > 0 && data[insertAt - 1] != '\n' && data[insertAt - 1] != '\r')
        addition.prepend("\r\n");
    Save(path_, data.insert(insertAt, addition));
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList IniFile::SectionNames() const
{
    const QByteArray data = Load(path_).value_or(QByteArray());
    QStringList names;
    NameList listed;
    LineReader lines(data);
    Line line;
    while (lines.Next(line)) {
        if (line.kind != Line::Header)
            continue;
        const NameList::Result result = listed.Add(line.name);
        if (result == NameList::Full)
            break;
        if (result == NameList::Added)
            names.append(Windows1252::Decode(line.name));
    }
    return names;
}

QStringList IniFile::SectionEntries(const QString& section) const
{
    const QByteArray data = Load(path_).value_or(QByteArray());
    QStringList entries;
    NameList listed;
    LineReader lines(data);
    Line line;
    if (!lines.FindSection(Windows1252::Encode(section), line))
        return entries;
    while (lines.NextEntry(line)) {
        const NameList::Result result = listed.Add(line.name);
        if (result == NameList::Full)
            break;
        if (result == NameList::Repeated)
            continue;
        const QString value = ValueText(line.value);
        if (!value.isEmpty())
            entries.append(Windows1252::Decode(line.name) + u'=' + value);
    }
    return entries;
}

void IniFile::EraseSection(const QString& section)
{
    const QByteArray wanted = Windows1252::Encode(section);
    const QByteArray data = LoadForWriting(path_);
    QByteArray kept;
    qsizetype keptUpTo = 0;
    bool erased = false;
    LineReader lines(data);
    Line line;
    while (lines.FindSection(wanted, line)) {
        kept.append(data.sliced(keptUpTo, line.begin - keptUpTo));
        keptUpTo = line.next;
        while (lines.NextEntry(line))
            keptUpTo = line.next;
        erased = true;
    }
    if (!erased)
        return;
    kept.append(data.sliced(keptUpTo));
    Save(path_, kept);
}
