#include "chooser.h"

#include "artwork.h"
#include "chooserpreview.h"
#include "errorreport.h"
#include "formwidgets.h"
#include "gamelibrary.h"
#include "gamesections.h"
#include "userdialogs.h"
#include "windowkit.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

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

// The list shows "(Standard)" for the game with the empty name.
QString GameNameOf(const QString& entry)
{
    return entry == GameSections::StandardName ? QString() : entry;
}

// Whether two typed names are spelled alike but for the letters A to Z.
bool SameButAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x != y && !(x < 128 && y < 128 && QChar::toLower(x) == QChar::toLower(y)))
            return false;
    }
    return true;
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

// A panel above the list that asks for a name: an explanation, the name's
// caption and edit field, and the button that takes the name beside
// "Abbrechen".
struct NamePanel {
    QWidget* panel;
    QLineEdit* edit;
    QPushButton* confirmButton;
    QPushButton* cancelButton;
};

struct NamePanelNames {
    const char* panel;
    const char* edit;
    const char* confirmButton;
    const char* cancelButton;
};

NamePanel MakeNamePanel(QWidget* parent, const NamePanelNames& names, const QString& explanation,
                        const QString& caption, int captionWidth, const QString& confirmCaption)
{
    QWidget* panel = Panel(parent, names.panel, 114);
    Explanation(panel, explanation);
    Label(panel, caption, {6, 64, captionWidth, 13}, true);
    // The edit field takes the rest of the line after its caption.
    const int editLeft = 8 + captionWidth;
    return {panel, Edit(panel, names.edit, {editLeft, 60, 220 - editLeft, 21}),
            Button(panel, names.confirmButton, confirmCaption, {6, 86, 106, 25}),
            Button(panel, names.cancelButton, "Abbrechen", {124, 86, 96, 25})};
}

} // namespace

Chooser::Chooser(GameLibrary& library, const Clock& clock, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), library_(library), clock_(clock), dialogs_(dialogs)
{
    setObjectName("AdminForm");
    setWindowTitle("Ein Plimmerlo-Spiel Auswählen");
    setWindowFlags(DialogFlags());
    setFixedSize(456, 360);
    UseDesignLook(*this);
    CreateControls();
}

Chooser::~Chooser() = default;

void Chooser::CreateControls()
{
    gamesBox_ = BoldGroupBox(this, "GroupBox1", "Motive", {0, 0, 238, 360});
    auto* previewSide = new QWidget(this);
    previewSide->setObjectName("OpenPanel");
    previewSide->setGeometry(238, 0, 218, 360);
    for (QWidget* side : {static_cast<QWidget*>(gamesBox_), previewSide}) {
        side->setAutoFillBackground(true);
        SetColor(side, QPalette::Window, Silver);
    }

    gameList_ = new QListWidget(gamesBox_);
    gameList_->setObjectName("MotivListBox");
    QFont listFont = font();
    listFont.setPixelSize(13);
    listFont.setBold(true);
    gameList_->setFont(listFont);
    SetColor(gameList_, QPalette::Text, QColor(217, 0, 0));
    gameList_->setItemDelegate(new RowDelegate(gameList_));
    gameList_->addItem(GameSections::StandardName);

    // The mode panels above and below the list take their room from it.
    auto* column = new QVBoxLayout(gamesBox_);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(2);
    column->addWidget(CreateSavePanel());
    column->addWidget(CreateRenamePanel());
    column->addWidget(gameList_, 1);
    column->addWidget(CreateToolPanel());

    preview_ = std::make_unique<ChooserPreview>(previewSide);
    loadButtons_ = new QWidget(previewSide);
    loadButtons_->setObjectName("OptionCommandPanel");
    loadButtons_->setGeometry(0, 192, 218, 38);
    cancelLoadButton_ = Button(loadButtons_, "CancelButton", "Abbrechen", {8, 7, 96, 25});
    QPushButton* chooseButton = Button(loadButtons_, "OkButton", "Auswählen", {114, 7, 96, 25});

    connect(gameList_, &QListWidget::itemSelectionChanged, this,
            [this] { RunTellingErrors([this] { ShowSelectedGame(); }); });
    // A click on the entry already selected shows it again: after a rename
    // the preview may still name the game as it was, and a new name half
    // typed goes back to the entry's.
    connect(gameList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item->text() != preview_->Motive())
            RunTellingErrors([this] { ShowSelectedGame(); });
        else if (mode_ == ChooserMode::Change)
            newNameEdit_->setText(item->text());
    });
    connect(cancelLoadButton_, &QPushButton::clicked, this, &QDialog::reject);
    RunOnClick(chooseButton, &Chooser::ChooseGame);
}

