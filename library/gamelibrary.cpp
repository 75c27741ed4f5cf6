#include "gamelibrary.h"

#include "board.h"
#include "clock.h"
#include "gamesections.h"
#include "settingserror.h"

#include <QCollator>

#include <algorithm>

namespace {

const auto Filename = QStringLiteral("filename");
const auto Date = QStringLiteral("date");
const auto Rows = QStringLiteral("rows");
const auto Cols = QStringLiteral("cols");
const auto Grid = QStringLiteral("grid");
const auto GameName = QStringLiteral("gamename");
const auto NoDate = QStringLiteral("kein Datum");
const auto PictureView = QStringLiteral("PictureView");
const auto NewestFirst = QStringLiteral("newest");
const auto NameTooLong = QStringLiteral("Ein Spielname darf höchstens %1 Zeichen lang sein");

QString ColorKey(int code)
{
    return QStringLiteral("color%1").arg(code);
}

// Any stored value but 0 in its low byte selects the colour, as the colour
// menu has always taken it.
ColorSelection ReadColors(const SettingsDocument& document, const QString& section)
{
    ColorSelection colors;
    for (int code = 1; code <= ColorSelection::Count; ++code)
        colors.Set(code, (document.ReadInteger(section, ColorKey(code), 0) & 0xFF) != 0);
    return colors;
}

QStringList GameNamesOf(const QStringList& sections)
{
    QStringList names;
    for (const QString& section : sections)
        if (GameSections::IsGame(section))
            names << GameSections::NameOf(section);
    return names;
}

void CopyEntries(SettingsDocument& document, const QString& oldName, const QString& newName, const QString& date)
{
    SettingsDocument::Entries entries;
    for (const QString& entry : document.SectionEntries(GameSections::SectionOf(oldName))) {
        const qsizetype equals = entry.indexOf('=');
        entries.append({entry.left(equals), entry.mid(equals + 1)});
    }
    entries.append({Date, date});
    document.WriteEntries(GameSections::SectionOf(newName), entries);
}

} // namespace

GameLibrary::GameLibrary(SettingsPlace settings, const Clock& clock) : file_(std::move(settings)), clock_(clock) {}

SettingsReading GameLibrary::ReadSettings(const QString& gameName, const Arrangement& current) const
{
    const SettingsDocument document = file_.Read();
    SettingsReading reading;
    reading.userName = document.ReadString(GameSections::Options, "user", {});
    QString name = gameName.isEmpty() ? document.ReadString(GameSections::Options, GameName, {}) : gameName;
    if (name == GameSections::StandardName)
        name.clear();
    const QString section = GameSections::SectionOf(name);
    Arrangement& read = reading.arrangement;
    read.picture = document.ReadString(section, Filename, current.picture);
    read.rows = Board::FitToStorage(document.ReadInteger(section, Rows, current.rows));
    read.cols = Board::FitToStorage(document.ReadInteger(section, Cols, current.cols));
    read.grid = document.ReadBool(section, Grid, current.grid);
    read.date = document.ReadString(section, Date, {});
    read.colors = ReadColors(document, section);
    // A game without a date plays its arrangement, but as no stored game.
    reading.stored = !read.date.isEmpty();
    reading.gameName = reading.stored ? name : QString();
    return reading;
}

std::optional<QStringList> GameLibrary::GameNames() const
{
    const SettingsDocument document = file_.Read();
    const QStringList sections = document.SectionNames();
    if (sections.size() < 2)
        return std::nullopt;
    QStringList names = GameNamesOf(sections);
    // Qt's own sorting tells letter case apart; the list must not. The
    // order is the German one whatever the desktop's language.
    QCollator order(QLocale(QLocale::German, QLocale::Germany));
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&](const QString& a, const QString& b) { return order.compare(a, b) < 0; });
    return names;
}

GamePreview GameLibrary::Preview(const QString& name) const
{
    const SettingsDocument document = file_.Read();
    const QString section = GameSections::SectionOf(name);
    // The stored texts as they stand, not as the game would read them.
    return {document.ReadString(section, Filename, {}), document.ReadString(section, Rows, "0"),
            document.ReadString(section, Cols, "0"), document.ReadString(section, Date, NoDate),
            ReadColors(document, section)};
}

