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
#include "picturepath.h"
#include "pictureroom.h"
#include "playfield.h"
#include "rowscolumnsdialog.h"
#include "ruleswindow.h"
#include "statusbar.h"
#include "texts.h"
#include "userdialogs.h"
#include "webaddresses.h"
#include "weblinks.h"

#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <optional>

namespace {

const QString MainCaption = QStringLiteral("Grumbeck: Plimmerlo");
// The colours of a first start, and of a selection the player emptied.
const std::vector<int> StartColors = {1, 2, 4};

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
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);

    playField_ = new PlayField(this);
    setCentralWidget(playField_);
    colorMenu_ = new ColorMenu(this);
    commands_ = std::make_unique<CommandTable>(*this, colorMenu_);
    input_ = std::make_unique<InputRouter>(*this, *commands_);
    messagePanel_ = CreateStatusBar(*this);
    ConnectCommands();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::ConnectCommands()
{
    for (int command = 0; command < CommandCount; ++command)
        connect(commands_->Action(Command(command)), &QAction::triggered, this, [this, command] { Run(Command(command)); });
    connect(colorMenu_, &ColorMenu::toggled, this, [this](int code) { Run([=, this] { ToggleColor(code); }); });
    connect(playField_, &PlayField::pressed, this, [this](int x, int y) { Run([=, this] { Click(x, y); }); });
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

void MainWindow::Run(Command command)
{
    const std::function<void()> handlers[CommandCount] = {
        [this] { NewGame(); },
        [this] { ShowTurn(game_.Undo()); },
        [this] { ChooseGame(); },
        [this] { PlayRandomGame(); },
        [this] { close(); },
        [this] { ChooseSize(); },
        [this] { ChooseBackground(); },
        [this] { ToggleGrid(); },
        [this] { SaveGame(); },
        [this] { LoadStoredGame(); },
        [this] { windows_.Rules().ShowInFront(); },
        [this] { dialogs_.RunModal(windows_.Info()); },
        [this] { OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::HomePage); },
        [this] { OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::GamePage); },
        [this] { OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::GamesPage); },
        [this] { windows_.Credits().ShowInFront(); },
    };
    Run(handlers[int(command)]);
}

void MainWindow::Run(const std::function<void()>& command)
{
    RunReportingErrors(dialogs_, this, command);
}

void MainWindow::Start(const QString& picture)
{
    const Arrangement defaults;
    backgroundFile_ = defaults.picture;
    game_.SetDimensions(defaults.cols, defaults.rows);
    showGrid_ = defaults.grid;
    ReadSettings();
    LoadBackgroundOrBlack();
    // A picture the program was opened with is played on, not stored, until
    // the player saves; one it cannot show is told, and the game is as stored.
    if (!picture.isEmpty())
        Run([&] { UsePicture(picture); });
    NewGame();
}

void MainWindow::SetMessage(const QString& text)
{
    messagePanel_->setText(text);
}

void MainWindow::NewGame()
{
    playField_->SetBusy(true);
    std::vector<int> codes;
    for (int code = 1; code <= ColorSelection::Count; ++code)
        if (colors_.Has(code))
            codes.push_back(code);
    if (codes.empty()) {
        codes = StartColors;
        for (const int code : codes)
            colors_.Set(code, true);
    }
    game_.SetColorTable(codes);
    colorMenu_->Show(colors_);
    playField_->LayoutField(game_.ColCount(), game_.RowCount());
    // Seen while the shuffle and the first painting hold the program up.
    SetMessage(QString::fromStdString(Texts::Shuffling));
    messagePanel_->repaint();
    ShowTurn(game_.NewGame());
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

void MainWindow::Click(int x, int y)
{
    if (game_.GameOver() && dialogs_.Confirm(this, QString::fromStdString(Texts::PlayAgainQuestion))) {
        NewGame();
        return;
    }
    // A field whose cells have no pixels names no cell.
    if (const std::optional<QPoint> cell = playField_->CellAt(QPoint(x, y)))
        ShowTurn(game_.Click(cell->x(), cell->y()));
}

void MainWindow::ToggleColor(int code)
{
    colors_.Set(code, !colors_.Has(code));
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
    ShowPicture(LoadBackgroundPicture(backgroundFile_, PictureRoom(*this)));
}

void MainWindow::ShowPicture(QImage picture)
{
    playField_->SetPicture(std::move(picture), PictureRoom(*this));
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
        ShowPicture(MissingPicture());
    }
}