QWidget* Chooser::CreateSavePanel()
{
    const NamePanel save =
        MakeNamePanel(gamesBox_, {"SaveGamePanel", "SaveNameEdit", "OkaySaveButton", "CncelSaveButton"},
                      Text::SaveExplanation, "Spielname:", 64, "Spiel Speichern");
    savePanel_ = save.panel;
    saveNameEdit_ = save.edit;
    cancelSaveButton_ = save.cancelButton;
    RunOnClick(save.confirmButton, &Chooser::ConfirmSaveName);
    connect(cancelSaveButton_, &QPushButton::clicked, this, [this] {
        RunTellingErrors([this] { ReturnToLoading(); });
        done(Abort);
    });
    return savePanel_;
}

QWidget* Chooser::CreateRenamePanel()
{
    const NamePanel rename =
        MakeNamePanel(gamesBox_, {"ChangeNamePanel", "NewNameEdit", "OkayChangeButton", "CancelChangeButton"},
                      Text::ChangeExplanation, "Neuer Name:", 70, "Name Ändern");
    renamePanel_ = rename.panel;
    newNameEdit_ = rename.edit;
    RunOnClick(rename.confirmButton, &Chooser::RenameSelectedGame);
    RunOnClick(rename.cancelButton, &Chooser::ReturnToLoading);
    return renamePanel_;
}

QWidget* Chooser::CreateToolPanel()
{
    toolPanel_ = Panel(gamesBox_, "MotiveComandPanel", 26);
    auto* toolBar = new QToolBar(toolPanel_);
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
        QAction* action = toolBar->addAction(ArtworkIcon(button.icon), QString::fromUtf8(button.hint));
        action->setObjectName(button.name);
        toolBar->widgetForAction(action)->setObjectName(button.name);
        connect(action, &QAction::triggered, this,
                [this, handler = button.handler] { RunTellingErrors([=, this] { (this->*handler)(); }); });
    }
    return toolPanel_;
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

void Chooser::RunOnClick(QPushButton* button, void (Chooser::*command)())
{
    connect(button, &QPushButton::clicked, this,
            [this, command] { RunTellingErrors([this, command] { (this->*command)(); }); });
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
            cancelLoadButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Chooser::FillOnOpening()
{
    SetMode(mode_);
    preview_->ShowMotive(chosenGame_);
    FillGameList();
}

void Chooser::SetMode(ChooserMode mode)
{
    mode_ = mode;
    const bool save = mode_ == ChooserMode::Save;
    const bool rename = mode_ == ChooserMode::Change;
    savePanel_->setVisible(save);
    renamePanel_->setVisible(rename);
    toolPanel_->setVisible(!save && !rename);
    loadButtons_->setVisible(!save && !rename);
    if (save) {
        setWindowTitle(Text::SaveCaption);
        OfferName(saveNameEdit_, chosenGame_);
        ShowGameInPlay();
    } else if (rename) {
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
            {
                const QSignalBlocker quiet(gameList_);
                gameList_->clear();
            }
            preview_->Clear();
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
    ShowStoredGame(chosenGame_);
}

int Chooser::RowOf(const QString& name) const
{
    for (int row = 0; row < gameList_->count(); ++row)
        if (GameSections::SameText(gameList_->item(row)->text(), name))
            return row;
    return -1;
}

QString Chooser::SelectedEntry() const
{
    const QList<QListWidgetItem*> selected = gameList_->selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

void Chooser::ShowStoredGame(const QString& entry)
{
    preview_->ShowStoredGame(library_.Preview(GameNameOf(entry)));
}

void Chooser::ShowGameInPlay()
{
    preview_->ShowGameInPlay(gameInPlay_, GameLibrary::DateText(clock_));
}

void Chooser::ShowSelectedGame()
{
    const QString entry = SelectedEntry();
    if (mode_ == ChooserMode::Save || entry.isEmpty())
        return;
    preview_->ShowMotive(entry);
    if (renamePanel_->isVisibleTo(this))
        newNameEdit_->setText(entry);
    ShowStoredGame(entry);
}

void Chooser::ChooseGame()
{
    chosenGame_ = preview_->Motive();
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
    // The name offered, spelled as offered, saves over the game in play
    // without a question. Any other name that the list holds asks first,
    // "(Standard)" while the standard game's empty name is offered too.
    const bool offered = SameButAsciiCase(chosenGame_, name) && GameSections::SameName(chosenGame_, name);
    const bool overwrite = !offered && RowOf(name) >= 0;
    done(overwrite && !dialogs_.AskWarning(this, Text::OverwriteQuestion.arg(name)) ? No : OK);
}
