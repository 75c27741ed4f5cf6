#include "germandialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Looks at the modal dialog once it is open, then lets `answer` close it.
void WhenDialogOpens(std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        answer(dialog);
    });
}

QStringList ButtonTexts(QMessageBox* box)
{
    QStringList texts;
    for (QAbstractButton* button : box->buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

} // namespace

TEST(GermanDialogs, ConfirmationAsksWithJaAndNein)
{
    GermanDialogs dialogs;
    for (const bool yes : {true, false}) {
        WhenDialogOpens([yes](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            ASSERT_TRUE(box);
            EXPECT_EQ(box->windowTitle(), "Bestätigung");
            EXPECT_EQ(box->text(), "Noch einmal?");
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(ButtonTexts(box), (QStringList{"&Ja", "&Nein"}));
            for (QAbstractButton* button : box->buttons())
                if (button->text() == (yes ? "&Ja" : "&Nein"))
                    button->click();
        });
        EXPECT_EQ(dialogs.Confirm(nullptr, "Noch einmal?"), yes);
    }
}

TEST(GermanDialogs, ErrorBoxIsCalledFehler)
{
    GermanDialogs dialogs;
    WhenDialogOpens([](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->windowTitle(), "Fehler");
        EXPECT_EQ(ButtonTexts(box), QStringList{"OK"});
        box->buttons().first()->click();
    });
    dialogs.ShowError(nullptr, "Das Bild kann nicht gelesen werden.");
}

TEST(GermanDialogs, PictureDialogOffersThreeFiltersAndCancels)
{
    GermanDialogs dialogs;
    WhenDialogOpens([](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), "Hintergrundbild öffnen ...");
        EXPECT_EQ(dialog->nameFilters().size(), 3);
        EXPECT_EQ(dialog->selectedNameFilter(), dialog->nameFilters().first());
        EXPECT_TRUE(dialog->nameFilters()[1].contains("Webformat JPG"));
        EXPECT_TRUE(dialog->nameFilters()[2].contains("Windows-Format BMP"));
        EXPECT_EQ(dialog->defaultSuffix(), "bmp");
        dialog->reject();
    });
    EXPECT_TRUE(dialogs.ChoosePicture(nullptr, "schule.bmp").isEmpty());
}
