#include "inputrouter.h"

#include "commands.h"
#include "keycodes.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
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
    // While a menu is open every key is the menu's, also the ones it hands
    // on to the menu bar to move to the next menu.
    if (!widget || QApplication::activePopupWidget() || qobject_cast<QMenuBar*>(widget))
        return false;
    const bool inGameWindow = widget->window() == &window_;
    // The windows beside the game (the rules, the credits) take its commands
    // as one application window would; a modal window keeps every key.
    if (!inGameWindow && (type == QEvent::KeyRelease || QApplication::activeModalWidget()))
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<Command> command = commands_.CommandFor(KeyCodes::ShortcutCode(*key));
    if (!inGameWindow && !command)
        return false;
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
