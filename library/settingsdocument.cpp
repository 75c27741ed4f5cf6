#include "settingsdocument.h"

#include "settingserror.h"
#include "windows1252.h"

#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// Every text of the settings file's service that the player may see.
namespace Message {
const auto SectionLineBreak = QStringLiteral("Ein Spielname darf keinen Zeilenumbruch enthalten");
const auto SectionBracket = QStringLiteral("Ein Spielname darf kein \"]\" enthalten");
const auto KeyLineBreak = QStringLiteral("Ein Schlüssel darf keinen Zeilenumbruch enthalten");
const auto KeyReserved =
    QStringLiteral("Ein Schlüssel darf kein \"=\" enthalten und nicht mit \";\" oder \"[\" beginnen");
const auto ValueLineBreak = QStringLiteral("Ein gespeicherter Text darf keinen Zeilenumbruch enthalten");
const auto SectionCharacter = QStringLiteral("Ein Spielname darf kein \"%1\" enthalten");
const auto KeyCharacter = QStringLiteral("Ein Schlüssel darf kein \"%1\" enthalten");
const auto ValueCharacter = QStringLiteral("\"%1\" kann nicht gespeichert werden, weil es ein \"%2\" enthält");
const auto ValueTooLong = QStringLiteral("Ein gespeicherter Text darf höchstens %1 Zeichen lang sein");
} // namespace Message

// The buffer that settings files have always listed names through: what
// did not fit was never seen, so files read the same here as they always did.
constexpr qsizetype ListBytes = 16384;

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

// Windows writes a file that begins with this mark as UTF-16, little-endian.
const QByteArray Utf16Mark("\xFF\xFE");