QStringList GameLibrary::RandomGameCandidates() const
{
    const SettingsDocument document = file_.Read();
    const QStringList sections = document.SectionNames();
    if (sections.size() < 2)
        return {};
    QStringList candidates;
    for (const QString& section : sections)
        if (section != GameSections::Suffix && GameSections::IsGame(section))
            candidates << GameSections::NameOf(section);
    return candidates;
}

QString GameLibrary::SaveGame(const QString& name, const Arrangement& arrangement)
{
    CheckName(name);
    const QString date = DateStamp(clock_);
    SettingsDocument::Entries entries{{Filename, arrangement.picture},
                                      {Date, date},
                                      {Rows, QString::number(arrangement.rows)},
                                      {Cols, QString::number(arrangement.cols)},
                                      {Grid, arrangement.grid ? "1" : "0"}};
    for (int code = 1; code <= ColorSelection::Count; ++code)
        entries.append({ColorKey(code), arrangement.colors.Has(code) ? "1" : "0"});
    file_.Change([&](SettingsDocument& document) {
        document.WriteString(GameSections::Options, GameName, name);
        document.WriteEntries(GameSections::SectionOf(name), entries);
    });
    return date;
}

void GameLibrary::WriteOptions(const QString& gameName)
{
    file_.Change([&](SettingsDocument& document) {
        SettingsDocument::Entries entries{{GameName, gameName}};
        if (document.ReadString(GameSections::Options, "firstgame", {}).isEmpty())
            entries.append({"firstgame", DateTimeText(clock_)});
        entries.append({"lastgame", DateTimeText(clock_)});
        document.WriteEntries(GameSections::Options, entries);
    });
}

PictureOrder GameLibrary::ReadPictureOrder() const
{
    const QString view = file_.Read().ReadString(GameSections::Options, PictureView, {});
    return view == NewestFirst ? PictureOrder::NewestFirst : PictureOrder::ByName;
}

void GameLibrary::WritePictureOrder(PictureOrder order)
{
    file_.Change([&](SettingsDocument& document) {
        document.WriteString(GameSections::Options, PictureView,
                             order == PictureOrder::NewestFirst ? NewestFirst : QStringLiteral("name"));
    });
}

void GameLibrary::CopyGame(const QString& oldName, const QString& newName, const QString& date)
{
    CheckName(newName);
    file_.Change([&](SettingsDocument& document) { CopyEntries(document, oldName, newName, date); });
}

void GameLibrary::EraseGame(const QString& name)
{
    file_.Change([&](SettingsDocument& document) { document.EraseSection(GameSections::SectionOf(name)); });
}

void GameLibrary::RenameGame(const QString& oldName, const QString& newName, const QString& date)
{
    CheckName(newName);
    file_.Change([&](SettingsDocument& document) {
        CopyEntries(document, oldName, newName, date);
        // Names that the file takes for one share one section: the copy
        // went into the old game itself.
        if (!GameSections::SameName(oldName, newName))
            document.EraseSection(GameSections::SectionOf(oldName));
    });
}

void GameLibrary::CheckName(const QString& name)
{
    // "gamename" records it, and a longer one would not be resumed.
    if (name.size() > SettingsDocument::ValueChars)
        throw SettingsError(NameTooLong.arg(SettingsDocument::ValueChars));
    SettingsDocument::CheckSection(GameSections::SectionOf(name));
}

QString GameLibrary::DateText(const Clock& clock)
{
    const Clock::LocalTime now = clock.LocalNow();
    return QString::asprintf("%02d.%02d.%02d", now.day, now.month, now.year % 100);
}

QString GameLibrary::DateTimeText(const Clock& clock)
{
    const Clock::LocalTime now = clock.LocalNow();
    QString text = DateText(clock);
    if (now.hour != 0 || now.minute != 0 || now.second != 0)
        text += QString::asprintf(" %02d:%02d:%02d", now.hour, now.minute, now.second);
    return text;
}

QString GameLibrary::DateStamp(const Clock& clock)
{
    return DateTimeText(clock).left(14);
}