void MainWindow::CenterOnScreen()
{
    const QRect screen = this->screen()->availableGeometry();
    const QSize outer = frameGeometry().size();
    // A window larger than the screen keeps its top-left corner on it.
    const int x = std::max(screen.left(), screen.left() + (screen.width() - outer.width()) / 2);
    const int y = std::max(screen.top(), screen.top() + (screen.height() - outer.height()) / 2);
    move(x, y);
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
    const QString chosen = dialogs_.ChoosePicture(this, backgroundFile_);
    if (chosen.isEmpty())
        return;
    UsePicture(chosen);
    NewGame();
}

void MainWindow::UsePicture(const QString& path)
{
    const QString previous = backgroundFile_;
    backgroundFile_ = path;
    try {
        LoadBackground();
    } catch (...) {
        // The game goes on with the picture it shows, so that is the one a
        // save must record.
        backgroundFile_ = previous;
        throw;
    }
}

void MainWindow::ToggleGrid()
{
    // The action has already turned its check mark over.
    showGrid_ = commands_->Action(Command::ToggleGrid)->isChecked();
    ApplyGrid();
    NewGame();
}

void MainWindow::ApplyGrid()
{
    commands_->Action(Command::ToggleGrid)->setChecked(showGrid_);
    playField_->SetShowGrid(showGrid_);
}

void MainWindow::ChooseSize()
{
    windows_.SizeDialog().SetPositions(game_.ColCount(), game_.RowCount());
    if (dialogs_.RunModal(windows_.SizeDialog()) != QDialog::Accepted)
        return;
    game_.SetDimensions(windows_.SizeDialog().Columns(), windows_.SizeDialog().Rows());
    NewGame();
}

void MainWindow::ReadSettings()
{
    const Arrangement current{backgroundFile_, game_.RowCount(), game_.ColCount(), showGrid_, {}, {}};
    const SettingsReading reading = library_.ReadSettings(QString::fromStdString(game_.GameName()), current);
    setWindowTitle(reading.userName.isEmpty() ? MainCaption : MainCaption + ' ' + reading.userName);
    const Arrangement& stored = reading.arrangement;
    backgroundFile_ = stored.picture;
    game_.SetDimensions(stored.cols, stored.rows);
    showGrid_ = stored.grid;
    gameDate_ = stored.date;
    colors_ = stored.colors;
    ApplyGrid();
    colorMenu_->Show(colors_);
    game_.SetGameName(reading.gameName.toStdString());
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
    Arrangement arrangement{backgroundFile_, game_.RowCount(), game_.ColCount(), showGrid_, {}, {}};
    for (int slot = 1; slot <= Game::MaxColors; ++slot)
        arrangement.colors.Set(game_.ColorTable()[slot], true);
    // The window shows the new name only once it is stored.
    gameDate_ = library_.SaveGame(name, arrangement);
    game_.SetGameName(name.toStdString());
    setWindowTitle(MainCaption + " / " + name);
    SetMessage('"' + name + "\" wurde gespeichert!");
}

void MainWindow::ChooseGame()
{
    if (RunChooser(ChooserMode::Load) != Chooser::OK)
        return;
    game_.SetGameName(windows_.GameChooser().ChosenGame().toStdString());
    LoadStoredGame();
}

void MainWindow::PlayRandomGame()
{
    const QStringList candidates = library_.RandomGameCandidates();
    if (candidates.isEmpty())
        return;
    game_.SetGameName(candidates[int(game_.Random().DrawBelow(candidates.size()))].toStdString());
    LoadStoredGame();
}

int MainWindow::RunChooser(ChooserMode mode)
{
    windows_.GameChooser().Prepare(mode, QString::fromStdString(game_.GameName()), CurrentGameInPlay());
    return dialogs_.RunModal(windows_.GameChooser());
}

GameInPlay MainWindow::CurrentGameInPlay() const
{
    return {QString::fromStdString(game_.GameName()), gameDate_, game_.ColorCount(), game_.RowCount(),
            game_.ColCount(), backgroundFile_, colors_};
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The window closes even when the game cannot be recorded: the player
    // has been told, and nothing stored so far is lost.
    Run([this] { library_.WriteOptions(QString::fromStdString(game_.GameName())); });
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

