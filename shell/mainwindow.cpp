#include "mainwindow.h"

#include "chooser.h"
#include "colormenu.h"
#include "creditswindow.h"
#include "errorreport.h"
#include "gamesections.h"
#include "infowindow.h"
#include "inputrouter.h"
#include "keycodes.h"
#include "pictureloader.h"
#include "pictureroom.h"
#include "playfield.h"
#include "rowscolumnsdialog.h"
#include "ruleswindow.h"
#include "statusbar.h"
#include "texts.h"
#include "userdialogs.h"
#include "webaddresses.h"
#include "weblinks.h"
#include "windowkit.h"

#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <optional>

namespace {

const QString MainCaption = QStringLiteral("Grumbeck: Plimmerlo");

Qt::ArrowType ArrowOf(int key)
{
    switch (key) {
    case KeyCodes::Left: return Qt::LeftArrow;
    case KeyCodes::Up: return Qt::UpArrow;
    case KeyCodes::Right: return Qt::RightArrow;
    case KeyCodes::Down: return Qt::DownArrow;
    default: return Qt::NoArrow;
    }
}

} // namespace

MainWindow::MainWindow(const Environment& environment, QWidget* parent)
    : QMainWindow(parent), environment_(environment), dialogs_(environment.dialogs),
      library_(environment.settingsPath, environment.clock), game_(environment.clock),
      windows_(*this, library_, environment.clock, dialogs_,
               [this](QWidget* over, const QString& address) { OpenDocument(environment_.desktop, dialogs_, over, address); })
{
    setObjectName("MainForm");
    setWindowTitle(MainCaption);
    // A fixed border with minimise and close, but no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(true);

    playField_ = new PlayField(this);
    setCentralWidget(playField_);
    colorMenu_ = new ColorMenu(this);
    commands_ = std::make_unique<CommandTable>(*this, colorMenu_, CommandHandlers());
    input_ = std::make_unique<InputRouter>(*this, *commands_);
    messagePanel_ = CreateStatusBar(*this);
    ConnectCommands();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // Fixed from the start: a window manager draws a window that cannot be
    // resized with a thinner border, and tells the picture's room by it.
    layout()->activate();
}

MainWindow::~MainWindow() = default;

CommandTable::Handlers MainWindow::CommandHandlers()
{
    const CommandTable::Handlers handlers = {
        {Command::StartNewGame, [this] { NewGame(); }},
        {Command::UndoMove, [this] { ShowTurn(game_.Undo()); }},
        {Command::ChooseGame, [this] { ChooseGame(); }},
        {Command::PlayRandomGame, [this] { PlayRandomGame(); }},
        {Command::Close, [this] { close(); }},
        {Command::ChooseSize, [this] { ChooseSize(); }},
        {Command::ChooseBackground, [this] { ChooseBackground(); }},
        {Command::ToggleGrid, [this] { ToggleGrid(); }},
        {Command::SaveGame, [this] { SaveGame(); }},
        {Command::RestoreGame, [this] { LoadStoredGame(); }},
        {Command::ShowRules, [this] { windows_.Rules().ShowInFront(); }},
        {Command::ShowInfo, [this] { dialogs_.RunModal(windows_.Info()); }},
        {Command::OpenHomePage, [this] { OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::HomePage); }},
        {Command::OpenGamePage, [this] { OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::GamePage); }},
        {Command::OpenGamesPage, [this] { OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::GamesPage); }},
        {Command::ShowCredits, [this] { windows_.Credits().ShowInFront(); }},
    };
    // Every command reports its errors and the program goes on.
    CommandTable::Handlers guarded;
    for (const auto& [command, handler] : handlers)
        guarded.push_back({command, [this, handler] { Run(handler); }});
    return guarded;
}

void MainWindow::ConnectCommands()
{
    connect(colorMenu_, &ColorMenu::toggled, this, [this](int code) { Run([=, this] { ToggleColor(code); }); });
    connect(playField_, &PlayField::cellPressed, this, [this](int col, int row) { Run([=, this] { Click(col, row); }); });
    connect(input_.get(), &InputRouter::pressed, this, &MainWindow::KeyDown);
    connect(input_.get(), &InputRouter::released, this, &MainWindow::KeyUp);
    // A picture dropped on the window is taken as if chosen with the picture command.
    connect(input_.get(), &InputRouter::dropped, this, [this](const QString& path) {
        Run([=, this] {
            UsePicture(path);
            NewGame();
        });
    });
}

void MainWindow::Run(const std::function<void()>& command)
{
    RunReportingErrors(dialogs_, this, command);
}

