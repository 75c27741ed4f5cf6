#include "inputrouter.h"

#include "commands.h"
#include "keycodes.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

InputRouter::InputRouter(QWidget& window, const CommandTable& commands) : window_(window), commands_(commands)
{
    // Keys go to whichever widget has the focus; the window hears them all.
    qApp->installEventFilter(this);
}

InputRouter::~InputRouter()
{
    qApp->removeEventFilter(this);
}

namespace {

QString DroppedFile(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

} // namespace

bool InputRouter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::DragEnter || type == QEvent::Drop) && watched == &window_) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedFile(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->acceptProposedAction();
        if (type == QEvent::Drop)
            emit dropped(path);
        return true;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<Command> command = commands_.CommandFor(KeyCodes::ShortcutCode(*key));
    switch (type) {
    case QEvent::ShortcutOverride:
        event->setAccepted(command.has_value());
        return command.has_value();
    case QEvent::KeyPress:
        if (command)
            commands_.Action(*command)->trigger();
        else
            emit pressed(KeyCodes::VirtualKey(*key));
        return true;
    default:
        // X11 repeats a held key as press and release pairs; only the real
        // release counts.
        if (!key->isAutoRepeat())
            emit released(KeyCodes::VirtualKey(*key));
        return true;
    }
}
