#include "hauptprogramm.h"

#include "chooser.h"
#include "weblinks.h"
#include "gamelibrary.h"
#include "gamesections.h"
#include "ruleswindow.h"
#include "icon.h"
#include "infowindow.h"
#include "keycodes.h"
#include "pictureloader.h"
#include "settingserror.h"
#include "rowscolumnsdialog.h"
#include "texts.h"
#include "userdialogs.h"
#include "webaddresses.h"
#include "creditswindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <optional>

namespace {

const QString MainCaption = QStringLiteral("Grumbeck: Plimmerlo");
constexpr int NoIcon = -1;
constexpr QSize FallbackPictureSize(500, 400);

// The main menu, in menu order. A caption of nullptr is a separator.
struct MenuItem {
    const char* name;
    const char* caption;
    int shortcut;
    int icon;
    void (TMainForm::*handler)();
};

struct TopMenu {
    const char* name;
    const char* caption;
    std::vector<MenuItem> items;
};

const std::vector<TopMenu>& CommandMap()
{
    using K = TMainForm;
    static const std::vector<TopMenu> map = {
        {"menu_main", "&Spiel", {
            {"menu_start", "Neu Starten", 113, 10, &K::menu_startClick},
            {"menu_back", "Rückgängig machen", KeyCodes::Alt | KeyCodes::Backspace, 11, &K::menu_backClick},
            {"N3", nullptr, 0, NoIcon, nullptr},
            {"menu_loadgame", "Spiel Auswählen ...", 0, 18, &K::menu_loadgameClick},
            {"menu_random", "Zufälliges Spiel Spielen", 0, 17, &K::menu_randomClick},
            {"N2", nullptr, 0, NoIcon, nullptr},
            {"menu_close", "Und Tschüss !!!", 121, NoIcon, &K::menu_closeClick},
        }},
        // The colour items run color_countClick with themselves as sender;
        // their icons carry the selection.
        {"menu_colors", "&Farben", {
            {"color_red", "&rot", 0, 1, nullptr},
            {"color_blue", "&blau", 0, 3, nullptr},
            {"color_green", "&grün", 0, 4, nullptr},
            {"color_yellow", "ge&lb", 0, 9, nullptr},
            {"color_violett", "&violett", 0, 6, nullptr},
        }},
        {"menu_options", "&Einstellungen", {
            {"menu_table", "&Spalten && Zeilen ...", 114, 12, &K::menu_tableClick},
            {"menu_image", "&Hintergrundbild ...", 0, 13, &K::menu_imageClick},
            {"menu_grid", "Gitternetz Anzeigen", 0, NoIcon, &K::menu_gridClick},
            {"N1", nullptr, 0, NoIcon, nullptr},
            {"menu_save", "Speichern", KeyCodes::Alt | 'S', 14, &K::menu_saveClick},
            {"menu_reload", "Wiederherstellen", KeyCodes::Alt | KeyCodes::Backspace, NoIcon, &K::menu_reloadClick},
        }},
        {"Hilfe1", "&Hilfe", {
            {"menu_rules", "Spielregeln", KeyCodes::F1, 20, &K::menu_rulesClick},
            {"N4", nullptr, 0, NoIcon, nullptr},
            {"menu_info", "Über dieses Spiel ...", 0, NoIcon, &K::menu_infoClick},
            {"N5", nullptr, 0, NoIcon, nullptr},
            {"menu_go", "Zur Grumbeck ins Internet", 0, 19, &K::menu_goClick},
            {"menu_plimmerlo", "Zu Plimmerlo im Internet", 0, 21, &K::menu_plimmerloClick},
            {"menu_games", "Zu den Spielen im Internet", 0, 22, &K::menu_gamesClick},
            {"N6", nullptr, 0, NoIcon, nullptr},
            {"menu_who", "Wer hat das gemacht?", 0, 23, &K::menu_whoClick},
        }},
    };
    return map;
}

// The tool bar, left to right. A button that shares its command with a menu
// item shares that item's action; the others get an action of their own.
// An empty hint is a separator; "Panel1" is the spacer.
struct ToolButton {
    const char* name;
    const char* hint;
    const char* menuItem;
    int icon;
    void (TMainForm::*handler)();
};

const std::vector<ToolButton>& ToolBarButtons()
{
    using K = TMainForm;
    static const std::vector<ToolButton> buttons = {
        {"GrumbeckToolButton", "Hier geht es zur Grumbeck ins Internet ...", nullptr, 19, &K::GrumbeckToolButtonClick},
        {"ToolButton12", "", nullptr, NoIcon, nullptr},
        {"ToolButton1", "Neustart", "menu_start", 10, nullptr},
        {"ToolButton2", "Zurück", "menu_back", 11, nullptr},
        {"ToolButton6", "", nullptr, NoIcon, nullptr},
        {"ToolButton9", "Spiel Aussuchen", "menu_loadgame", 18, nullptr},
        {"RandomToolButton", "Zufälliges Spiel", nullptr, 17, &K::RandomToolButtonClick},
        {"ToolButton7", "", nullptr, NoIcon, nullptr},
        {"ToolButton4", "Bild Laden", "menu_image", 13, nullptr},
        {"ToolButton3", "Zeilen & Spalten ...", "menu_table", 12, nullptr},
        {"ToolButton10", "", nullptr, NoIcon, nullptr},
        {"ToolButton5", "Einstellungen Sichern ...", "menu_save", 14, nullptr},
        {"Panel1", nullptr, nullptr, NoIcon, nullptr},
        {"ToolButton8", "", nullptr, NoIcon, nullptr},
        {"HelpToolButton", "Spielregeln", nullptr, 20, &K::HelpToolButtonClick},
    };
    return buttons;
}

const char* const ImageIndexProperty = "ImageIndex";
const char* const ShortcutProperty = "ShortcutCode";

int ImageIndex(const QAction* item)
{
    return item->property(ImageIndexProperty).toInt();
}

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

QWidget* FixedWidthSpacer(QWidget* parent, const char* name, int width, bool line)
{
    QWidget* spacer = line ? new QFrame(parent) : new QWidget(parent);
    if (line)
        static_cast<QFrame*>(spacer)->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    spacer->setObjectName(name);
    spacer->setFixedWidth(width);
    return spacer;
}

} // namespace

