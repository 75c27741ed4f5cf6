#include "germandialogs.h"

#include "picturedialog.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Looks at the modal dialog once it is open, then lets `answer` close it.
// A test whose dialog never opened fails, rather than passing unchecked; one
// whose answer left it open (another dialog, a failed assertion) fails and
// closes it, so that the tests after it still run.
class WhenDialogOpens {
public:
    explicit WhenDialogOpens(std::function<void(QWidget*)> answer)
    {
        QTimer::singleShot(0, &context_, [this, answer] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                opened_ = true;
                const QPointer<QWidget> open = dialog;
                answer(dialog);
                if (open && open->isVisible()) {
                    ADD_FAILURE() << "the dialog was left open: " << open->metaObject()->className();
                    if (auto* modal = qobject_cast<QDialog*>(open.data()))
                        modal->done(QDialog::Rejected);
                }
            }
        });
    }
    ~WhenDialogOpens() { EXPECT_TRUE(opened_) << "no dialog opened"; }

private:
    QObject context_; // ends the wait with the test
    bool opened_ = false;
};

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
        const WhenDialogOpens answer([yes](QWidget* widget) {
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
    const WhenDialogOpens answer([](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->windowTitle(), "Fehler");
        EXPECT_EQ(ButtonTexts(box), QStringList{"OK"});
        box->buttons().first()->click();
    });
    dialogs.ShowError(nullptr, "Das Bild kann nicht gelesen werden.");
}

TEST(GermanDialogs, BoxOverAWindowNotYetUpWaitsForIt)
{
    GermanDialogs dialogs;
    QWidget window;
    new QWidget(&window); // a window has children of its own
    QWidget* shownAtOnce = nullptr; // closed, so that the fault fails rather than hangs
    QTimer::singleShot(0, &window, [&] { (shownAtOnce = QApplication::activeModalWidget()) && shownAtOnce->close(); });
    dialogs.ShowError(&window, "Kaputt"); // at start-up, before the window is shown
    EXPECT_FALSE(shownAtOnce);
    window.show();
    const WhenDialogOpens answer([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->parentWidget(), &window);
        box->buttons().first()->click();
    });
    QCoreApplication::processEvents();
}

TEST(GermanDialogs, PictureDialogOffersEveryKindFirstAndHandsBackItsOrder)
{
    GermanDialogs dialogs;
    const WhenDialogOpens answer([](QWidget* widget) {
        auto* dialog = qobject_cast<PictureDialog*>(widget);
        ASSERT_TRUE(dialog);
        const auto* filters = dialog->findChild<QComboBox*>("FilterBox");
        EXPECT_EQ(filters->currentIndex(), 0);
        for (const char* pattern : {"*.bmp", "*.jpg", "*.jpeg", "*.png", "*.webp", "*.gif", "*.tif", "*.heic", "*.avif"})
            EXPECT_TRUE(filters->itemText(0).contains(pattern)) << pattern;
        EXPECT_EQ(filters->itemText(1), "Bilder (Webformat JPG) (*.jpg *.jpeg)");
        EXPECT_EQ(filters->itemText(2), "Bilder (Windows-Format BMP) (*.bmp)");
        dialog->findChild<QComboBox*>("OrderBox")->setCurrentIndex(1);
        dialog->reject();
    });
    PictureOrder order = PictureOrder::ByName;
    EXPECT_TRUE(dialogs.ChoosePicture(nullptr, "schule.bmp", order).isEmpty());
    EXPECT_EQ(order, PictureOrder::NewestFirst);
}

// A plain box, and the error box of a failed write, carry the application title.
TEST(GermanDialogs, TitledBoxesCarryTheApplicationTitleAndOneOk)
{
    GermanDialogs dialogs;
    for (const QMessageBox::Icon icon : {QMessageBox::NoIcon, QMessageBox::Critical}) {
        const WhenDialogOpens answer([icon](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            ASSERT_TRUE(box);
            EXPECT_EQ(box->windowTitle(), "GR Plimmerlo");
            EXPECT_EQ(box->text(), "Datei wurde nicht gefunden.");
            EXPECT_EQ(box->icon(), icon);
            ASSERT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->buttons().first()->text(), "OK");
            box->buttons().first()->click();
        });
        if (icon == QMessageBox::NoIcon)
            dialogs.ShowMessage(nullptr, "Datei wurde nicht gefunden.");
        else
            dialogs.ShowTitledError(nullptr, "Datei wurde nicht gefunden.");
    }
}
