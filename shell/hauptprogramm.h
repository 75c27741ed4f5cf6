#pragma once

#include "cellpainter.h"
#include "fieldpainter.h"
#include "game.h"
#include "gameview.h"

#include <QImage>
#include <QMainWindow>

#include <array>
#include <functional>

class BevelPanel;
class Clock;
class ImageView;
class QAction;
class QLabel;
class QMenu;
class UserDialogs;

// The main window: the play field over the background picture, the menu,
// the tool bar and the status bar, and the commands they run. The game it
// shows lives in `game`; this window is its view and its painter's host.
class TMainForm : public QMainWindow, private GameView {
    Q_OBJECT
public:
    TMainForm(const Clock& clock, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~TMainForm() override;

    const Game& CurrentGame() const { return game_; }
    const QImage& FieldSurface() const { return painter_.Surface(); }
    const QImage& Background() const { return background_; }
    const QString& BackgroundFile() const { return backgroundFile_; }
    bool ShowGrid() const { return showGrid_; }

    // --- commands ---
    void menu_startClick();
    void menu_backClick();
    void menu_imageClick();
    void menu_gridClick();
    void menu_closeClick();
    void color_countClick(QAction* sender);

    void NewGame();
    void LoadBackground();
    void FieldMouseDown(int x, int y);
    void ResetColorSelection();
    void RebuildColorTable() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // GameView
    void LayoutField() override;
    void SetBusy(bool busy) override;
    void ShowMessage(const std::string& text, bool immediately) override;
    bool AskPlayAgain() override;
    void ShowEndMessage(int stonesLeft) override;

    void FormCreate();
    void CreateControls();
    void CreateMenuAndToolBar();
    void CreateStatusBar();
    void InitEndLabels();
    void HideEndMessage();
    void SetImageIndex(QAction* item, int index);
    void PlaceGamePanel(QRect panel);
    void SizeWindowToPicture();
    void CenterOnScreen();
    void FormKeyDown(int key);
    void FormKeyUp(int key);
    bool DispatchShortcut(int code);
    // Runs a command; an error it raises is shown in an error box and the
    // program goes on with the next command.
    void RunCommand(const std::function<void()>& command);
    void SetMessage(const QString& text);

    const Clock& clock_;
    UserDialogs& dialogs_;
    Game game_;
    QImage background_;
    FieldPainter painter_;
    QString backgroundFile_;
    bool showGrid_ = true;
    bool centred_ = false;

    QWidget* Panel = nullptr;
    ImageView* DummyImage = nullptr;
    BevelPanel* GamePanel = nullptr;
    ImageView* Field = nullptr;
    QLabel* EndMessageLabel1 = nullptr;
    QLabel* EndMessageLabel2 = nullptr;
    QLabel* EndMessageLabel3 = nullptr;
    QLabel* EndMessageLabel4 = nullptr;
    QLabel* messagePanel = nullptr;
    QMenu* menu_colors = nullptr;
    QAction* menu_grid = nullptr;
    std::array<QIcon, 24> MenuImageList;
};