// Editors that save as UTF-8 may put a byte-order mark in front: it is no
// part of the first line, and stays in front of the file.
qsizetype TextStart(QByteArrayView data)
{
    return data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

// Lines added to a file end as its first line does, so a file kept with
// one kind of line end keeps it; a file of one line or none gets Windows' own.
QByteArray LineEnd(QByteArrayView data)
{
    const qsizetype end = data.indexOf('\n');
    const qsizetype carriage = data.indexOf('\r');
    if (carriage >= 0 && (end < 0 || carriage < end))
        return carriage + 1 == end ? "\r\n" : "\r";
    return end >= 0 ? "\n" : "\r\n";
}

// How the document's bytes are text. As a rule they are the file's own,
// in Windows-1252. A file that Windows wrote as UTF-16 is held as UTF-8, so
// that the lines are found as in any other file and every character it
// holds is kept.
class Charset {
public:
    explicit Charset(bool unicode) : unicode_(unicode) {}

    QString Decode(QByteArrayView bytes) const
    {
        return unicode_ ? QString::fromUtf8(bytes) : Windows1252::Decode(bytes);
    }
    // Nothing when the text holds a character the set cannot.
    std::optional<QByteArray> Encode(QStringView text) const
    {
        return unicode_ ? std::optional(text.toUtf8()) : Windows1252::Encode(text);
    }
    // Whether two names are one but for letter case.
    bool Same(QByteArrayView a, QByteArrayView b) const
    {
        return unicode_ ? QString::fromUtf8(a).compare(QString::fromUtf8(b), Qt::CaseInsensitive) == 0
                        : Windows1252::SameText(a, b);
    }
    // A name in one letter case, for sets of names that compare as above.
    QByteArray Folded(QByteArrayView bytes) const
    {
        return unicode_ ? QString::fromUtf8(bytes).toCaseFolded().toUtf8() : Windows1252::Folded(bytes);
    }

private:
    bool unicode_;
};

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
    LineReader(QByteArrayView data, const Charset& charset) : data_(data), charset_(charset), pos_(TextStart(data)) {}

    bool Next(Line& line)
    {
        if (!Advance(line))
            return false;
        Classify(line);
        return true;
    }

    // Moves past the next section header. Only headers are looked at
    // closely, as a file of many games has thousands of other lines.
    bool NextHeader(Line& header)
    {
        while (Advance(header)) {
            if (Trimmed(data_.sliced(header.begin, header.end - header.begin)).startsWith('[')) {
                Classify(header);
                return true;
            }
        }
        return false;
    }

    // Moves past the header of the next section of that name.
    bool FindSection(QByteArrayView name, Line& header)
    {
        while (NextHeader(header)) {
            if (charset_.Same(header.name, name))
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
    // Finds the next line's bounds: it ends at "\r\n", "\n" or a lone "\r".
    bool Advance(Line& line)
    {
        if (pos_ >= data_.size())
            return false;
        const char* const start = data_.data() + pos_;
        const std::size_t rest = std::size_t(data_.size() - pos_);
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', rest));
        const std::size_t length = newline ? std::size_t(newline - start) : rest;
        const auto* carriage = static_cast<const char*>(std::memchr(start, '\r', length));
        line.begin = pos_;
        line.end = pos_ + qsizetype(carriage ? carriage - start : length);
        line.next = line.end;
        if (line.next < data_.size()) {
            const bool cr = data_[line.next++] == '\r';
            if (cr && line.next < data_.size() && data_[line.next] == '\n')
                ++line.next;
        }
        pos_ = line.next;
        return true;
    }

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
    const Charset& charset_;
    qsizetype pos_;
};

QString ValueText(QByteArrayView value, const Charset& charset)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    // A character takes four bytes at most, which leaves enough to cut.
    return charset.Decode(value.first(std::min(value.size(), 4 * SettingsDocument::ValueChars)))
        .left(SettingsDocument::ValueChars);
}

// Keeps the first of names equal but for letter case, until the list would
// no longer fit the buffer, each name followed by a zero byte.
class NameList {
public:
    enum Result { Added, Repeated, Full };

    explicit NameList(const Charset& charset) : charset_(charset) {}

    Result Add(QByteArrayView name)
    {
        const QByteArray folded = charset_.Folded(name);
        if (seen_.contains(folded))
            return Repeated;
        bytes_ += name.size() + 1;
        if (bytes_ > ListBytes)
            return Full;
        seen_.insert(folded);
        return Added;
    }

private:
    const Charset& charset_;
    QSet<QByteArray> seen_;
    qsizetype bytes_ = 0;
};

// Hands `take` the first of the lines `next` reads under each name, until
// the names no longer fit the list.
template <typename Take>
void ForEachFirstName(LineReader& lines, const Charset& charset, bool (LineReader::*next)(Line&), Take take)
{
    NameList listed(charset);
    Line line;
    while ((lines.*next)(line)) {
        const NameList::Result result = listed.Add(line.name);
        if (result == NameList::Full)
            return;
        if (result == NameList::Added)
            take(line);
    }
}

bool HasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// A character the file's set cannot hold would come back as another one.
// `refusal` makes the message from the first character that cannot be held.
template <class Refusal>
QByteArray Encoded(const QString& text, const Charset& charset, Refusal refusal)
{
    std::optional<QByteArray> bytes = charset.Encode(text);
    if (!bytes)
        throw SettingsError(refusal(Windows1252::FirstUnstorable(text)));
    return *std::move(bytes);
}

QByteArray EncodedKey(const QString& key, const Charset& charset)
{
    if (HasLineBreak(key))
        throw SettingsError(Message::KeyLineBreak);
    const auto firstMark = std::find_if(key.begin(), key.end(), [](QChar c) { return c != u' ' && c != u'\t'; });
    if (key.contains(u'=') || (firstMark != key.end() && (*firstMark == u';' || *firstMark == u'[')))
        throw SettingsError(Message::KeyReserved);
    return Encoded(key, charset, [](const QString& c) { return Message::KeyCharacter.arg(c); });
}

// Reading drops the blanks around a value and one pair of matching quotes,
// so a value that has either is stored inside one more pair of quotes.
QByteArray EncodedValue(const QString& value, const Charset& charset)
{
    if (HasLineBreak(value))
        throw SettingsError(Message::ValueLineBreak);
    if (value.size() > SettingsDocument::ValueChars)
        throw SettingsError(Message::ValueTooLong.arg(SettingsDocument::ValueChars));
    QByteArray bytes = Encoded(value, charset, [&](const QString& c) { return Message::ValueCharacter.arg(value, c); });
    const bool blankAround = !bytes.isEmpty() && (IsBlank(bytes.front()) || IsBlank(bytes.back()));
    const bool quoted = bytes.size() >= 2 && (bytes.front() == '"' || bytes.front() == '\'') && bytes.back() == bytes.front();
    if (blankAround || quoted)
        bytes = '"' + bytes + '"';
    return bytes;
}

QByteArray EncodedSection(const QString& section, const Charset& charset)
{
    if (HasLineBreak(section))
        throw SettingsError(Message::SectionLineBreak);
    if (section.contains(u']'))
        throw SettingsError(Message::SectionBracket);
    return Encoded(section, charset, [](const QString& c) { return Message::SectionCharacter.arg(c); });
}

// The entries to write, each key once: a key written twice keeps the place
// of its first write and the value of its last.
QList<std::pair<QByteArray, QByteArray>> EncodedEntries(const SettingsDocument::Entries& entries,
                                                        const Charset& charset)
{
    QList<std::pair<QByteArray, QByteArray>> encoded;
    for (const auto& [key, value] : entries) {
        std::pair<QByteArray, QByteArray> entry{EncodedKey(key, charset), EncodedValue(value, charset)};
        const auto earlier = std::find_if(encoded.begin(), encoded.end(),
                                          [&](const auto& e) { return charset.Same(e.first, entry.first); });
        if (earlier != encoded.end())
            earlier->second = entry.second;
        else
            encoded.append(std::move(entry));
    }
    return encoded;
}

} // namespace

SettingsDocument::SettingsDocument(QByteArray bytes)
    : bytes_(std::move(bytes)), unicode_(bytes_.startsWith(Utf16Mark))
{
    if (unicode_)
        bytes_ = QString(QStringDecoder(QStringConverter::Utf16LE, QStringConverter::Flag::ConvertInitialBom)(
                             QByteArrayView(bytes_).sliced(Utf16Mark.size())))
                     .toUtf8();
}

