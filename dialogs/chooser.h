#pragma once

#include "gameinplay.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ChooserPreview;
class Clock;
class GameLibrary;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;
class UserDialogs;

// A stored game that the chooser renamed or erased. Copies leave every game
// as it was, so these are the changes that can concern the game in play.
struct StoredGameChange {
    // As the file names it: empty for the standard game.
    QString name;
    // The new name, empty for the standard game; nothing when erased.
    std::optional<QString> renamedTo;
};

// Loading a game to play, offering copy, erase and rename; renaming the
// selected game; or asking the name to save the game in play under.
enum class ChooserMode { Load, Save, Change };

// The game chooser: lists the stored games with a preview and loads,
// copies, erases, renames and saves them. Made once and only shown and
// hidden; copy, erase and rename write the settings file at once, whatever
// the dialog's result.
class Chooser : public QDialog {
    Q_OBJECT
public:
    // Results besides QDialog's own: "Abbrechen" while saving, and a
    // refused overwrite. Cancel (the close button too) is QDialog's reject.
    enum Result { Cancel = QDialog::Rejected, OK = QDialog::Accepted, Abort = 3, No = 7 };

    Chooser(GameLibrary& library, const Clock& clock, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~Chooser() override;

    // Before showing: the mode, the game to offer and the game in play,
    // which the chooser shows while saving and whose date its copies get.
    void Prepare(ChooserMode mode, const QString& chosenGame, const GameInPlay& game);
    // Every rename and erase of the last showing, in order, whatever button
    // closed it: the file has changed already.
    const std::vector<StoredGameChange>& Changes() const { return changes_; }
    // After "Auswählen": the game chosen; after a copy or rename, its name.
    const QString& ChosenGame() const { return chosenGame_; }
    // The name typed in save mode, as it stands.
    QString SaveName() const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    QWidget* CreateSavePanel();
    QWidget* CreateRenamePanel();
    QWidget* CreateToolPanel();
    // Runs a command; a refused or failed write is shown as the main window
    // shows it, so no error reaches Qt's event loop.
    void RunTellingErrors(const std::function<void()>& command);
    // Runs a command of the chooser at each click of `button`, as above.
    void RunOnClick(QPushButton* button, void (Chooser::*command)());

    void FillOnOpening();
    void SetMode(ChooserMode mode);
    // Puts the offered name in `edit` and gives it the focus, the name
    // selected, so that what the child types replaces it.
    void OfferName(QLineEdit* edit, const QString& name);
    void FillGameList();
    void ShowStoredGame(const QString& entry);
    void ShowGameInPlay();
    // The row of the entry that reads as `name` but for letter case, or -1.
    int RowOf(const QString& name) const;
    QString SelectedEntry() const;

    void ShowSelectedGame();
    void ChooseGame();
    void StartRenaming();
    void ReturnToLoading();
    void CopySelectedGame();
    void EraseSelectedGame();
    void RenameSelectedGame();
    void ConfirmSaveName();

    GameLibrary& library_;
    const Clock& clock_;
    UserDialogs& dialogs_;
    GameInPlay gameInPlay_;
    std::vector<StoredGameChange> changes_;
    QString chosenGame_ = QStringLiteral("(Standard)");
    ChooserMode mode_ = ChooserMode::Load;

    QGroupBox* gamesBox_ = nullptr;
    QWidget* savePanel_ = nullptr;
    QLineEdit* saveNameEdit_ = nullptr;
    QPushButton* cancelSaveButton_ = nullptr;
    QWidget* renamePanel_ = nullptr;
    QLineEdit* newNameEdit_ = nullptr;
    QListWidget* gameList_ = nullptr;
    QWidget* toolPanel_ = nullptr;
    QWidget* loadButtons_ = nullptr;
    QPushButton* cancelLoadButton_ = nullptr;
    std::unique_ptr<ChooserPreview> preview_;
};