TMainForm::TMainForm(const Environment& environment, QWidget* parent)
    : QMainWindow(parent), environment_(environment), dialogs_(environment.dialogs),
      library_(environment.settingsPath, environment.clock), game_(environment.clock)
{
    setObjectName("MainForm");
    // A fixed border with minimise and close, but no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setContextMenuPolicy(Qt::NoContextMenu);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);
    for (int i = 0; i < int(MenuImageList.size()); ++i)
        MenuImageList[i] = QIcon(QString(":/icons/icon%1.png").arg(i, 2, 10, QChar('0')));

    CreateControls();
    CreateMenuAndToolBar();
    CreateStatusBar();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    qApp->installEventFilter(this);
    FormCreate();
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
}

void TMainForm::CreateControls()
{
    playField_ = new PlayField(this);
    setCentralWidget(playField_);
    connect(playField_, &PlayField::pressed, this, [this](int x, int y) { RunCommand([=, this] { FieldMouseDown(x, y); }); });
}

void TMainForm::CreateMenuAndToolBar()
{
    for (const TopMenu& top : CommandMap()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(top.caption));
        menu->setObjectName(top.name);
        menu->menuAction()->setObjectName(top.name);
        for (const MenuItem& item : top.items) {
            QAction* action = item.caption ? menu->addAction(QString::fromUtf8(item.caption)) : menu->addSeparator();
            action->setObjectName(item.name);
            if (!item.caption)
                continue;
            // The shortcut is only shown here; the window dispatches it itself.
            if (item.shortcut) {
                action->setText(action->text() + '\t' + KeyCodes::ShortcutText(item.shortcut));
                action->setProperty(ShortcutProperty, item.shortcut);
            }
            if (item.icon != NoIcon)
                SetImageIndex(action, item.icon);
            Connect(action, item.handler);
        }
    }
    menu_colors = findChild<QMenu*>("menu_colors");
    for (QAction* item : menu_colors->actions())
        connect(item, &QAction::triggered, this, [this, item] { RunCommand([=, this] { color_countClick(item); }); });
    menu_grid = findChild<QAction*>("menu_grid");
    menu_grid->setCheckable(true);
    menu_grid->setChecked(true);

    QToolBar* toolBar = addToolBar("ToolBar1");
    toolBar->setObjectName("ToolBar1");
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->layout()->setContentsMargins(0, 0, 0, 0);
    toolBar->layout()->setSpacing(0);
    for (const ToolButton& button : ToolBarButtons()) {
        if (!button.hint) {
            toolBar->addWidget(FixedWidthSpacer(toolBar, button.name, 81, false));
            continue;
        }
        if (!*button.hint) {
            toolBar->addWidget(FixedWidthSpacer(toolBar, button.name, 8, true));
            continue;
        }
        QAction* action = button.menuItem ? findChild<QAction*>(button.menuItem) : new QAction(this);
        if (!button.menuItem) {
            action->setObjectName(button.name);
            action->setIcon(MenuImageList[button.icon]);
            Connect(action, button.handler);
        }
        action->setToolTip(QString::fromUtf8(button.hint));
        toolBar->addAction(action);
        QWidget* widget = toolBar->widgetForAction(action);
        widget->setObjectName(button.name);
        widget->setFixedSize(23, 22);
    }
    // The main window lays tool bars out by their size hint, not by a fixed
    // height, so the bar reaches its 25 pixels through its margins.
    const int extra = std::max(0, 25 - toolBar->sizeHint().height());
    toolBar->layout()->setContentsMargins(0, extra / 2, 0, extra - extra / 2);
}

