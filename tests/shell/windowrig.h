#pragma once

#include "game/fakes.h"
#include "support/files.h"
#include "support/printers.h"
#include "desktopopener.h"
#include "mainwindow.h"
#include "userdialogs.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <memory>

// Answers questions from a script and remembers what it was shown.
struct ScriptedDialogs : UserDialogs {
    std::deque<bool> answers;
    QStringList questions; // confirmations and warning questions alike
    QStringList errors;
    QStringList errorButtons;
    QStringList warnings;
    QStringList messages;
    QString pictureToChoose;

    using UserDialogs::ShowError;
    bool Confirm(QWidget*, const QString& text) override { return Answer(text); }
    bool AskWarning(QWidget*, const QString& text) override { return Answer("Warnung: " + text); }
    void ShowError(QWidget*, const QString& text, const QString& button) override
    {
        errors << text;
        errorButtons << button;
    }
    void ShowWarning(QWidget*, const QString& text) override { warnings << text; }
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    QString ChoosePicture(QWidget*, const QString&) override { return pictureToChoose; }

    // Plays the player's part in the program's own dialogs; without a
    // script every dialog is cancelled. A script that never ran would let
    // its test pass without having checked anything, so that fails.
    std::function<int(QDialog&)> onModal;
    int modalsShown = 0;
    int RunModal(QDialog& dialog) override
    {
        ++modalsShown;
        return onModal ? onModal(dialog) : QDialog::Rejected;
    }
    ~ScriptedDialogs() override
    {
        if (onModal && modalsShown == 0)
            ADD_FAILURE() << "a dialog was scripted but never shown";
    }

    bool Answer(const QString& question)
    {
        questions << question;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

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
    int CellSize() const { return Find<PlayField>("Panel")->CellSize(); }

    bool Selected(int code) const { return form->Colors().Has(code); }

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
