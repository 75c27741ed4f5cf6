#include "administration.h"

#include "clock.h"
#include "gamesections.h"
#include "inifile.h"
#include "makecolor.h"
#include "pictureloader.h"
#include "storedgame.h"
#include "userdialogs.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Every text the chooser shows the player. The message boxes break their
// lines at "\n".
namespace Text {
const auto LoadCaption = QStringLiteral("Ein Plimmerlo-Spiel Auswählen ...");
const auto SaveCaption = QStringLiteral("Das aktuelle Plimmerlo-Spiel Speichern ...");
const auto ChangeCaption = QStringLiteral("Ein Plimmerlo-Spiel Umbenennen ...");
const auto SaveExplanation =
    QStringLiteral("Die aktuellen Einstellungen werden als Spiel gespeichert. Wenn du ein neues Spiel anlegen "
                   "möchtest, dann musst du einen neuen Spielnamen angeben.");
const auto ChangeExplanation =
    QStringLiteral("Hier kannst du den Namen des Spiels ändern. Wenn du das nicht willst, klicken auf "
                   "\"Abbrechen\". Wenn du das willst, dann klicke danach auf \"Name Ändern\".");
const auto NoDate = QStringLiteral("kein Datum");
const auto CopySuffix = QStringLiteral("-Kopie");
const auto NoGames = QStringLiteral("Es gibt hier noch keine Spiele!");
const auto EraseQuestion = QStringLiteral("Soll das Spiel\n\"%1\"\nwirklich gelöscht werden?.");
const auto NameExists = QStringLiteral("Den Namen\n\"%1\"\ngibt es schon.");
const auto OverwriteQuestion =
    QStringLiteral("Es gibt schon ein Spiel unter dem Namen\n\"%1\"\nMöchtest du das alte Spiel überschreiben?");
} // namespace Text

const QString Load = QStringLiteral("load");
const QString Save = QStringLiteral("save");
const QString Change = QStringLiteral("change");

constexpr std::array<int, 5> PlainDiscs{0, 2, 4, 8, 6};
constexpr int BlackSquare = 16;

QPixmap Icon(int index)
{
    return QPixmap(QString(":/icons/icon%1.png").arg(index, 2, 10, QChar('0')));
}

// The list shows "(Standard)" for the game with the empty name.
QString MappedName(const QString& entry)
{
    return entry == GameSections::StandardName ? QString() : entry;
}

// Game names compare as the settings file matches its sections.
QString AsciiLower(QString text)
{
    for (QChar& c : text)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    return text;
}

// Fits a long path into its label: everything between the first separator
// and the file name becomes "..", written with that separator, so
// C:\Bilder\Tiere\zoo.jpg shows as C:\..\zoo.jpg and /home/lena/zoo.jpg as
// /../zoo.jpg.
QString ShortPath(const QString& path)
{
    const qsizetype nameStart = path.size() - BareFileName(path).size();
    QString folder = path.left(nameStart);
    const auto separator = std::find_if(folder.begin(), folder.end(), [](QChar c) { return c == u'\\' || c == u'/'; });
    if (separator != folder.end())
        folder = folder.left(separator - folder.begin() + 1) + ".." + *separator;
    return folder + path.mid(nameStart);
}

// Rows of 16 pixels, whatever height the list's font would ask for.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
    }
};

void SetColor(QWidget* widget, QPalette::ColorRole role, std::uint32_t color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, ToRgb(color));
    widget->setPalette(palette);
}

QLabel* Label(QWidget* parent, const QString& text, QRect geometry, bool bold = false,
             std::uint32_t color = MakeColor(0, 0, 0))
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    label->setGeometry(geometry);
    SetColor(label, QPalette::WindowText, color);
    return label;
}

QLabel* Explanation(QWidget* parent, const QString& text)
{
    QLabel* label = Label(parent, text, {6, 4, 214, 54});
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// No button is the default: Enter presses nothing, so a name is never saved
// or a game loaded by a key meant for the edit field.
QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* Edit(QWidget* parent, const char* name, QRect geometry)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    return edit;
}