void TMainForm::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("Status");
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    auto panel = [bar](int width) {
        auto* label = new QLabel(bar);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFixedWidth(width);
        bar->addWidget(label);
        return label;
    };
    panel(140)->setText(WebAddresses::HomePage);
    messagePanel = panel(200);
    messagePanel->setObjectName("MessagePanel");
}

void TMainForm::FormCreate()
{
    game_.ReseedFromClock();
    setWindowTitle(MainCaption);
    game_.SetGameName({});
    game_.SetDimensions(22, 18);
    showGrid_ = true;
    backgroundFile_ = "schule.bmp";
    ReadSettings();
    LoadBackgroundOrBlack();
    NewGame();
}

void TMainForm::Connect(QAction* action, void (TMainForm::*handler)())
{
    if (handler)
        connect(action, &QAction::triggered, this, [this, handler] { RunCommand([=, this] { (this->*handler)(); }); });
}

namespace {

// Makes a window at its first use; later uses get the same one.
template <typename Window, typename... Arguments>
Window& MadeOnce(Window*& window, Arguments&&... arguments)
{
    if (!window)
        window = new Window(std::forward<Arguments>(arguments)...);
    return *window;
}

} // namespace

RowsColumnsDialog& TMainForm::TableForm()
{
    return MadeOnce(tableForm_, this);
}

Chooser& TMainForm::AdminForm()
{
    return MadeOnce(adminForm_, library_, environment_.clock, dialogs_, this);
}

InfoWindow& TMainForm::InfoForm()
{
    return MadeOnce(infoForm_, [this](QWidget* over) {
        OpenDocument(environment_.desktop, dialogs_, over, WebAddresses::HomePage);
    }, this);
}

RulesWindow& TMainForm::Helpwindow()
{
    return MadeOnce(helpwindow_, this);
}

CreditsWindow& TMainForm::WhoForm()
{
    return MadeOnce(whoForm_, this);
}

void TMainForm::SetImageIndex(QAction* item, int index)
{
    item->setProperty(ImageIndexProperty, index);
    item->setIcon(index >= 0 && index < int(MenuImageList.size()) ? MenuImageList[index] : QIcon());
}

void TMainForm::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const SettingsError& error) {
        dialogs_.ShowMessage(this, QString::fromUtf8(error.what()) + '.');
    } catch (const std::exception& error) {
        dialogs_.ShowError(this, QString::fromUtf8(error.what()));
    }
}

void TMainForm::SetMessage(const QString& text)
{
    messagePanel->setText(text);
}

// ---------------------------------------------------------------- game flow

void TMainForm::NewGame()
{
    playField_->SetBusy(true);
    RebuildColorTable();
    playField_->LayoutField(game_.ColCount(), game_.RowCount());
    // Seen while the shuffle and the first painting hold the program up.
    SetMessage(QString::fromStdString(Texts::Shuffling));
    messagePanel->repaint();
    ShowTurn(game_.NewGame());
}

