#include "germandialogs.h"

#include "picturedialog.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <vector>

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

// Boxes told before their window is on the screen (the errors of the
// start-up) wait for it, one after the other once it is up, so that each
// comes over the game instead of in a corner of the screen before it.
class BoxesAfterShowing : public QObject {
public:
    static void Add(QWidget* window, std::function<void()> box)
    {
        // Found by name: without a meta-object of its own, a search by type
        // would take any child for one.
        auto* waiting = static_cast<BoxesAfterShowing*>(window->findChild<QObject*>(Name, Qt::FindDirectChildrenOnly));
        if (!waiting)
            waiting = new BoxesAfterShowing(window);
        waiting->boxes_.push_back(std::move(box));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                const std::vector<std::function<void()>> boxes = std::move(boxes_);
                deleteLater();
                for (const auto& box : boxes)
                    box();
            });
        }
        return false;
    }

private:
    static constexpr const char* Name = "BoxesAfterShowing";

    explicit BoxesAfterShowing(QWidget* window) : QObject(window)
    {
        setObjectName(Name);
        window->installEventFilter(this);
    }

    std::vector<std::function<void()>> boxes_;
};

void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
          const QString& button = QStringLiteral("OK"))
{
    if (parent && !parent->window()->isVisible()) {
        QPointer<QWidget> over = parent;
        BoxesAfterShowing::Add(parent->window(), [=] {
            if (over)
                Tell(over, icon, caption, text, button);
        });
        return;
    }
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

void GermanDialogs::ShowTitledError(QWidget* parent, const QString& text)
{
    Tell(parent, QMessageBox::Critical, QApplication::applicationName(), text);
}

QString GermanDialogs::ChoosePicture(QWidget* parent, const QString& current, PictureOrder& order)
{
    PictureDialog dialog(parent, current, order);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    order = dialog.Order();
    return chosen ? dialog.ChosenPath() : QString();
}

int GermanDialogs::RunModal(QDialog& dialog)
{
    return dialog.exec();
}