QWidget* Panel(QWidget* parent, const char* name, int height)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setFixedHeight(height);
    // Inside a group box whose caption is bold, the buttons and edit fields are not.
    QFont font = panel->font();
    font.setBold(false);
    panel->setFont(font);
    return panel;
}

QGroupBox* BoldGroupBox(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    // Only the caption is bold: every child sets its own font.
    QFont font = box->font();
    font.setBold(true);
    box->setFont(font);
    box->setGeometry(geometry);
    return box;
}

constexpr std::uint32_t Silver = MakeColor(192, 192, 192);

} // namespace

TAdminForm::TAdminForm(const Clock& clock, UserDialogs& dialogs, QString settingsPath, QWidget* parent)
    : QDialog(parent), clock_(clock), dialogs_(dialogs), settingsPath_(std::move(settingsPath))
{
    setObjectName("AdminForm");
    setWindowTitle("Ein Plimmerlo-Spiel Auswählen");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(456, 360);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);
    CreateControls();
}

void TAdminForm::CreateControls()
{
    GroupBox1 = BoldGroupBox(this, "GroupBox1", "Motive", {0, 0, 238, 360});
    auto* OpenPanel = new QWidget(this);
    OpenPanel->setObjectName("OpenPanel");
    OpenPanel->setGeometry(238, 0, 218, 360);
    for (QWidget* part : {static_cast<QWidget*>(GroupBox1), OpenPanel}) {
        part->setAutoFillBackground(true);
        SetColor(part, QPalette::Window, Silver);
    }

    MotivListBox = new QListWidget(GroupBox1);
    MotivListBox->setObjectName("MotivListBox");
    QFont listFont = font();
    listFont.setPixelSize(13);
    listFont.setBold(true);
    MotivListBox->setFont(listFont);
    SetColor(MotivListBox, QPalette::Text, MakeColor(217, 0, 0));
    MotivListBox->setItemDelegate(new RowDelegate(MotivListBox));
    MotivListBox->addItem(GameSections::StandardName);

    // The mode panels above and below the list take their room from it.
    auto* column = new QVBoxLayout(GroupBox1);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(2);
    column->addWidget(CreateSavePanel());
    column->addWidget(CreateChangePanel());
    column->addWidget(MotivListBox, 1);
    column->addWidget(CreateCommandPanel());

    PreviewGroupBox = BoldGroupBox(OpenPanel, "PreviewGroupBox", "Vorschau", {4, 0, 210, 192});
    // The picture may reach beyond the client area (a square one is as
    // tall as the box is wide); this keeps it off the box's frame.
    auto* previewArea = new QWidget(PreviewGroupBox);
    previewArea->setGeometry(PreviewGroupBox->contentsRect());
    PreviewImage = new QLabel(previewArea);
    PreviewImage->setObjectName("PreviewImage");
    PreviewImage->setScaledContents(true);
    PreviewImage->setGeometry(previewArea->rect());

    OptionCommandPanel = new QWidget(OpenPanel);
    OptionCommandPanel->setObjectName("OptionCommandPanel");
    OptionCommandPanel->setGeometry(0, 192, 218, 38);
    CancelButton = Button(OptionCommandPanel, "CancelButton", "Abbrechen", {8, 7, 96, 25});
    QPushButton* OkButton = Button(OptionCommandPanel, "OkButton", "Auswählen", {114, 7, 96, 25});

    CreateSettingsBox(OpenPanel);

    connect(MotivListBox, &QListWidget::itemSelectionChanged, this, [this] { Run([this] { MotivListBoxClick(); }); });
    // A click on the entry already selected shows it again: after a rename
    // MotivLabel may still name the game as it was.
    connect(MotivListBox, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item->text() != MotivLabel->text())
            Run([this] { MotivListBoxClick(); });
    });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(OkButton, &QPushButton::clicked, this, [this] { Run([this] { OkButtonClick(); }); });
}