void TMainForm::ShowTurn(const Turn& turn)
{
    playField_->SetBusy(true);
    playField_->Paint(game_.Board());
    playField_->SetBusy(false);
    if (turn.ending)
        playField_->ShowEndMessage(*turn.ending);
    if (!turn.message.empty())
        SetMessage(QString::fromStdString(turn.message));
}

void TMainForm::menu_startClick()
{
    NewGame();
}

void TMainForm::menu_backClick()
{
    ShowTurn(game_.Undo());
}

void TMainForm::FieldMouseDown(int x, int y)
{
    if (game_.GameOver() && dialogs_.Confirm(this, QString::fromStdString(Texts::PlayAgainQuestion))) {
        NewGame();
        return;
    }
    // A field whose cells have no pixels names no cell.
    if (const std::optional<QPoint> cell = playField_->CellAt(QPoint(x, y)))
        ShowTurn(game_.Click(cell->x(), cell->y()));
}

void TMainForm::menu_closeClick()
{
    close();
}

// ----------------------------------------------------------------- colours

void TMainForm::color_countClick(QAction* sender)
{
    const int index = ImageIndex(sender);
    SetImageIndex(sender, index % 2 > 0 ? index - 1 : index + 1);
    RebuildColorTable();
    NewGame();
}

void TMainForm::RebuildColorTable()
{
    // By position: an item's place in the second menu is its colour code.
    const QList<QAction*> items = menuBar()->actions().at(1)->menu()->actions();
    std::vector<int> codes;
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->objectName().left(6) == "color_" && ImageIndex(items[i]) % 2 == 1)
            codes.push_back(i + 1);
    game_.SetColorTable(codes);
    if (game_.ColorCount() == 0)
        ResetColorSelection();
}

void TMainForm::ResetColorSelection()
{
    const std::pair<const char*, int> start[] = {
        {"color_red", 1}, {"color_blue", 3}, {"color_green", 4}, {"color_yellow", 9}, {"color_violett", 6}};
    for (const auto& [name, index] : start)
        SetImageIndex(findChild<QAction*>(name), index);
    RebuildColorTable();
}

// ------------------------------------------------------ picture and layout

void TMainForm::LoadBackground()
{
    const bool named = !backgroundFile_.isEmpty();
    if (!QFileInfo(backgroundFile_).isFile())
        backgroundFile_ = BareFileName(backgroundFile_);
    // A file of another kind leaves the picture as it is.
    QImage picture = playField_->Picture();
    if (named && QFileInfo(backgroundFile_).isFile()) {
        QImage loaded = LoadPicture(backgroundFile_);
        if (!loaded.isNull())
            picture = std::move(loaded);
    } else {
        picture = QImage(FallbackPictureSize, QImage::Format_RGB32);
        picture.fill(Qt::black);
    }
    playField_->SetPicture(std::move(picture));
    layout()->activate();
    if (isVisible())
        CenterOnScreen();
}

void TMainForm::CenterOnScreen()
{
    const QRect screen = this->screen()->availableGeometry();
    const QSize outer = frameGeometry().size();
    // A window larger than the screen keeps its top-left corner on it.
    const int x = std::max(screen.left(), screen.left() + (screen.width() - outer.width()) / 2);
    const int y = std::max(screen.top(), screen.top() + (screen.height() - outer.height()) / 2);
    move(x, y);
}

void TMainForm::showEvent(QShowEvent* event)
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

void TMainForm::menu_imageClick()
{
    const QString chosen = dialogs_.ChoosePicture(this, backgroundFile_);
    if (chosen.isEmpty())
        return;
    const QString previous = backgroundFile_;
    backgroundFile_ = chosen;
    try {
        LoadBackground();
    } catch (...) {
        // The game goes on with the picture it shows, so that is the one a
        // save must record.
        backgroundFile_ = previous;
        throw;
    }
    NewGame();
}

void TMainForm::menu_gridClick()
{
    // The action has already turned its check mark over.
    showGrid_ = menu_grid->isChecked();
    ApplyGrid();
    NewGame();
}

void TMainForm::ApplyGrid()
{
    menu_grid->setChecked(showGrid_);
    playField_->SetShowGrid(showGrid_);
}

