#include "germandialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

bool GermanDialogs::Confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, "Bestätigung", text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton("&Ja", QMessageBox::YesRole);
    box.addButton("&Nein", QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

void GermanDialogs::ShowError(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, "Fehler", text, QMessageBox::NoButton, parent);
    box.setDefaultButton(box.addButton("OK", QMessageBox::AcceptRole));
    box.exec();
}

QString GermanDialogs::ChoosePicture(QWidget* parent, const QString& current)
{
    QFileDialog dialog(parent, "Hintergrundbild öffnen ...");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({"Bilder (*.bmp *.jpg *.jpeg)",
                           "Bilder (Webformat JPG) (*.jpg *.jpeg)",
                           "Bilder (Windows-Format BMP) (*.bmp)"});
    dialog.setDefaultSuffix("bmp");
    const QFileInfo preset(current);
    if (preset.isFile())
        dialog.selectFile(preset.absoluteFilePath());
    else
        dialog.selectFile(preset.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}