QWidget* TAdminForm::CreateSavePanel()
{
    SaveGamePanel = Panel(GroupBox1, "SaveGamePanel", 114);
    Explanation(SaveGamePanel, Text::SaveExplanation);
    Label(SaveGamePanel, "Spielname:", {6, 64, 64, 13}, true);
    SaveNameEdit = Edit(SaveGamePanel, "SaveNameEdit", {72, 60, 148, 21});
    OkaySaveButton = Button(SaveGamePanel, "OkaySaveButton", "Spiel Speichern", {6, 86, 106, 25});
    CncelSaveButton = Button(SaveGamePanel, "CncelSaveButton", "Abbrechen", {124, 86, 96, 25});
    connect(OkaySaveButton, &QPushButton::clicked, this, [this] { Run([this] { OkaySaveButtonClick(); }); });
    connect(CncelSaveButton, &QPushButton::clicked, this, [this] {
        Run([this] { CancelChangeButtonClick(); });
        done(Abort);
    });
    return SaveGamePanel;
}

QWidget* TAdminForm::CreateChangePanel()
{
    ChangeNamePanel = Panel(GroupBox1, "ChangeNamePanel", 114);
    Explanation(ChangeNamePanel, Text::ChangeExplanation);
    Label(ChangeNamePanel, "Neuer Name:", {6, 64, 70, 13}, true);
    NewNameEdit = Edit(ChangeNamePanel, "NewNameEdit", {78, 60, 142, 21});
    auto* OkayChangeButton = Button(ChangeNamePanel, "OkayChangeButton", "Name Ändern", {6, 86, 106, 25});
    auto* CancelChangeButton = Button(ChangeNamePanel, "CancelChangeButton", "Abbrechen", {124, 86, 96, 25});
    connect(OkayChangeButton, &QPushButton::clicked, this, [this] { Run([this] { OkayChangeButtonClick(); }); });
    connect(CancelChangeButton, &QPushButton::clicked, this, [this] { Run([this] { CancelChangeButtonClick(); }); });
    return ChangeNamePanel;
}

QWidget* TAdminForm::CreateCommandPanel()
{
    MotiveComandPanel = Panel(GroupBox1, "MotiveComandPanel", 26);
    auto* ChangeToolBar = new QToolBar(MotiveComandPanel);
    ChangeToolBar->setObjectName("ChangeToolBar");
    ChangeToolBar->setIconSize(QSize(16, 16));
    ChangeToolBar->setGeometry(0, 1, 100, 24);
    const struct {
        const char* name;
        const char* hint;
        const char* icon;
        void (TAdminForm::*handler)();
    } buttons[] = {
        {"DoubleToolButton", "Spiel Kopieren", ":/icons/copygame.png", &TAdminForm::DoubleToolButtonClick},
        {"EraseToolButton", "Spiel Löschen", ":/icons/erasegame.png", &TAdminForm::EraseToolButtonClick},
        {"EditToolButton", "Spielname Ändern", ":/icons/renamegame.png", &TAdminForm::EditToolButtonClick},
    };
    for (const auto& button : buttons) {
        QAction* action = ChangeToolBar->addAction(QIcon(button.icon), QString::fromUtf8(button.hint));
        action->setObjectName(button.name);
        ChangeToolBar->widgetForAction(action)->setObjectName(button.name);
        connect(action, &QAction::triggered, this, [this, handler = button.handler] { Run([=, this] { (this->*handler)(); }); });
    }
    return MotiveComandPanel;
}