void MainWindow::Start(const QString& picture)
{
    // The defaults, and no name, so that the reading takes the game recorded.
    current_ = {};
    ReadSettings();
    // A picture the program was opened with is played on, not stored, until
    // the player saves, and the stored game's picture is not loaded at all;
    // one it cannot show is told, and the game is as stored.
    bool shown = false;
    if (!picture.isEmpty())
        Run([&] {
            UsePicture(picture);
            shown = true;
        });
    if (!shown)
        LoadBackgroundOrBlack();
    NewGame();
}

void MainWindow::SetMessage(const QString& text)
{
    messagePanel_->setText(text);
}

void MainWindow::NewGame()
{
    playField_->SetBusy(true);
    ColorSelection& colors = current_.arrangement.colors;
    if (colors.SelectedCount() == 0)
        colors = StartColors;
    game_.SetColors(colors);
    game_.SetDimensions(current_.arrangement.cols, current_.arrangement.rows);
    colorMenu_->Show(colors);
    playField_->LayoutField(game_.ColCount(), game_.RowCount());
    // Seen while the shuffle and the first painting hold the program up.
    SetMessage(QString::fromStdString(Texts::Shuffling));
    messagePanel_->repaint();
    ShowTurn(game_.NewGame(current_.name.toStdString()));
}

void MainWindow::ShowTurn(const Turn& turn)
{
    playField_->SetBusy(true);
    playField_->Paint(game_.Board());
    playField_->SetBusy(false);
    if (turn.ending)
        playField_->ShowEndMessage(*turn.ending);
    if (!turn.message.empty())
        SetMessage(QString::fromStdString(turn.message));
}

void MainWindow::Click(int col, int row)
{
    if (game_.GameOver() && dialogs_.Confirm(this, QString::fromStdString(Texts::PlayAgainQuestion))) {
        NewGame();
        return;
    }
    ShowTurn(game_.Click(col, row));
}

void MainWindow::ToggleColor(int code)
{
    ColorSelection& colors = current_.arrangement.colors;
    colors.Set(code, !colors.Has(code));
    NewGame();
}

void MainWindow::KeyDown(int key)
{
    SetMessage(QString::number(key));
    playField_->NudgeField(ArrowOf(key));
}

void MainWindow::KeyUp(int key)
{
    // The empty cells now lie over another piece of the picture.
    if (ArrowOf(key) != Qt::NoArrow)
        playField_->Paint(game_.Board());
}

void MainWindow::LoadBackground()
{
    const StoredPicture stored = FindStoredPicture(current_.arrangement.picture);
    current_.arrangement.picture = stored.name;
    // Asked of the window manager once: it answers in a round trip.
    const QSize room = PictureRoom(*this);
    ShowPicture(LoadBackgroundPicture(stored, room * playField_->DevicePixelsAPoint()), room);
}

void MainWindow::ShowPicture(QImage picture, QSize room)
{
    playField_->SetPicture(std::move(picture), room);
    layout()->activate();
    if (isVisible())
        CenterOnScreen();
}

void MainWindow::LoadBackgroundOrBlack()
{
    try {
        LoadBackground();
    } catch (const PictureError& error) {
        // The stored arrangement is in force already, so the game is dealt
        // on the black picture of a missing file rather than not at all. The
        // name stays, so a save keeps the player's picture.
        dialogs_.ShowError(this, QString::fromUtf8(error.what()));
        ShowPicture(MissingPicture(), PictureRoom(*this));
    }
}

void MainWindow::CenterOnScreen()
{
    WindowKit::CenterOnScreen(*this);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!centred_) {
        centred_ = true;
        CenterOnScreen();
        // The game starts in front, ready for the child's first click, also
        // where no window manager hands it the focus.
        activateWindow();
    }
}

void MainWindow::ChooseBackground()
{
    const PictureOrder shown = library_.ReadPictureOrder();
    PictureOrder order = shown;
    const QString chosen = dialogs_.ChoosePicture(this, current_.arrangement.picture, order);
    if (!chosen.isEmpty()) {
        UsePicture(chosen);
        NewGame();
    }
    // Last: a settings file that cannot be written takes nothing else from
    // the command.
    if (order != shown)
        library_.WritePictureOrder(order);
}

void MainWindow::UsePicture(const QString& path)
{
    // The player named this very file: unlike a stored game's picture it is
    // not looked for elsewhere, and a black stand-in would hide the mistake.
    if (!QFileInfo(path).isFile())
        throw UnreadablePicture(path);
    QString& picture = current_.arrangement.picture;
    const QString previous = picture;
    picture = path;
    try {
        LoadBackground();
    } catch (...) {
        // The game goes on with the picture it shows, so that is the one a
        // save must record.
        picture = previous;
        throw;
    }
}

