#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class Clock;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;
class UserDialogs;

// What the chooser shows of the game in play and stores with its copies;
// the main window hands it in before every showing.
struct GameInPlay {
    QString gameName;
    QString gameDate;
    int colorCount = 0;
    int rowCount = 0;
    int colCount = 0;
    QString backgroundFile;
    // The icon indexes of the colour items, red, blue, green, yellow, violet.
    std::array<int, 5> colorIcons{0, 2, 4, 8, 6};
};

// The game chooser: lists the stored games with a preview and loads,
// copies, erases, renames and saves them. Created once and only shown and
// hidden; copy, erase and rename write the settings file at once, whatever
// the dialog's result.
class TAdminForm : public QDialog {
    Q_OBJECT
public:
    // Results besides QDialog's own: "Abbrechen" while saving, and a
    // refused overwrite. Cancel (the close button too) is QDialog's reject.
    enum Result { Cancel = QDialog::Rejected, OK = QDialog::Accepted, Abort = 3, No = 7 };

    TAdminForm(const Clock& clock, UserDialogs& dialogs, QString settingsPath, QWidget* parent = nullptr);

    void SetGameInPlay(const GameInPlay& game) { gameInPlay_ = game; }
    // The name typed in save mode, as it stands.
    QString SaveName() const;

    // The game to offer when the dialog opens; after "Auswählen" the game chosen.
    QString ChosenGame = QStringLiteral("(Standard)");
    // "load", "save" or "change"; the caller sets it before showing.
    QString DialogMode;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    QWidget* CreateSavePanel();
    QWidget* CreateChangePanel();
    QWidget* CreateCommandPanel();
    void CreateSettingsBox(QWidget* parent);
    // Runs a handler; a failed write is shown as the main window shows it,
    // so no error reaches Qt's event loop.
    void Run(const std::function<void()>& handler);

    void FormActivate();
    void SetDialogMode(const QString& mode);
    void FillGameList();
    void AddSorted(const QString& name);
    void ShowGamePreview(const QString& name);
    void ClearPreview();
    void ShowCurrentSettings();
    void LoadPreviewPicture(const QString& path);
    void ShowColorImages(const std::array<int, 5>& icons);
    void CopyGame(const QString& oldName, const QString& newName);
    void EraseGame(const QString& name);
    // The entry equal to `name` without regard to letter case, or -1.
    int FindEntry(const QString& name) const;
    QString SelectedEntry() const;

    void MotivListBoxClick();
    void OkButtonClick();
    void EditToolButtonClick();
    void CancelChangeButtonClick();
    void DoubleToolButtonClick();
    void EraseToolButtonClick();
    void OkayChangeButtonClick();
    void OkaySaveButtonClick();

    const Clock& clock_;
    UserDialogs& dialogs_;
    QString settingsPath_;
    GameInPlay gameInPlay_;

    QGroupBox* GroupBox1 = nullptr;
    QWidget* SaveGamePanel = nullptr;
    QLineEdit* SaveNameEdit = nullptr;
    QPushButton* OkaySaveButton = nullptr;
    QPushButton* CncelSaveButton = nullptr;
    QWidget* ChangeNamePanel = nullptr;
    QLineEdit* NewNameEdit = nullptr;
    QListWidget* MotivListBox = nullptr;
    QWidget* MotiveComandPanel = nullptr;
    QGroupBox* PreviewGroupBox = nullptr;
    QLabel* PreviewImage = nullptr;
    QWidget* OptionCommandPanel = nullptr;
    QPushButton* CancelButton = nullptr;
    QLabel* MotivLabel = nullptr;
    QLabel* DateLabel = nullptr;
    QLabel* GrafikNameLabel = nullptr;
    QLabel* RowsLabel = nullptr;
    QLabel* ColsLabel = nullptr;
    QLabel* ColorsLabel = nullptr;
    std::array<QLabel*, 5> ColorImages{};
};