void TAdminForm::CreateSettingsBox(QWidget* parent)
{
    QGroupBox* GroupBox2 = BoldGroupBox(parent, "GroupBox2", "Einstellungen", {4, 230, 210, 128});
    Label(GroupBox2, "Aktuelles Motiv:", {8, 20, 80, 13});
    MotivLabel = Label(GroupBox2, {}, {90, 20, 114, 13}, true, MakeColor(0, 128, 0));
    DateLabel = Label(GroupBox2, {}, {104, 4, 100, 13}, true, MakeColor(128, 128, 128));
    DateLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label(GroupBox2, "Grafik:", {8, 38, 40, 13});
    GrafikNameLabel = Label(GroupBox2, {}, {50, 38, 154, 13}, true, MakeColor(0, 0, 128));
    Label(GroupBox2, "Steinchenraster", {8, 58, 100, 13}, true);
    Label(GroupBox2, "Zeilen:", {8, 74, 40, 13});
    RowsLabel = Label(GroupBox2, "0", {50, 74, 30, 13}, true, MakeColor(128, 0, 0));
    Label(GroupBox2, "Spalten:", {96, 74, 44, 13});
    ColsLabel = Label(GroupBox2, "0", {142, 74, 30, 13}, true, MakeColor(128, 0, 0));
    Label(GroupBox2, "Farben:", {8, 90, 40, 13});
    ColorsLabel = Label(GroupBox2, "0", {50, 90, 30, 13}, true, MakeColor(128, 0, 128));
    for (int i = 0; i < 5; ++i) {
        ColorImages[i] = new QLabel(GroupBox2);
        ColorImages[i]->setObjectName(QString("Image%1").arg(i + 1));
        ColorImages[i]->setGeometry(8 + 20 * i, 106, 16, 16);
    }
    MotivLabel->setObjectName("MotivLabel");
    DateLabel->setObjectName("DateLabel");
    GrafikNameLabel->setObjectName("GrafikNameLabel");
    RowsLabel->setObjectName("RowsLabel");
    ColsLabel->setObjectName("ColsLabel");
    ColorsLabel->setObjectName("ColorsLabel");
    ShowColorImages(PlainDiscs);
}

QString TAdminForm::SaveName() const
{
    return SaveNameEdit->text();
}

void TAdminForm::Run(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const SettingsError& error) {
        dialogs_.ShowMessage(this, QString::fromUtf8(error.what()) + '.');
    } catch (const std::exception& error) {
        dialogs_.ShowError(this, QString::fromUtf8(error.what()));
    }
}

void TAdminForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const QRect screen = this->screen()->availableGeometry();
    move(screen.center() - rect().center());
    // The opening runs once the dialog is up, so a message box of it
    // appears over the dialog and not before it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            Run([this] { FormActivate(); });
    });
}

void TAdminForm::keyPressEvent(QKeyEvent* event)
{
    // Escape presses the "Abbrechen" that is shown; while renaming none is,
    // and the dialog stays.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (DialogMode == Save)
            CncelSaveButton->click();
        else if (DialogMode != Change)
            CancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAdminForm::FormActivate()
{
    SetDialogMode(DialogMode);
    MotivLabel->setText(ChosenGame);
    FillGameList();
}

void TAdminForm::SetDialogMode(const QString& mode)
{
    DialogMode = mode.isEmpty() ? Load : mode;
    const bool save = DialogMode == Save;
    const bool change = DialogMode == Change;
    SaveGamePanel->setVisible(save);
    ChangeNamePanel->setVisible(change);
    MotiveComandPanel->setVisible(!save && !change);
    OptionCommandPanel->setVisible(!save && !change);
    if (save) {
        setWindowTitle(Text::SaveCaption);
        SaveNameEdit->setText(ChosenGame);
        SaveNameEdit->setFocus();
        ShowCurrentSettings();
    } else if (change) {
        setWindowTitle(Text::ChangeCaption);
        const QString selected = SelectedEntry();
        NewNameEdit->setText(MappedName(selected));
        NewNameEdit->setFocus();
    } else {
        setWindowTitle(Text::LoadCaption);
        MotivListBox->setFocus();
    }
}

void TAdminForm::FillGameList()
{
    const QStringList sections = IniFile(settingsPath_).SectionNames();
    if (sections.size() < 2) {
        // While saving, the list just keeps what it showed.
        if (DialogMode != Save) {
            ClearPreview();
            dialogs_.ShowError(this, Text::NoGames, "Abbrechen");
        }
        return;
    }
    QStringList names;
    for (const QString& section : sections)
        if (GameSections::IsGame(section))
            names << GameSections::NameOf(section);
    // Qt's own sorting tells letter case apart; the list must not.
    QCollator order;
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&](const QString& a, const QString& b) { return order.compare(a, b) < 0; });
    const QSignalBlocker quiet(MotivListBox);
    MotivListBox->clear();
    MotivListBox->addItems(names);
    if (DialogMode == Save)
        return;
    MotivListBox->setFocus();
    if (ChosenGame.isEmpty() && !names.isEmpty())
        ChosenGame = names.constFirst();
    const int row = FindEntry(ChosenGame);
    if (row < 0)
        return;
    MotivListBox->setCurrentRow(row);
    ShowGamePreview(ChosenGame);
}