void MainWindow::ToggleGrid()
{
    // The action has already turned its check mark over.
    current_.arrangement.grid = commands_->Action(Command::ToggleGrid)->isChecked();
    ApplyGrid();
    NewGame();
}

void MainWindow::ApplyGrid()
{
    commands_->Action(Command::ToggleGrid)->setChecked(current_.arrangement.grid);
    playField_->SetShowGrid(current_.arrangement.grid);
}

void MainWindow::ChooseSize()
{
    windows_.SizeDialog().SetPositions(current_.arrangement.cols, current_.arrangement.rows);
    if (dialogs_.RunModal(windows_.SizeDialog()) != QDialog::Accepted)
        return;
    current_.arrangement.cols = windows_.SizeDialog().Columns();
    current_.arrangement.rows = windows_.SizeDialog().Rows();
    NewGame();
}

void MainWindow::ReadSettings()
{
    const SettingsReading reading = library_.ReadSettings(current_.name, current_.arrangement);
    current_ = {.name = reading.gameName, .stored = reading.stored, .arrangement = reading.arrangement};
    userName_ = reading.userName;
    ShowCaption(false);
    ApplyGrid();
    colorMenu_->Show(current_.arrangement.colors);
}

void MainWindow::ShowCaption(bool withGameName)
{
    captionNamesGame_ = withGameName && !current_.name.isEmpty();
    if (captionNamesGame_)
        setWindowTitle(MainCaption + " / " + current_.name);
    else
        setWindowTitle(userName_.isEmpty() ? MainCaption : MainCaption + ' ' + userName_);
}

void MainWindow::LoadStoredGame()
{
    ReadSettings();
    LoadBackgroundOrBlack();
    NewGame();
}

void MainWindow::SaveGame()
{
    if (RunChooser(ChooserMode::Save) != Chooser::OK)
        return;
    const QString name = GameSections::Trimmed(windows_.GameChooser().SaveName());
    if (name.isEmpty())
        return;
    // The window shows the new name only once it is stored.
    const QString date = library_.SaveGame(name, current_.arrangement);
    current_.name = name;
    current_.stored = true;
    current_.arrangement.date = date;
    ShowCaption(true);
    SetMessage('"' + name + "\" wurde gespeichert!");
}

void MainWindow::ChooseGame()
{
    if (RunChooser(ChooserMode::Load) != Chooser::OK)
        return;
    current_.name = windows_.GameChooser().ChosenGame();
    LoadStoredGame();
}

void MainWindow::PlayRandomGame()
{
    const QStringList candidates = library_.RandomGameCandidates();
    if (candidates.isEmpty())
        return;
    current_.name = candidates[int(game_.Random().DrawBelow(candidates.size()))];
    LoadStoredGame();
}

int MainWindow::RunChooser(ChooserMode mode)
{
    Chooser& chooser = windows_.GameChooser();
    chooser.Prepare(mode, current_.name, current_);
    const int result = dialogs_.RunModal(chooser);
    FollowStoredGameChanges(chooser.Changes());
    return result;
}

void MainWindow::FollowStoredGameChanges(const std::vector<StoredGameChange>& changes)
{
    // The file has changed whatever the chooser's result. The game in play
    // follows its stored game, so that closing records a name that is there:
    // renamed, it goes on under the new name; erased, it is stored no more,
    // and a later change of the standard game is not taken for it.
    for (const StoredGameChange& change : changes) {
        if (!current_.stored || !GameSections::SameName(change.name, current_.name))
            continue;
        current_.name = change.renamedTo.value_or(QString());
        current_.stored = change.renamedTo.has_value();
        ShowCaption(captionNamesGame_);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The window closes even when the game cannot be recorded: the player
    // has been told, and nothing stored so far is lost.
    Run([this] { library_.WriteOptions(current_.name); });
    QMainWindow::closeEvent(event);
}

bool MainWindow::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    // The child sees the game first: the info window comes over it once the
    // window has been painted and is active, whichever happens last.
    const bool painted = windowHandle() && windowHandle()->isExposed();
    if (startInfoDue_ && ((event->type() == QEvent::Paint && isActiveWindow())
                          || (event->type() == QEvent::WindowActivate && painted))) {
        startInfoDue_ = false;
        QTimer::singleShot(0, this, [this] { dialogs_.RunModal(windows_.Info()); });
    }
    return handled;
}

