#pragma once

#include "colorselection.h"
#include "commands.h"
#include "dialogset.h"
#include "environment.h"
#include "game.h"
#include "gameinplay.h"
#include "gamelibrary.h"
#include "playfield.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class Chooser;
class ColorMenu;
class CreditsWindow;
class InfoWindow;
class InputRouter;
class QLabel;
class RowsColumnsDialog;
class RulesWindow;
enum class ChooserMode;
struct StoredGameChange;

// The main window: it wires the play field, the command table and the colour
// menu to the game, the stored games and the dialogs, and shows what each
// step of play did. The game's rules live in Game, the painting in PlayField.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const Environment& environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Reads the game recorded in the settings, loads its picture, or
    // `picture` when one is given, and deals: the first game of a start.
    void Start(const QString& picture = {});

    const Game& CurrentGame() const { return game_; }
    const QImage& FieldSurface() const { return playField_->Surface(); }
    const QImage& Background() const { return playField_->Picture(); }
    const QString& GameName() const { return current_.name; }
    const QString& BackgroundFile() const { return current_.arrangement.picture; }
    bool ShowGrid() const { return current_.arrangement.grid; }
    const QString& GameDate() const { return current_.arrangement.date; }
    const ColorSelection& Colors() const { return current_.arrangement.colors; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // What each command of the menus and the tool bar does.
    CommandTable::Handlers CommandHandlers();
    void ConnectCommands();
    // Runs a command; an error it raises is shown in an error box and the
    // program goes on with the next command.
    void Run(const std::function<void()>& command);
    void SetMessage(const QString& text);

    void NewGame();
    void ShowTurn(const Turn& turn);
    void Click(int col, int row);
    void ToggleColor(int code);
    void KeyDown(int key);
    void KeyUp(int key);

    void LoadBackground();
    // `room` as PictureRoom tells it.
    void ShowPicture(QImage picture, QSize room);
    // At start-up and for stored games an unreadable picture must not stop
    // the game: it is reported and the black picture stands in.
    void LoadBackgroundOrBlack();
    void CenterOnScreen();
    void ChooseBackground();
    // Shows the picture of the file `path`; throws, keeping the picture
    // shown, when it is not there or cannot be shown.
    void UsePicture(const QString& path);
    void ToggleGrid();
    void ApplyGrid();
    void ChooseSize();

    void ReadSettings();
    // The caption names the game from a save until the next reading.
    void ShowCaption(bool withGameName);
    // The loading sequence of a stored game: read it, load its picture, deal.
    void LoadStoredGame();
    void SaveGame();
    void ChooseGame();
    void PlayRandomGame();
    int RunChooser(ChooserMode mode);
    void FollowStoredGameChanges(const std::vector<StoredGameChange>& changes);

    Environment environment_;
    UserDialogs& dialogs_;
    GameLibrary library_;
    Game game_;
    DialogSet windows_;
    // The one owner of the game in play: its arrangement, name and date.
    GameInPlay current_;
    QString userName_;
    bool captionNamesGame_ = false;
    bool centred_ = false;
    // Once the window is both painted and active, the info window comes over it.
    bool startInfoDue_ = true;

    PlayField* playField_ = nullptr;
    ColorMenu* colorMenu_ = nullptr;
    std::unique_ptr<CommandTable> commands_;
    std::unique_ptr<InputRouter> input_;
    QLabel* messagePanel_ = nullptr;
};
