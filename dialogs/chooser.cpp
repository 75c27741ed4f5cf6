#include "chooser.h"

#include "clock.h"
#include "errorreport.h"
#include "picturepath.h"
#include "formwidgets.h"
#include "gamelibrary.h"
#include "gamesections.h"
#include "icon.h"
#include "pictureloader.h"
#include "thumbnailcache.h"
#include "userdialogs.h"
#include "windowkit.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using namespace FormWidgets;
using namespace WindowKit;

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
const auto CopySuffix = QStringLiteral("-Kopie");
const auto NoGames = QStringLiteral("Es gibt hier noch keine Spiele!");
const auto EraseQuestion = QStringLiteral("Soll das Spiel\n\"%1\"\nwirklich gelöscht werden?.");
const auto NameExists = QStringLiteral("Den Namen\n\"%1\"\ngibt es schon.");
const auto OverwriteQuestion =
    QStringLiteral("Es gibt schon ein Spiel unter dem Namen\n\"%1\"\nMöchtest du das alte Spiel überschreiben?");
} // namespace Text

const QColor Silver(192, 192, 192);

// The chooser speaks German whatever the desktop's language.
const QLocale German(QLocale::German, QLocale::Germany);

// The list shows "(Standard)" for the game with the empty name.
QString GameNameOf(const QString& entry)
{
    return entry == GameSections::StandardName ? QString() : entry;
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

QLabel* Explanation(QWidget* parent, const QString& text)
{
    QLabel* label = Label(parent, text, {6, 4, 214, 54});
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

Chooser::Chooser(GameLibrary& library, const Clock& clock, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), library_(library), clock_(clock), dialogs_(dialogs)
{
    setObjectName("AdminForm");
    setWindowTitle("Ein Plimmerlo-Spiel Auswählen");
    setWindowFlags(DialogFlags());
    setFixedSize(456, 360);
    CreateControls();
}

void Chooser::CreateControls()
{
    motiveBox_ = BoldGroupBox(this, "GroupBox1", "Motive", {0, 0, 238, 360});
    auto* openPanel = new QWidget(this);
    openPanel->setObjectName("OpenPanel");
    openPanel->setGeometry(238, 0, 218, 360);
    for (QWidget* part : {static_cast<QWidget*>(motiveBox_), openPanel}) {
        part->setAutoFillBackground(true);
        SetColor(part, QPalette::Window, Silver);
    }

    gameList_ = new QListWidget(motiveBox_);
    gameList_->setObjectName("MotivListBox");
    QFont listFont = font();
    listFont.setPixelSize(13);
    listFont.setBold(true);
    gameList_->setFont(listFont);
    SetColor(gameList_, QPalette::Text, QColor(217, 0, 0));
    gameList_->setItemDelegate(new RowDelegate(gameList_));
    gameList_->addItem(GameSections::StandardName);

    // The mode panels above and below the list take their room from it.
    auto* column = new QVBoxLayout(motiveBox_);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(2);
    column->addWidget(CreateSavePanel());
    column->addWidget(CreateChangePanel());
    column->addWidget(gameList_, 1);
    column->addWidget(CreateCommandPanel());

    QGroupBox* previewBox = BoldGroupBox(openPanel, "PreviewGroupBox", "Vorschau", {4, 0, 210, 192});
    // The picture may reach beyond the client area (a square one is as
    // tall as the box is wide); this keeps it off the box's frame.
    auto* previewArea = new QWidget(previewBox);
    previewArea->setGeometry(previewBox->contentsRect());
    previewImage_ = new QLabel(previewArea);
    previewImage_->setObjectName("PreviewImage");
    previewImage_->setScaledContents(true);
    previewImage_->setGeometry(previewArea->rect());

    optionPanel_ = new QWidget(openPanel);
    optionPanel_->setObjectName("OptionCommandPanel");
    optionPanel_->setGeometry(0, 192, 218, 38);
    cancelButton_ = Button(optionPanel_, "CancelButton", "Abbrechen", {8, 7, 96, 25});
    QPushButton* chooseButton = Button(optionPanel_, "OkButton", "Auswählen", {114, 7, 96, 25});

    CreateSettingsBox(openPanel);

    connect(gameList_, &QListWidget::itemSelectionChanged, this,
            [this] { RunTellingErrors([this] { ShowSelectedGame(); }); });
    // A click on the entry already selected shows it again: after a rename
    // motivLabel_ may still name the game as it was.
    connect(gameList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item->text() != motivLabel_->text())
            RunTellingErrors([this] { ShowSelectedGame(); });
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(chooseButton, &QPushButton::clicked, this, [this] { RunTellingErrors([this] { ChooseGame(); }); });
}

QWidget* Chooser::CreateSavePanel()
{
    savePanel_ = Panel(motiveBox_, "SaveGamePanel", 114);
    Explanation(savePanel_, Text::SaveExplanation);
    Label(savePanel_, "Spielname:", {6, 64, 64, 13}, true);
    saveNameEdit_ = Edit(savePanel_, "SaveNameEdit", {72, 60, 148, 21});
    QPushButton* saveButton = Button(savePanel_, "OkaySaveButton", "Spiel Speichern", {6, 86, 106, 25});
    cancelSaveButton_ = Button(savePanel_, "CncelSaveButton", "Abbrechen", {124, 86, 96, 25});
    connect(saveButton, &QPushButton::clicked, this, [this] { RunTellingErrors([this] { ConfirmSaveName(); }); });
    connect(cancelSaveButton_, &QPushButton::clicked, this, [this] {
        RunTellingErrors([this] { ReturnToLoading(); });
        done(Abort);
    });
    return savePanel_;
}

QWidget* Chooser::CreateChangePanel()
{
    changePanel_ = Panel(motiveBox_, "ChangeNamePanel", 114);
    Explanation(changePanel_, Text::ChangeExplanation);
    Label(changePanel_, "Neuer Name:", {6, 64, 70, 13}, true);
    newNameEdit_ = Edit(changePanel_, "NewNameEdit", {78, 60, 142, 21});
    auto* renameButton = Button(changePanel_, "OkayChangeButton", "Name Ändern", {6, 86, 106, 25});
    auto* cancelRenameButton = Button(changePanel_, "CancelChangeButton", "Abbrechen", {124, 86, 96, 25});
    connect(renameButton, &QPushButton::clicked, this, [this] { RunTellingErrors([this] { RenameSelectedGame(); }); });
    connect(cancelRenameButton, &QPushButton::clicked, this, [this] { RunTellingErrors([this] { ReturnToLoading(); }); });
    return changePanel_;
}

QWidget* Chooser::CreateCommandPanel()
{
    commandPanel_ = Panel(motiveBox_, "MotiveComandPanel", 26);
    auto* toolBar = new QToolBar(commandPanel_);
    toolBar->setObjectName("ChangeToolBar");
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setGeometry(0, 1, 100, 24);
    const struct {
        const char* name;
        const char* hint;
        const char* icon;
        void (Chooser::*handler)();
    } buttons[] = {
        {"DoubleToolButton", "Spiel Kopieren", ":/icons/copygame.png", &Chooser::CopySelectedGame},
        {"EraseToolButton", "Spiel Löschen", ":/icons/erasegame.png", &Chooser::EraseSelectedGame},
        {"EditToolButton", "Spielname Ändern", ":/icons/renamegame.png", &Chooser::StartRenaming},
    };
    for (const auto& button : buttons) {
        QAction* action = toolBar->addAction(QIcon(button.icon), QString::fromUtf8(button.hint));
        action->setObjectName(button.name);
        toolBar->widgetForAction(action)->setObjectName(button.name);
        connect(action, &QAction::triggered, this,
                [this, handler = button.handler] { RunTellingErrors([=, this] { (this->*handler)(); }); });
    }
    return commandPanel_;
}

void Chooser::CreateSettingsBox(QWidget* parent)
{
    QGroupBox* settingsBox = BoldGroupBox(parent, "GroupBox2", "Einstellungen", {4, 230, 210, 128});
    Label(settingsBox, "Aktuelles Motiv:", {8, 20, 80, 13});
    motivLabel_ = Label(settingsBox, {}, {90, 20, 114, 13}, true, QColor(0, 128, 0), "MotivLabel");
    dateLabel_ = Label(settingsBox, {}, {104, 4, 100, 13}, true, QColor(128, 128, 128), "DateLabel");
    dateLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label(settingsBox, "Grafik:", {8, 38, 40, 13});
    pictureLabel_ = Label(settingsBox, {}, {50, 38, 154, 13}, true, QColor(0, 0, 128), "GrafikNameLabel");
    Label(settingsBox, "Steinchenraster", {8, 58, 100, 13}, true);
    Label(settingsBox, "Zeilen:", {8, 74, 40, 13});
    rowsLabel_ = Label(settingsBox, "0", {50, 74, 30, 13}, true, QColor(128, 0, 0), "RowsLabel");
    Label(settingsBox, "Spalten:", {96, 74, 44, 13});
    colsLabel_ = Label(settingsBox, "0", {142, 74, 30, 13}, true, QColor(128, 0, 0), "ColsLabel");
    Label(settingsBox, "Farben:", {8, 90, 40, 13});
    colorsLabel_ = Label(settingsBox, "0", {50, 90, 30, 13}, true, QColor(128, 0, 128), "ColorsLabel");
    for (int slot = 0; slot < ColorSelection::Count; ++slot) {
        colorImages_[slot] = new QLabel(settingsBox);
        colorImages_[slot]->setObjectName(QString("Image%1").arg(slot + 1));
        colorImages_[slot]->setGeometry(8 + 20 * slot, 106, 16, 16);
    }
    ShowColorImages({});
}

void Chooser::Prepare(ChooserMode mode, const QString& chosenGame, const GameInPlay& game)
{
    mode_ = mode;
    chosenGame_ = chosenGame;
    gameInPlay_ = game;
    changes_.clear();
}

QString Chooser::SaveName() const
{
    return saveNameEdit_->text();
}

void Chooser::RunTellingErrors(const std::function<void()>& command)
{
    RunReportingErrors(dialogs_, this, command);
}

void Chooser::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CenterOnScreen(*this, parentWidget());
    // The opening runs once the dialog is up, so a message box of it
    // appears over the dialog and not before it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            RunTellingErrors([this] { FillOnOpening(); });
    });
}