void TMainForm::menu_tableClick()
{
    TableForm().SetPositions(game_.ColCount(), game_.RowCount());
    if (dialogs_.RunModal(TableForm()) != QDialog::Accepted)
        return;
    game_.SetDimensions(TableForm().Columns(), TableForm().Rows());
    NewGame();
}

// ---------------------------------------------------------- stored games

void TMainForm::ReadSettings()
{
    Arrangement current;
    current.picture = backgroundFile_;
    current.rows = game_.RowCount();
    current.cols = game_.ColCount();
    current.grid = showGrid_;
    const SettingsReading reading = library_.ReadSettings(QString::fromStdString(game_.GameName()), current);
    userName_ = reading.userName;
    setWindowTitle(userName_.isEmpty() ? MainCaption : MainCaption + ' ' + userName_);
    const Arrangement& stored = reading.arrangement;
    backgroundFile_ = stored.picture;
    game_.SetDimensions(stored.cols, stored.rows);
    showGrid_ = stored.grid;
    gameDate_ = stored.date;
    ApplyGrid();
    SetColorIcons(stored.colors);
    game_.SetGameName(reading.gameName.toStdString());
}

void TMainForm::SetColorIcons(const ColorSelection& colors)
{
    const char* const items[] = {"color_red", "color_blue", "color_green", "color_yellow", "color_violett"};
    for (int code = 1; code <= ColorSelection::Count; ++code)
        SetImageIndex(findChild<QAction*>(items[code - 1]), int(ColorIcon(code, colors.Has(code))));
}

QString TMainForm::WriteGame(const QString& name)
{
    showGrid_ = menu_grid->isChecked();
    Arrangement arrangement;
    arrangement.picture = backgroundFile_;
    arrangement.rows = game_.RowCount();
    arrangement.cols = game_.ColCount();
    arrangement.grid = showGrid_;
    for (int slot = 1; slot <= Game::MaxColors; ++slot)
        arrangement.colors.Set(game_.ColorTable()[slot], true);
    return library_.SaveGame(name, arrangement);
}

void TMainForm::WriteOptions()
{
    library_.WriteOptions(QString::fromStdString(game_.GameName()));
}

void TMainForm::LoadStoredGame()
{
    ReadSettings();
    LoadBackgroundOrBlack();
    NewGame();
}

void TMainForm::LoadBackgroundOrBlack()
{
    try {
        LoadBackground();
    } catch (const PictureError& error) {
        // The stored arrangement is in force already, so the game is dealt
        // on the black picture of a missing file rather than not at all. The
        // name stays, so a save keeps the player's picture.
        dialogs_.ShowError(this, QString::fromUtf8(error.what()));
        const QString stored = backgroundFile_;
        backgroundFile_.clear();
        LoadBackground();
        backgroundFile_ = stored;
    }
}

void TMainForm::menu_reloadClick()
{
    LoadStoredGame();
}

void TMainForm::menu_saveClick()
{
    if (RunChooser(ChooserMode::Save) != Chooser::OK)
        return;
    const QString name = GameSections::Trimmed(AdminForm().SaveName());
    if (name.isEmpty())
        return;
    // The window shows the new name only once it is stored.
    gameDate_ = WriteGame(name);
    game_.SetGameName(name.toStdString());
    setWindowTitle(MainCaption + " / " + name);
    SetMessage('"' + name + "\" wurde gespeichert!");
}

void TMainForm::menu_loadgameClick()
{
    if (RunChooser(ChooserMode::Load) != Chooser::OK)
        return;
    game_.SetGameName(AdminForm().ChosenGame().toStdString());
    LoadStoredGame();
}

int TMainForm::RunChooser(ChooserMode mode)
{
    AdminForm().Prepare(mode, QString::fromStdString(game_.GameName()), CurrentGameInPlay());
    return dialogs_.RunModal(AdminForm());
}

GameInPlay TMainForm::CurrentGameInPlay() const
{
    GameInPlay current;
    current.gameName = QString::fromStdString(game_.GameName());
    current.gameDate = gameDate_;
    current.colorCount = game_.ColorCount();
    current.rowCount = game_.RowCount();
    current.colCount = game_.ColCount();
    current.backgroundFile = backgroundFile_;
    // The colour menu holds the five items in colour order; an odd icon is checked.
    const QList<QAction*> items = menu_colors->actions();
    for (int code = 1; code <= ColorSelection::Count; ++code)
        current.colors.Set(code, ImageIndex(items[code - 1]) % 2 == 1);
    return current;
}