int TAdminForm::FindEntry(const QString& name) const
{
    for (int row = 0; row < MotivListBox->count(); ++row)
        if (MotivListBox->item(row)->text().compare(name, Qt::CaseInsensitive) == 0)
            return row;
    return -1;
}

QString TAdminForm::SelectedEntry() const
{
    const QList<QListWidgetItem*> selected = MotivListBox->selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

void TAdminForm::ShowGamePreview(const QString& name)
{
    const IniFile ini(settingsPath_);
    const QString section = GameSections::SectionOf(name);
    const QString file = ini.ReadString(section, "filename", {});
    GrafikNameLabel->setText(ShortPath(file));
    // The stored texts as they stand, not as the game would read them.
    RowsLabel->setText(ini.ReadString(section, "rows", "0"));
    ColsLabel->setText(ini.ReadString(section, "cols", "0"));
    DateLabel->setText(ini.ReadString(section, "date", Text::NoDate));
    LoadPreviewPicture(file);
    // Colour values are taken as the game takes them when it plays the game.
    const std::array<int, 5> colors = StoredGames::Read(ini, section, {}).colors;
    std::array<int, 5> icons = PlainDiscs;
    for (int i = 0; i < 5; ++i)
        icons[i] += colors[i];
    ShowColorImages(icons);
    ColorsLabel->setText(QString::number(std::count(colors.begin(), colors.end(), 1)));
}

void TAdminForm::LoadPreviewPicture(const QString& path)
{
    QString found = path;
    if (!QFileInfo(found).isFile())
        found = BareFileName(path);
    if (!QFileInfo(found).isFile())
        found = QDir(QCoreApplication::applicationDirPath()).filePath(BareFileName(path));
    QImage picture;
    if (QFileInfo(found).isFile()) {
        try {
            picture = LoadPicture(found);
        } catch (const PictureError&) {
            // A preview only: a picture that cannot be read shows as missing.
        }
    }
    if (picture.isNull())
        picture = Icon(BlackSquare).toImage();

    // The picture keeps its proportions: it fills the width of the client
    // area, or its height when it is taller than wide. Integer arithmetic
    // cuts the exact quotient, where a floating one may fall just short.
    const QSize area = PreviewImage->parentWidget()->size();
    const int w = picture.width();
    const int h = picture.height();
    QSize size = area;
    if (h > w)
        size.setWidth(int(qint64(w) * area.height() / h));
    else
        size.setHeight(int(qint64(h) * area.width() / w));
    PreviewImage->setGeometry(QRect(QPoint(0, 0), size));
    PreviewImage->setPixmap(QPixmap::fromImage(picture));
}

void TAdminForm::ClearPreview()
{
    {
        const QSignalBlocker quiet(MotivListBox);
        MotivListBox->clear();
    }
    MotivLabel->clear();
    ColorsLabel->setText("0");
    RowsLabel->setText("0");
    ColsLabel->setText("0");
    DateLabel->clear();
    GrafikNameLabel->clear();
    ShowColorImages(PlainDiscs);
}

void TAdminForm::ShowCurrentSettings()
{
    MotivLabel->setText(gameInPlay_.gameName);
    ColorsLabel->setText(QString::number(gameInPlay_.colorCount));
    RowsLabel->setText(QString::number(gameInPlay_.rowCount));
    ColsLabel->setText(QString::number(gameInPlay_.colCount));
    const Clock::LocalTime now = clock_.LocalNow();
    DateLabel->setText(QLocale().toString(QDate(now.year, now.month, now.day), QLocale::ShortFormat));
    GrafikNameLabel->setText(BareFileName(gameInPlay_.backgroundFile));
    if (QFileInfo(gameInPlay_.backgroundFile).isFile())
        LoadPreviewPicture(gameInPlay_.backgroundFile);
    ShowColorImages(gameInPlay_.colorIcons);
}

void TAdminForm::ShowColorImages(const std::array<int, 5>& icons)
{
    for (int i = 0; i < 5; ++i)
        ColorImages[i]->setPixmap(Icon(icons[i]));
}

void TAdminForm::CopyGame(const QString& oldName, const QString& newName)
{
    IniFile ini(settingsPath_);
    const QString target = GameSections::SectionOf(newName);
    for (const QString& entry : ini.SectionEntries(GameSections::SectionOf(oldName))) {
        const qsizetype equals = entry.indexOf('=');
        ini.WriteString(target, entry.left(equals), entry.mid(equals + 1));
    }
    ini.WriteString(target, "date", gameInPlay_.gameDate);
}

void TAdminForm::EraseGame(const QString& name)
{
    IniFile(settingsPath_).EraseSection(GameSections::SectionOf(name));
}

void TAdminForm::MotivListBoxClick()
{
    const QString entry = SelectedEntry();
    if (DialogMode == Save || entry.isEmpty())
        return;
    MotivLabel->setText(entry);
    if (ChangeNamePanel->isVisibleTo(this))
        NewNameEdit->setText(entry);
    ShowGamePreview(entry);
}

void TAdminForm::OkButtonClick()
{
    ChosenGame = MotivLabel->text();
    done(OK);
}

void TAdminForm::EditToolButtonClick()
{
    if (MotivListBox->count() > 0)
        SetDialogMode(Change);
}

void TAdminForm::CancelChangeButtonClick()
{
    SetDialogMode(Load);
}

void TAdminForm::DoubleToolButtonClick()
{
    const QString entry = SelectedEntry();
    if (entry.isEmpty())
        return;
    const QString copy = MappedName(entry) + Text::CopySuffix;
    CopyGame(MappedName(entry), copy);
    ChosenGame = copy;
    FillGameList();
}

void TAdminForm::EraseToolButtonClick()
{
    const QString entry = SelectedEntry();
    if (entry.isEmpty() || !dialogs_.AskWarning(this, Text::EraseQuestion.arg(entry)))
        return;
    EraseGame(MappedName(entry));
    FillGameList();
}

void TAdminForm::OkayChangeButtonClick()
{
    const QString entry = SelectedEntry();
    const QString newName = GameSections::Trimmed(NewNameEdit->text());
    if (entry.isEmpty() || newName.isEmpty())
        return;
    if (FindEntry(newName) >= 0) {
        dialogs_.ShowWarning(this, Text::NameExists.arg(newName));
        return;
    }
    const QString oldName = MappedName(entry);
    CopyGame(oldName, newName);
    // Names that differ in letter case only share one section: the copy
    // went into the old game itself.
    if (AsciiLower(newName) != AsciiLower(oldName))
        EraseGame(oldName);
    ChosenGame = newName;
    FillGameList();
    SetDialogMode(Load);
}

void TAdminForm::OkaySaveButtonClick()
{
    const QString name = GameSections::Trimmed(SaveNameEdit->text());
    SaveNameEdit->setText(name);
    // The game in play is saved over without a question; any other stored
    // game only when the player agrees.
    const bool overwrite = AsciiLower(ChosenGame) != AsciiLower(name) && FindEntry(name) >= 0;
    done(overwrite && !dialogs_.AskWarning(this, Text::OverwriteQuestion.arg(name)) ? No : OK);
}
