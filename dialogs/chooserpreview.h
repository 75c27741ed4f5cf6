#pragma once

#include "colorselection.h"

#include <QString>

#include <array>

class QLabel;
class QWidget;
struct GameInPlay;
struct GamePreview;

// The chooser's view of one game: its picture in the "Vorschau" box and,
// in the "Einstellungen" box, its name, date, picture file, grid and
// colours. The boxes are children of the widget it is made on; this only
// fills them.
class ChooserPreview {
public:
    // The picture's box goes at the top of `parent` and the settings' box at
    // its foot; the chooser's buttons take the room between them.
    explicit ChooserPreview(QWidget* parent);

    // The game the settings name, the one "Auswählen" chooses.
    QString Motive() const;
    void ShowMotive(const QString& name);
    // A stored game as the library previews it; the name shown stays.
    void ShowStoredGame(const GamePreview& preview);
    // The game in play, dated `today`, as saving it would store it.
    void ShowGameInPlay(const GameInPlay& game, const QString& today);
    // Empties the settings; the picture shown stays.
    void Clear();

private:
    // The picture of a stored path, or the black square where none is found.
    void ShowPicture(const QString& path);
    // The picture of a file found, or the black square for an empty path.
    void ShowPictureFile(const QString& found);
    void ShowColors(const ColorSelection& colors);

    QLabel* picture_ = nullptr;
    QLabel* motiveLabel_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QLabel* pictureLabel_ = nullptr;
    QLabel* rowsLabel_ = nullptr;
    QLabel* colsLabel_ = nullptr;
    QLabel* colorsLabel_ = nullptr;
    std::array<QLabel*, ColorSelection::Count> colorImages_{};
};