QByteArray SettingsDocument::Bytes() const
{
    if (!unicode_)
        return bytes_;
    return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(QString::fromUtf8(bytes_));
}

void SettingsDocument::CheckSection(const QString& section)
{
    EncodedSection(section, Charset(false));
}

QString SettingsDocument::ReadString(const QString& section, const QString& key, const QString& fallback) const
{
    const Charset charset(unicode_);
    const std::optional<QByteArray> wantedSection = charset.Encode(section);
    const std::optional<QByteArray> wantedKey = charset.Encode(key);
    if (!wantedSection || !wantedKey)
        return fallback; // no stored name can equal it
    LineReader lines(bytes_, charset);
    Line line;
    if (lines.FindSection(*wantedSection, line)) {
        while (lines.NextEntry(line)) {
            if (charset.Same(line.name, *wantedKey))
                return ValueText(line.value, charset);
        }
    }
    return fallback;
}

int SettingsDocument::ReadInteger(const QString& section, const QString& key, int fallback) const
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

bool SettingsDocument::ReadBool(const QString& section, const QString& key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

QStringList SettingsDocument::SectionNames() const
{
    QStringList names;
    const Charset charset(unicode_);
    LineReader lines(bytes_, charset);
    ForEachFirstName(lines, charset, &LineReader::NextHeader,
                     [&](const Line& header) { names.append(charset.Decode(header.name)); });
    return names;
}

QStringList SettingsDocument::SectionEntries(const QString& section) const
{
    QStringList entries;
    const Charset charset(unicode_);
    const std::optional<QByteArray> wanted = charset.Encode(section);
    LineReader lines(bytes_, charset);
    Line header;
    if (!wanted || !lines.FindSection(*wanted, header))
        return entries;
    ForEachFirstName(lines, charset, &LineReader::NextEntry, [&](const Line& entry) {
        const QString value = ValueText(entry.value, charset);
        if (!value.isEmpty())
            entries.append(charset.Decode(entry.name) + u'=' + value);
    });
    return entries;
}

void SettingsDocument::WriteString(const QString& section, const QString& key, const QString& value)
{
    WriteEntries(section, {{key, value}});
}

void SettingsDocument::WriteEntries(const QString& section, const Entries& entries)
{
    const Charset charset(unicode_);
    const QByteArray wantedSection = EncodedSection(section, charset);
    QList<std::pair<QByteArray, QByteArray>> pending = EncodedEntries(entries, charset);

    // One pass through the section: each key found takes its new value in
    // place; the others follow its last entry.
    QByteArray written;
    written.reserve(bytes_.size() + 1024);
    qsizetype copiedUpTo = 0;
    qsizetype insertAt = -1;
    LineReader lines(bytes_, charset);
    Line line;
    if (lines.FindSection(wantedSection, line)) {
        insertAt = line.next;
        while (lines.NextEntry(line)) {
            const auto match = std::find_if(pending.begin(), pending.end(),
                                            [&](const auto& entry) { return charset.Same(line.name, entry.first); });
            if (match != pending.end()) {
                written += QByteArrayView(bytes_).sliced(copiedUpTo, line.begin - copiedUpTo);
                written += line.name.toByteArray() + '=' + match->second;
                copiedUpTo = line.end;
                pending.erase(match);
            }
            insertAt = line.next;
        }
    }

    const QByteArray lineEnd = LineEnd(bytes_);
    QByteArray addition;
    for (const auto& [key, value] : pending)
        addition += key + '=' + value + lineEnd;
    if (insertAt < 0) {
        insertAt = bytes_.size();
        addition.prepend('[' + wantedSection + ']' + lineEnd);
    }
    // Only the file's last line can lack its line end; the addition needs a
    // line of its own.
    if (!addition.isEmpty() && insertAt > TextStart(bytes_) && bytes_[insertAt - 1] != '\n' && bytes_[insertAt - 1] != '\r')
        addition.prepend(lineEnd);
    written += QByteArrayView(bytes_).sliced(copiedUpTo, insertAt - copiedUpTo);
    written += addition;
    written += QByteArrayView(bytes_).sliced(insertAt);
    bytes_ = std::move(written);
}

void SettingsDocument::EraseSection(const QString& section)
{
    const Charset charset(unicode_);
    const std::optional<QByteArray> wanted = charset.Encode(section);
    if (!wanted)
        return;
    QByteArray kept;
    qsizetype keptUpTo = 0;
    bool erased = false;
    LineReader lines(bytes_, charset);
    Line line;
    while (lines.FindSection(*wanted, line)) {
        kept.append(QByteArrayView(bytes_).sliced(keptUpTo, line.begin - keptUpTo));
        keptUpTo = line.next;
        while (lines.NextEntry(line))
            keptUpTo = line.next;
        erased = true;
    }
    if (!erased)
        return;
    kept.append(QByteArrayView(bytes_).sliced(keptUpTo));
    bytes_ = std::move(kept);
}