void Chooser::keyPressEvent(QKeyEvent* event)
{
    // Escape presses the "Abbrechen" that is shown; while renaming none is,
    // and the dialog stays.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (mode_ == ChooserMode::Save)
            cancelSaveButton_->click();
        else if (mode_ != ChooserMode::Change)
            cancelButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Chooser::FillOnOpening()
{
    SetMode(mode_);
    motivLabel_->setText(chosenGame_);
    FillGameList();
}

void Chooser::SetMode(ChooserMode mode)
{
    mode_ = mode;
    const bool save = mode_ == ChooserMode::Save;
    const bool change = mode_ == ChooserMode::Change;
    savePanel_->setVisible(save);
    changePanel_->setVisible(change);
    commandPanel_->setVisible(!save && !change);
    optionPanel_->setVisible(!save && !change);
    if (save) {
        setWindowTitle(Text::SaveCaption);
        OfferName(saveNameEdit_, chosenGame_);
        ShowCurrentSettings();
    } else if (change) {
        setWindowTitle(Text::ChangeCaption);
        OfferName(newNameEdit_, GameNameOf(SelectedEntry()));
    } else {
        setWindowTitle(Text::LoadCaption);
        gameList_->setFocus();
    }
}

void Chooser::OfferName(QLineEdit* edit, const QString& name)
{
    edit->setText(name);
    edit->selectAll();
    edit->setFocus();
}

void Chooser::FillGameList()
{
    const std::optional<QStringList> names = library_.GameNames();
    if (!names) {
        // While saving, the list just keeps what it showed.
        if (mode_ != ChooserMode::Save) {
            ClearPreview();
            dialogs_.ShowError(this, Text::NoGames, "Abbrechen");
        }
        return;
    }
    const QSignalBlocker quiet(gameList_);
    gameList_->clear();
    gameList_->addItems(*names);
    if (mode_ == ChooserMode::Save)
        return;
    gameList_->setFocus();
    if (chosenGame_.isEmpty() && !names->isEmpty())
        chosenGame_ = names->constFirst();
    const int row = RowOf(chosenGame_);
    if (row < 0)
        return;
    gameList_->setCurrentRow(row);
    ShowGamePreview(chosenGame_);
}

int Chooser::RowOf(const QString& name) const
{
    for (int row = 0; row < gameList_->count(); ++row)
        if (GameSections::SameName(gameList_->item(row)->text(), name))
            return row;
    return -1;
}

QString Chooser::SelectedEntry() const
{
    const QList<QListWidgetItem*> selected = gameList_->selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

void Chooser::ShowGamePreview(const QString& name)
{
    const GamePreview preview = library_.Preview(GameNameOf(name));
    pictureLabel_->setText(ShortPath(preview.picture));
    rowsLabel_->setText(preview.rows);
    colsLabel_->setText(preview.cols);
    dateLabel_->setText(preview.date);
    LoadPreviewPicture(preview.picture);
    ShowColorImages(preview.colors);
    colorsLabel_->setText(QString::number(preview.colors.SelectedCount()));
}

void Chooser::LoadPreviewPicture(const QString& path)
{
    const QString found = FindPicture(path);
    const QSize area = previewImage_->parentWidget()->size();
    QImage picture;
    if (!found.isEmpty()) {
        try {
            // From the desktop's thumbnails, or decoded only as large as the
            // preview needs: a camera's photo would take a tenth of a second
            // in full, at every click.
            picture = ThumbnailCache::Desktop().Preview(found, area);
        } catch (const PictureError&) {
            // A preview only: a picture that cannot be read shows as missing.
        }
    }
    if (picture.isNull())
        picture = QImage(IconResource(Icon::BlackSquare));

    previewImage_->setGeometry(QRect(QPoint(0, 0), PreviewSize(picture.size(), area)));
    previewImage_->setPixmap(QPixmap::fromImage(picture));
}

void Chooser::ClearPreview()
{
    {
        const QSignalBlocker quiet(gameList_);
        gameList_->clear();
    }
    motivLabel_->clear();
    colorsLabel_->setText("0");
    rowsLabel_->setText("0");
    colsLabel_->setText("0");
    dateLabel_->clear();
    pictureLabel_->clear();
    ShowColorImages({});
}

void Chooser::ShowCurrentSettings()
{
    const Arrangement& arrangement = gameInPlay_.arrangement;
    motivLabel_->setText(gameInPlay_.name);
    colorsLabel_->setText(QString::number(arrangement.colors.SelectedCount()));
    rowsLabel_->setText(QString::number(arrangement.rows));
    colsLabel_->setText(QString::number(arrangement.cols));
    const Clock::LocalTime now = clock_.LocalNow();
    dateLabel_->setText(German.toString(QDate(now.year, now.month, now.day), QLocale::ShortFormat));
    pictureLabel_->setText(BareFileName(arrangement.picture));
    if (QFileInfo(arrangement.picture).isFile())
        LoadPreviewPicture(arrangement.picture);
    ShowColorImages(arrangement.colors);
}

void Chooser::ShowColorImages(const ColorSelection& colors)
{
    for (int code = 1; code <= ColorSelection::Count; ++code)
        colorImages_[code - 1]->setPixmap(QPixmap(IconResource(ColorIcon(code, colors.Has(code)))));
}

void Chooser::ShowSelectedGame()
{
    const QString entry = SelectedEntry();
    if (mode_ == ChooserMode::Save || entry.isEmpty())
        return;
    motivLabel_->setText(entry);
    if (changePanel_->isVisibleTo(this))
        newNameEdit_->setText(entry);
    ShowGamePreview(entry);
}

void Chooser::ChooseGame()
{
    chosenGame_ = motivLabel_->text();
    done(OK);
}

void Chooser::StartRenaming()
{
    if (gameList_->count() > 0)
        SetMode(ChooserMode::Change);
}

void Chooser::ReturnToLoading()
{
    SetMode(ChooserMode::Load);
}

void Chooser::CopySelectedGame()
{
    const QString entry = SelectedEntry();
    if (entry.isEmpty())
        return;
    const QString copy = GameNameOf(entry) + Text::CopySuffix;
    library_.CopyGame(GameNameOf(entry), copy, gameInPlay_.arrangement.date);
    chosenGame_ = copy;
    FillGameList();
}

void Chooser::EraseSelectedGame()
{
    const QString entry = SelectedEntry();
    if (entry.isEmpty() || !dialogs_.AskWarning(this, Text::EraseQuestion.arg(entry)))
        return;
    library_.EraseGame(GameNameOf(entry));
    changes_.push_back({GameNameOf(entry), std::nullopt});
    FillGameList();
}

void Chooser::RenameSelectedGame()
{
    const QString entry = SelectedEntry();
    const QString newName = GameSections::Trimmed(newNameEdit_->text());
    if (entry.isEmpty() || newName.isEmpty())
        return;
    if (RowOf(newName) >= 0) {
        dialogs_.ShowWarning(this, Text::NameExists.arg(newName));
        return;
    }
    library_.RenameGame(GameNameOf(entry), newName, gameInPlay_.arrangement.date);
    changes_.push_back({GameNameOf(entry), GameNameOf(newName)});
    chosenGame_ = newName;
    FillGameList();
    SetMode(ChooserMode::Load);
}

void Chooser::ConfirmSaveName()
{
    const QString name = GameSections::Trimmed(saveNameEdit_->text());
    saveNameEdit_->setText(name);
    // A blank name saves nothing, so there is nothing to overwrite; the
    // standard game's empty name must not be taken for it.
    if (name.isEmpty()) {
        done(OK);
        return;
    }
    // A name that cannot be stored is told here, while it can still be changed.
    GameLibrary::CheckName(name);
    // The game in play is saved over without a question; any other stored
    // game only when the player agrees.
    const bool overwrite = !GameSections::SameName(chosenGame_, name) && RowOf(name) >= 0;
    done(overwrite && !dialogs_.AskWarning(this, Text::OverwriteQuestion.arg(name)) ? No : OK);
}
