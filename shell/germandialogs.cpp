#include "germandialogs.h"

#include "picturedialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The toolkit's message box with our own German buttons: Qt would name its
// standard buttons in the desktop's language.
bool Ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton("&Ja", QMessageBox::YesRole);
    box.addButton("&Nein", QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
          const QString& button = QStringLiteral("OK"))
{
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
    box.setDefaultButton(box.addButton(button, QMessageBox::AcceptRole));
    box.exec();
}

} // namespace

bool GermanDialogs::Confirm(QWidget* parent, const QString& text)
{
    return Ask(parent, QMessageBox::Question, "Bestätigung", text);
}

bool GermanDialogs::AskWarning(QWidget* parent, const QString& text)
{
    return Ask(parent, QMessageBox::Warning, "Warnung", text);
}

void GermanDialogs::ShowError(QWidget* parent, const QString& text, const QString& button)
{
    Tell(parent, QMessageBox::Critical, "Fehler", text, button);
}

void GermanDialogs::ShowWarning(QWidget* parent, const QString& text)
{
    Tell(parent, QMessageBox::Warning, "Warnung", text);
}

void GermanDialogs::ShowMessage(QWidget* parent, const QString& text)
{
    Tell(parent, QMessageBox::NoIcon, QApplication::applicationName(), text);
}

QString GermanDialogs::ChoosePicture(QWidget* parent, const QString& current)
{
    PictureDialog dialog(parent, current);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

int GermanDialogs::RunModal(QDialog& dialog)
{
    return dialog.exec();
}
