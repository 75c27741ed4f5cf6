#pragma once

#include "support/fixedclock.h"
#include "support/files.h"
#include "support/printers.h"
#include "support/scripteddialogs.h"
#include "chooser.h"
#include "desktopopener.h"
#include "mainwindow.h"
#include "rowscolumnsdialog.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <memory>

// Remembers what the program asked the desktop to open.
struct RecordingDesktop : DesktopOpener {
    QStringList opened;
    std::optional<int> failure;
    std::optional<int> Open(const QString& target) override
    {
        opened << target;
        return failure;
    }
};

inline const char* const ColourNames[] = {"color_red", "color_blue", "color_green", "color_yellow", "color_violett"};

// The player's part in the chooser's save mode: types `name` and presses
// "Spiel Speichern"; when the chooser refuses the name, gives up with
// "Abbrechen". Another dialog fails the test alone and is cancelled.
inline std::function<int(QDialog&)> SaveAs(const QString& name)
{
    return [name](QDialog& dialog) {
        dialog.show();
        QCoreApplication::processEvents(); // the opening
        auto* panel = dialog.findChild<QWidget*>("SaveGamePanel");
        if (!qobject_cast<Chooser*>(&dialog) || !panel->isVisible()) {
            ADD_FAILURE() << "not the chooser's save mode: " << dialog.metaObject()->className();
            dialog.reject();
            return int(QDialog::Rejected);
        }
        dialog.findChild<QLineEdit*>("SaveNameEdit")->setText(name);
        dialog.findChild<QPushButton*>("OkaySaveButton")->click();
        if (dialog.isVisible())
            dialog.findChild<QPushButton*>("CncelSaveButton")->click();
        return dialog.result();
    };
}

// Moves the rows-and-columns dialog's bars and confirms or cancels; `shown`
// receives what the bars showed at the opening.
inline std::function<int(QDialog&)> ChooseSize(int cols, int rows, bool confirm = true, QPoint* shown = nullptr)
{
    return [=](QDialog& dialog) {
        auto* table = qobject_cast<RowsColumnsDialog*>(&dialog);
        if (!table) {
            ADD_FAILURE() << "not the rows-and-columns dialog: " << dialog.metaObject()->className();
            dialog.reject();
            return int(QDialog::Rejected);
        }
        if (shown)
            *shown = QPoint(table->Columns(), table->Rows());
        table->SetPositions(cols, rows);
        return int(confirm ? QDialog::Accepted : QDialog::Rejected);
    };
}

// The real main window, offscreen, started in a temporary folder of its own
// so that bare picture names are looked for there.
struct WindowRig {
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    FixedClock clock;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    QString settingsPath = folder.filePath("plimmerlo.ini");
    std::unique_ptr<MainWindow> form;

    // Pictures to lay into the folder before the window starts.
    explicit WindowRig(const std::vector<std::pair<QString, QImage>>& pictures = {})
    {
        QDir::setCurrent(folder.path());
        for (const auto& [name, image] : pictures)
            image.save(folder.filePath(name), "BMP");
        clock.ms = 37000000;
        Start();
    }
    // Starts (or starts again) the main window, as the program does.
    void Start()
    {
        form.reset();
        form = std::make_unique<MainWindow>(Environment{clock, dialogs, desktop, settingsPath});
        form->Start();
    }

    ~WindowRig()
    {
        form.reset();
        QDir::setCurrent(previousFolder);
    }

    template <typename T = QWidget> T* Find(const char* name) const
    {
        T* child = form->findChild<T*>(name);
        EXPECT_TRUE(child) << name;
        return child;
    }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    QString Message() const { return Find<QLabel>("MessagePanel")->text(); }
    const Game& game() const { return form->CurrentGame(); }
    QWidget* Field() const { return Find("Field"); }
    // The field is exactly as wide as its columns of cells.
    int CellSize() const { return Field()->width() / game().ColCount(); }

    bool Selected(int code) const { return form->Colors().Has(code); }
    // The colours of the stones on the board, which a fresh deal shows all of.
    ColorSelection ColoursDealt() const
    {
        ColorSelection colours;
        const Board& board = game().Board();
        for (int col = 0; col < board.ColCount(); ++col)
            for (int row = 0; row < board.RowCount(); ++row)
                colours.Set(board.At(col, row), true);
        return colours;
    }

    // Chooses colours in the menu until only `code` is in play; the target is
    // selected first so that the selection never runs empty on the way.
    void PlayOnlyColour(int code)
    {
        if (!Selected(code))
            Action(ColourNames[code - 1])->trigger();
        for (int other = 1; other <= 5; ++other)
            if (other != code && Selected(other))
                Action(ColourNames[other - 1])->trigger();
    }

    // Chooses `path` with "Hintergrundbild ..." as the player would.
    void ChoosePicture(const QString& path)
    {
        dialogs.pictureToChoose = path;
        Action("menu_image")->trigger();
    }
    // Lays `image` into the folder as the BMP `name` and chooses it; its path.
    QString ChooseNewPicture(const QString& name, const QImage& image)
    {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(image.save(path, "BMP")) << name.toStdString();
        ChoosePicture(path);
        return path;
    }

    void ClickCell(int col, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        const int cell = CellSize();
        QTest::mouseClick(Field(), button, {}, QPoint(col * cell + cell / 2, row * cell + cell / 2));
    }

    // Clicks the first stone that may be taken, from the bottom row up; false when none may.
    bool TakeAGroup()
    {
        const Board& board = game().Board();
        for (int row = board.RowCount() - 1; row >= 0; --row)
            for (int col = 0; col < board.ColCount(); ++col)
                if (board.At(col, row) && board.HasSameNeighbour(col, row)) {
                    ClickCell(col, row);
                    return true;
                }
        return false;
    }
};

// A picture of one colour with a pattern, so that positions can be told apart.
inline QImage TestPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 90));
    return image;
}
