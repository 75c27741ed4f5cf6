#pragma once

#include "environment.h"
#include "game.h"
#include "gamelibrary.h"
#include "playfield.h"

#include <QImage>
#include <QMainWindow>

#include <array>
#include <functional>

struct GameInPlay;
class Chooser;
enum class ChooserMode;
class RulesWindow;
class InfoWindow;
class RowsColumnsDialog;
class CreditsWindow;
class QAction;
class QLabel;
class QMenu;
class UserDialogs;

// The main window: the play field over the background picture, the menu,
// the tool bar and the status bar, and the commands they run. The game it
// shows lives in `game`; this window shows what each step of it did.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(const Environment& environment, QWidget* parent = nullptr);
    ~TMainForm() override;

    const Game& CurrentGame() const { return game_; }
    const QImage& FieldSurface() const { return playField_->Surface(); }
    const QImage& Background() const { return playField_->Picture(); }
    const QString& BackgroundFile() const { return backgroundFile_; }
    bool ShowGrid() const { return showGrid_; }
    const QString& GameDate() const { return gameDate_; }

    // --- commands ---
    void menu_startClick();
    void menu_backClick();
    void menu_imageClick();
    void menu_gridClick();
    void menu_closeClick();
    void menu_tableClick();
    void menu_saveClick();
    void menu_reloadClick();
    void menu_loadgameClick();
    void menu_randomClick();
    void RandomToolButtonClick();
    void menu_infoClick();
    void menu_rulesClick();
    void HelpToolButtonClick();
    void menu_whoClick();
    void menu_goClick();
    void menu_plimmerloClick();
    void menu_gamesClick();
    void GrumbeckToolButtonClick();
    void color_countClick(QAction* sender);

    void NewGame();
    void LoadBackground();
    void ReadSettings();
    // Stores the arrangement in play as the game `name`; the date it stored.
    QString WriteGame(const QString& name);
    void WriteOptions();
    void FieldMouseDown(int x, int y);
    void ResetColorSelection();
    void RebuildColorTable();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Paints the board as the turn left it, and shows its message and ending.
    void ShowTurn(const Turn& turn);
    void FormCreate();
    void FormActivate();
    void ShowStartInfo();
    // The loading sequence of a stored game: read it, load its picture, deal.
    void LoadStoredGame();
    // Loads one of the stored games, picked by the shared random source.
    void PlayRandomGame();
    // Shows the chooser in `mode`, offering the game in play; its result.
    int RunChooser(ChooserMode mode);
    // What the chooser shows of the game in play.
    GameInPlay CurrentGameInPlay() const;
    // At start-up and for stored games an unreadable picture must not stop
    // the game: it is reported and the black picture stands in.
    void LoadBackgroundOrBlack();
    void ApplyGrid();
    void SetColorIcons(const ColorSelection& colors);
    void CreateControls();
    void CreateMenuAndToolBar();
    void CreateStatusBar();
    void SetImageIndex(QAction* item, int index);
    // Runs `handler` for the action through RunCommand; nothing for a null one.
    void Connect(QAction* action, void (TMainForm::*handler)());
    void CenterOnScreen();
    void FormKeyDown(int key);
    void FormKeyUp(int key);
    bool DispatchShortcut(int code);
    // Runs a command; an error it raises is shown in an error box and the
    // program goes on with the next command.
    void RunCommand(const std::function<void()>& command);
    void SetMessage(const QString& text);

    Environment environment_;
    UserDialogs& dialogs_;
    GameLibrary library_;
    Game game_;
    QString backgroundFile_;
    QString userName_;
    QString gameDate_;
    bool showGrid_ = true;
    bool centred_ = false;
    bool StartInfoShown = false;
    bool startInfoDue_ = false;
    bool painted_ = false;

    PlayField* playField_ = nullptr;
    QLabel* messagePanel = nullptr;
    QMenu* menu_colors = nullptr;
    QAction* menu_grid = nullptr;
    std::array<QIcon, 24> MenuImageList;
    // The other windows, each made at its first use and then only shown and
    // hidden; making them all at start would hold up the first picture.
    RowsColumnsDialog& TableForm();
    Chooser& AdminForm();
    InfoWindow& InfoForm();
    RulesWindow& Helpwindow();
    CreditsWindow& WhoForm();
    RowsColumnsDialog* tableForm_ = nullptr;
    Chooser* adminForm_ = nullptr;
    InfoWindow* infoForm_ = nullptr;
    RulesWindow* helpwindow_ = nullptr;
    CreditsWindow* whoForm_ = nullptr;
};