void TMainForm::menu_randomClick()
{
    PlayRandomGame();
}

void TMainForm::RandomToolButtonClick()
{
    PlayRandomGame();
}

void TMainForm::PlayRandomGame()
{
    const QStringList candidates = library_.RandomGameCandidates();
    if (candidates.isEmpty())
        return;
    game_.SetGameName(candidates[int(game_.Random().DrawBelow(candidates.size()))].toStdString());
    LoadStoredGame();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The window closes even when the game cannot be recorded: the player
    // has been told, and nothing stored so far is lost.
    RunCommand([this] { WriteOptions(); });
    QMainWindow::closeEvent(event);
}

// ------------------------------------------------ information and links

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        if (startInfoDue_)
            ShowStartInfo();
    }
    return QMainWindow::event(event);
}

void TMainForm::FormActivate()
{
    // The flag is set before the window shows, so an activation while it is
    // still open or closing cannot show it a second time.
    if (StartInfoShown)
        return;
    StartInfoShown = true;
    // The child sees the game first: the info window comes over it once it
    // has been painted, which the first activation may precede.
    startInfoDue_ = true;
    if (painted_)
        ShowStartInfo();
}

void TMainForm::ShowStartInfo()
{
    startInfoDue_ = false;
    // Not inside the event that led here, but right after it.
    QTimer::singleShot(0, this, [this] { dialogs_.RunModal(InfoForm()); });
}

void TMainForm::menu_infoClick()
{
    dialogs_.RunModal(InfoForm());
}

void TMainForm::menu_rulesClick()
{
    Helpwindow().ShowInFront();
}

void TMainForm::HelpToolButtonClick()
{
    Helpwindow().ShowInFront();
}

void TMainForm::menu_whoClick()
{
    WhoForm().ShowInFront();
}

void TMainForm::menu_goClick()
{
    OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::HomePage);
}

void TMainForm::GrumbeckToolButtonClick()
{
    OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::HomePage);
}

void TMainForm::menu_plimmerloClick()
{
    OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::GamePage);
}

void TMainForm::menu_gamesClick()
{
    OpenDocument(environment_.desktop, dialogs_, this, WebAddresses::GamesPage);
}

// -------------------------------------------------------------------- keys

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activeModalWidget())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = KeyCodes::ShortcutCode(*key);
    switch (type) {
    case QEvent::ShortcutOverride:
        // Our own menu shortcuts come before Qt's, and before the menu bar's
        // access keys (Alt+S is "Speichern", not the "Spiel" menu).
        if (!DispatchShortcut(-code))
            return false;
        event->accept();
        return true;
    case QEvent::KeyPress:
        if (!DispatchShortcut(code))
            FormKeyDown(KeyCodes::VirtualKey(*key));
        return true;
    default:
        // X11 repeats a held key as press and release pairs; only the real
        // release ends the move.
        if (!key->isAutoRepeat())
            FormKeyUp(KeyCodes::VirtualKey(*key));
        return true;
    }
}

// Finds the first menu item, depth first in menu order, whose shortcut is
// `code` and runs it. A negative code only asks whether there is one.
bool TMainForm::DispatchShortcut(int code)
{
    const int wanted = std::abs(code);
    if ((wanted & 0xFF) == 0)
        return false;
    std::function<QAction*(const QList<QAction*>&)> find = [&](const QList<QAction*>& actions) -> QAction* {
        for (QAction* action : actions) {
            if (action->property(ShortcutProperty).toInt() == wanted)
                return action;
            if (action->menu())
                if (QAction* inner = find(action->menu()->actions()))
                    return inner;
        }
        return nullptr;
    };
    QAction* item = find(menuBar()->actions());
    if (item && code > 0)
        item->trigger();
    return item != nullptr;
}

void TMainForm::FormKeyDown(int key)
{
    SetMessage(QString::number(key));
    playField_->NudgeField(ArrowOf(key));
}

void TMainForm::FormKeyUp(int key)
{
    // The empty cells now lie over another piece of the picture.
    if (ArrowOf(key) != Qt::NoArrow)
        playField_->Paint(game_.Board());
}
